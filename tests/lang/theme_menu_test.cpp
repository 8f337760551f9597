// The theme menu with theme files beside the program, and choosing a theme or a font with
// documents open in tabs.
#include "lang/theme_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "Scintilla.h"
#include "base/app_state.h"
#include "base/handles.h"
#include "base/ini_file.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "lang/language_catalogue.h"
#include "lang/theme_store.h"
#include "lang/view_language.h"
#include "view_test_support.h"

namespace kelpo {
namespace {

using viewtest::Colour;

constexpr const char* kPurpleTheme =
    "<kelpo><styles><style id=\"32\">fore:#000000,back:#EEEEFF,size:11</style>"
    "<style id=\"2250\">back:#DDDDFF</style></styles>"
    "<styles id=\"3\"><style id=\"5\">fore:#FF00FF</style></styles>"
    "<styles id=\"19\"><style id=\"5\">fore:#00AA00</style></styles></kelpo>";

std::wstring ItemText(HMENU menu, int command) {
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, command, text, 128, MF_BYCOMMAND);
    return text;
}

bool HasRadioMark(HMENU menu, int command) {
    MENUITEMINFOW info{sizeof(MENUITEMINFOW)};
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ::GetMenuItemInfoW(menu, command, FALSE, &info);
    return (info.fType & MFT_RADIOCHECK) && (info.fState & MFS_CHECKED);
}

int CheckedCommand(HMENU menu) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        const int command = static_cast<int>(::GetMenuItemID(menu, i));
        if (HasRadioMark(menu, command)) return command;
    }
    return -1;
}

class ThemeMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        viewtest::ResetSettings(folder_.Path());
        ASSERT_TRUE(viewtest::LoadSourceBuiltinTheme());
        ::CreateDirectoryW(folder_.File(L"style").c_str(), nullptr);
        viewtest::WriteFileBytes(folder_.File(L"style\\purple.xml"), kPurpleTheme);
        viewtest::WriteFileBytes(folder_.File(L"style\\broken.xml"), "<other><styles/></other>");
        viewtest::WriteFileBytes(folder_.File(L"style\\notes.txt"), "not a theme");
        ::CreateDirectoryW(folder_.File(L"style\\folder.xml").c_str(), nullptr);
        menu_.reset(::CreatePopupMenu());
        ASSERT_TRUE(menu_);
    }
    void TearDown() override { viewtest::ForgetLoadedTheme(); }

    int CommandOf(const std::wstring& name) const {
        const std::vector<std::wstring>& names = ThemeMenuNames();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name) return ThemeCommandAt(i);
        }
        return -1;
    }

    std::wstring StyleSetting() const {
        std::wstring value;
        IniFile(App().paths.settingsFile).ReadText(L"style", value, 127);
        return value;
    }

    viewtest::TempFolder folder_;
    unique_hmenu menu_;
};

TEST_F(ThemeMenuTest, OffersTheBuiltinThemeAndEachThemeFile) {
    App().settings.style = L"purple";
    BuildThemeMenu(menu_.get());
    ASSERT_EQ(::GetMenuItemCount(menu_.get()), 3);
    EXPECT_EQ(::GetMenuItemID(menu_.get(), 0), static_cast<UINT>(kThemeCommandBuiltin));
    EXPECT_FALSE(ItemText(menu_.get(), kThemeCommandBuiltin).empty());
    const int purple = CommandOf(L"purple");
    const int broken = CommandOf(L"broken");
    ASSERT_GT(purple, kThemeCommandBuiltin);
    ASSERT_GT(broken, kThemeCommandBuiltin);
    EXPECT_EQ(ItemText(menu_.get(), purple), L"purple");
    EXPECT_EQ(CheckedCommand(menu_.get()), purple);

    // The name is compared with its case; no match marks the built-in theme.
    App().settings.style = L"Purple";
    BuildThemeMenu(menu_.get());
    EXPECT_EQ(::GetMenuItemCount(menu_.get()), 3);  // rebuilding replaces the items
    EXPECT_EQ(CheckedCommand(menu_.get()), kThemeCommandBuiltin);
    App().settings.style.clear();
    BuildThemeMenu(menu_.get());
    EXPECT_EQ(CheckedCommand(menu_.get()), kThemeCommandBuiltin);

    EXPECT_FALSE(HandleThemeCommand(kThemeCommandBuiltin - 1));
    EXPECT_FALSE(HandleThemeCommand(kThemeCommandBuiltin + 3));
}

