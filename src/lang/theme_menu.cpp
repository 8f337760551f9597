// Builds the theme menu from the "style" folder and applies a chosen theme to all open documents.
#include "lang/theme_menu.h"

#include <optional>

#include "base/app_state.h"
#include "base/handles.h"
#include "base/ini_file.h"
#include "lang/editor_view.h"
#include "lang/language_catalogue.h"
#include "lang/open_views.h"
#include "lang/theme_store.h"
#include "lang/view_language.h"

namespace kelpo {
namespace {

constexpr wchar_t kBuiltinThemeText[] = L"Built-in";

struct ThemeMenuState {
    HMENU menu = nullptr;
    std::vector<std::wstring> names;  // by command - kThemeCommandBuiltin
};

ThemeMenuState& Menu() {
    static ThemeMenuState state;
    return state;
}

// Commands of other menus inside the themes' range, in ascending order.
struct TakenCommands {
    int first;
    int last;
};
constexpr TakenCommands kTaken[] = {{450, 649}, {804, 804}, {962, 963}};

// The position of a theme command in the menu; nothing for a command that is no theme's.
std::optional<std::size_t> PositionOf(int command) {
    if (command < kThemeCommandBuiltin || command > kThemeCommandLast) return std::nullopt;
    int stepped = 0;
    for (const TakenCommands& taken : kTaken) {
        if (command >= taken.first && command <= taken.last) return std::nullopt;
        if (command > taken.last) stepped += taken.last - taken.first + 1;
    }
    return static_cast<std::size_t>(command - kThemeCommandBuiltin - stepped);
}

bool EndsWithXml(const std::wstring& name) {
    // The pattern also matches short names of longer extensions such as ".xmlx".
    return name.size() > 4 && ::lstrcmpiW(name.c_str() + name.size() - 4, L".xml") == 0;
}

std::vector<std::wstring> ThemeFileNames() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    unique_hfind find(::FindFirstFileW((App().paths.folder + L"style\\*.xml").c_str(), &found));
    if (!find) return names;
    std::size_t maxFiles = kThemeCommandLast - kThemeCommandBuiltin;
    for (const TakenCommands& taken : kTaken) maxFiles -= static_cast<std::size_t>(taken.last - taken.first + 1);
    do {
        const std::wstring file = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !EndsWithXml(file)) continue;
        names.push_back(file.substr(0, file.rfind(L'.')));
    } while (names.size() < maxFiles && ::FindNextFileW(find.get(), &found));
    return names;
}

void RemoveThemeItems(HMENU menu) {
    for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) {
        const UINT id = ::GetMenuItemID(menu, i);
        if (PositionOf(static_cast<int>(id))) ::DeleteMenu(menu, i, MF_BYPOSITION);
    }
}

int CommandOfName(const std::wstring& name) {
    const std::vector<std::wstring>& names = Menu().names;
    // The built-in item's text is no file name, so only the files are compared.
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (names[i] == name) return ThemeCommandAt(i);
    }
    return kThemeCommandBuiltin;
}

void MarkItem(int command) {
    ThemeMenuState& state = Menu();
    if (state.menu == nullptr || state.names.empty()) return;
    const int last = ThemeCommandAt(state.names.size() - 1);
    ::CheckMenuRadioItem(state.menu, kThemeCommandBuiltin, last, command, MF_BYCOMMAND);
}

}  // namespace

int ThemeCommandAt(std::size_t position) {
    if (position > static_cast<std::size_t>(kThemeCommandLast - kThemeCommandBuiltin)) return 0;
    int command = kThemeCommandBuiltin + static_cast<int>(position);
    for (const TakenCommands& taken : kTaken) {
        if (command >= taken.first) command += taken.last - taken.first + 1;
    }
    return command <= kThemeCommandLast ? command : 0;
}

void BuildThemeMenu(HMENU menu) {
    ThemeMenuState& state = Menu();
    RemoveThemeItems(menu);
    state.menu = menu;
    state.names.assign(1, std::wstring());
    ::AppendMenuW(menu, MF_STRING, kThemeCommandBuiltin, kBuiltinThemeText);
    for (std::wstring& name : ThemeFileNames()) {
        const int command = ThemeCommandAt(state.names.size());
        // Ampersands in file names would otherwise turn into mnemonics.
        std::wstring text;
        for (const wchar_t ch : name) {
            if (ch == L'&') text += L'&';
            text += ch;
        }
        ::AppendMenuW(menu, MF_STRING, command, text.c_str());
        state.names.push_back(std::move(name));
    }
    MarkItem(CommandOfName(App().settings.style));
}

const std::vector<std::wstring>& ThemeMenuNames() { return Menu().names; }

bool HandleThemeCommand(int command) {
    const std::vector<std::wstring>& names = Menu().names;
    const std::optional<std::size_t> index = PositionOf(command);
    if (!index || *index >= names.size()) return false;
    const std::wstring name = names[*index];
    const bool loaded = *index == 0 ? LoadBuiltinTheme(true) : LoadThemeFile(name, true);
    if (!loaded) return true;
    // A language picked in the chooser gives way to the one of the file name.
    ForEachOpenView([](EditorView& view, const std::wstring& fileName) {
        ApplyLanguage(view, ChooseLanguageForFile(fileName));
    });
    AppState& app = App();
    app.settings.style = name;
    IniFile(app.paths.settingsFile).WriteText(L"style", name.c_str());
    MarkItem(command);
    return true;
}

void ReapplyFontToAllViews() {
    ForEachOpenView([](EditorView& view, const std::wstring&) {
        const LanguageDef* language = view.Language();
        ApplyLanguage(view, language != nullptr ? *language : LanguageAt(kLangText));
    });
}

}  // namespace kelpo
