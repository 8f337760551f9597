// Where the theme in force is kept, and the two ways of loading one into it.
#include "lang/theme_store.h"

#include <array>
#include <memory>
#include <string_view>

#include "base/app_state.h"
#include "base/handles.h"
#include "base/ini_file.h"
#include "base/resource_ids.h"
#include "lang/language_catalogue.h"
#include "xml/xml_document.h"

namespace kelpo {
namespace {

constexpr std::size_t kStyleSettingMaxChars = 127;

ColorRef SystemHighlightColor() { return static_cast<ColorRef>(::GetSysColor(COLOR_HIGHLIGHT)); }

// Views set up before the first load (or after every load failed) get the values a load starts
// from, not zeros that would paint the current line, the selection and margin 1 black.
GlobalStyleSettings StartingGlobalStyles() {
    GlobalStyleSettings global;
    SetGlobalStyleDefaults(global, SystemHighlightColor());
    return global;
}

struct ThemeStoreState {
    GlobalStyleSettings global = StartingGlobalStyles();
    ThemeDefaultColors colors;
    unique_hbrush backgroundBrush;
    std::unique_ptr<XmlDocument> builtinDocument;
    ThemeChangedHandler changedHandler = nullptr;
};

ThemeStoreState& State() {
    static ThemeStoreState state;
    return state;
}

ThemeStores Stores() {
    static const std::array<LanguageStyleSlots*, LanguageCount> slots = [] {
        std::array<LanguageStyleSlots*, LanguageCount> all{};
        for (int i = 0; i < LanguageCount; ++i) all[static_cast<std::size_t>(i)] = StyleSlotsOfLanguage(i);
        return all;
    }();
    return ThemeStores{State().global, slots, State().colors};
}

void AfterLoad(bool reset) {
    ThemeStoreState& state = State();
    state.backgroundBrush.reset(::CreateSolidBrush(static_cast<COLORREF>(state.colors.back)));
    if (reset && state.changedHandler != nullptr) state.changedHandler();
}

// The resource text up to its terminator; empty when the program carries no built-in theme.
std::string_view BuiltinThemeText() {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(IDR_BUILTIN_THEME), MAKEINTRESOURCEW(23));
    if (resource == nullptr) return {};
    HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* bytes = loaded != nullptr ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    if (bytes == nullptr) return {};
    // The resource compiler adds no terminator, so the size bounds the text.
    const std::string_view text(bytes, ::SizeofResource(module, resource));
    return text.substr(0, text.find('\0'));
}

}  // namespace

const GlobalStyleSettings& GlobalStyles() { return State().global; }

const ThemeDefaultColors& ThemeColors() { return State().colors; }

HBRUSH ThemeBackgroundBrush() { return State().backgroundBrush.get(); }

bool LoadBuiltinTheme(bool reset) {
    ThemeStoreState& state = State();
    if (!state.builtinDocument) {
        const std::string_view text = BuiltinThemeText();
        if (text.empty()) return false;
        state.builtinDocument = ParseThemeText(text);
        if (!state.builtinDocument) return false;
    }
    if (!ApplyThemeDocument(*state.builtinDocument, reset, SystemHighlightColor(), Stores())) return false;
    AfterLoad(reset);
    return true;
}

bool LoadThemeFile(const std::wstring& name, bool reset) {
    if (name.empty()) return false;
    return LoadThemeFromPath(App().paths.folder + L"style\\" + name + L".xml", reset);
}

bool LoadThemeFromPath(const std::wstring& path, bool reset) {
    if (!ApplyThemeFile(path.c_str(), reset, SystemHighlightColor(), Stores())) return false;
    AfterLoad(reset);
    return true;
}

bool LoadStartupTheme(AppState& app) {
    IniFile(app.paths.settingsFile).ReadText(L"style", app.settings.style, kStyleSettingMaxChars);
    if (LoadThemeFile(app.settings.style, false)) return true;
    return LoadBuiltinTheme(false);
}

void SetThemeChangedHandler(ThemeChangedHandler handler) { State().changedHandler = handler; }

}  // namespace kelpo