// Theme items never take the commands of the favourites, the tabs or the other fixed commands.
TEST_F(ThemeMenuTest, ManyThemeFilesStepOverTheCommandsOfOtherMenus) {
    const struct {
        std::size_t position;
        int command;
    } rows[] = {{0, 400}, {49, 449}, {50, 650}, {203, 803}, {204, 805}, {360, 961}, {361, 964},
                {2263, 2866}, {2264, 0}};
    for (const auto& row : rows) EXPECT_EQ(ThemeCommandAt(row.position), row.command) << row.position;

    for (int n = 0; n < 55; ++n) {
        viewtest::WriteFileBytes(folder_.File(L"style\\many" + std::to_wstring(n) + L".xml"), kPurpleTheme);
    }
    BuildThemeMenu(menu_.get());
    ASSERT_EQ(::GetMenuItemCount(menu_.get()), 58);
    for (int i = 0; i < 58; ++i) {
        const UINT id = ::GetMenuItemID(menu_.get(), i);
        EXPECT_TRUE(id < 450 || id >= 650) << id;
    }
    const int many = CommandOf(L"many54");
    ASSERT_GT(many, 0);
    ASSERT_TRUE(HandleThemeCommand(many));
    EXPECT_EQ(StyleSetting(), L"many54");
    EXPECT_FALSE(HandleThemeCommand(450)) << "a favourite's command";
}

TEST_F(ThemeMenuTest, ChoosingAThemeSetsUpEveryOpenViewAndWritesTheSetting) {
    viewtest::TabsWindow window;
    ASSERT_TRUE(window.Ready());
    viewtest::WriteFileBytes(folder_.File(L"main.cpp"), "int main() { return 0; }\n");
    viewtest::WriteFileBytes(folder_.File(L"tool.py"), "def f():\n    return 1\n");
    Document* cpp = OpenDocument(folder_.File(L"main.cpp"));
    Document* python = OpenDocument(folder_.File(L"tool.py"));
    ASSERT_NE(cpp, nullptr);
    ASSERT_NE(python, nullptr);
    // A language picked in the chooser gives way to the file name's.
    ApplyLanguage(*cpp->view, kLangText);

    BuildThemeMenu(menu_.get());
    const int purple = CommandOf(L"purple");
    ASSERT_TRUE(HandleThemeCommand(purple));
    EXPECT_EQ(cpp->view->LanguageId(), kLangCpp);
    EXPECT_EQ(cpp->view->Call(SCI_GETLEXER), 3);
    EXPECT_EQ(cpp->view->Call(SCI_STYLEGETFORE, 5), Colour(0xFF00FF));
    EXPECT_EQ(cpp->view->Call(SCI_STYLEGETBACK, STYLE_DEFAULT), Colour(0xEEEEFF));
    EXPECT_EQ(cpp->view->Call(SCI_GETMARGINBACKN, 1), Colour(0xDDDDFF));
    EXPECT_EQ(python->view->LanguageId(), kLangPython);
    EXPECT_EQ(python->view->Call(SCI_STYLEGETFORE, 5), Colour(0x00AA00));
    EXPECT_EQ(StyleSetting(), L"purple");
    EXPECT_EQ(App().settings.style, L"purple");
    EXPECT_EQ(CheckedCommand(menu_.get()), purple);

    // A theme that fails to load changes nothing.
    ASSERT_TRUE(HandleThemeCommand(CommandOf(L"broken")));
    EXPECT_EQ(StyleSetting(), L"purple");
    EXPECT_EQ(CheckedCommand(menu_.get()), purple);
    EXPECT_EQ(cpp->view->Call(SCI_STYLEGETFORE, 5), Colour(0xFF00FF));

    // The built-in theme writes an empty setting.
    if (::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(23)) == nullptr) {
        GTEST_SKIP() << "the program carries no built-in theme resource yet";
    }
    ASSERT_TRUE(HandleThemeCommand(kThemeCommandBuiltin));
    EXPECT_EQ(StyleSetting(), L"");
    EXPECT_TRUE(App().settings.style.empty());
    EXPECT_EQ(CheckedCommand(menu_.get()), kThemeCommandBuiltin);
    EXPECT_EQ(cpp->view->Call(SCI_STYLEGETFORE, 5), Colour(0x0000FF));
    EXPECT_EQ(cpp->view->Call(SCI_GETMARGINBACKN, 1), Colour(0xF7F1E0));
}

TEST_F(ThemeMenuTest, FontChangeSetsUpEveryViewAgainWithItsOwnLanguage) {
    viewtest::TabsWindow window;
    ASSERT_TRUE(window.Ready());
    viewtest::WriteFileBytes(folder_.File(L"a.cpp"), "int a;\n");
    Document* first = OpenDocument(folder_.File(L"a.cpp"));
    Document* second = NewDocument(nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ApplyLanguage(*first->view, kLangCpp);
    ApplyLanguage(*second->view, kLangPython);  // as the chooser leaves it

    App().settings.fontFace = L"Consolas";
    App().settings.fontPoints = 14;
    ReapplyFontToAllViews();
    for (const Document* document : {first, second}) {
        EXPECT_EQ(document->view->Call(SCI_STYLEGETSIZE, STYLE_DEFAULT), 14);
        char font[64] = {};
        document->view->Call(SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<sptr_t>(font));
        EXPECT_STREQ(font, "Consolas");
    }
    EXPECT_EQ(first->view->LanguageId(), kLangCpp);
    EXPECT_EQ(second->view->LanguageId(), kLangPython);
    EXPECT_EQ(second->view->Call(SCI_GETLEXER), 2);
}

}  // namespace
}  // namespace kelpo
