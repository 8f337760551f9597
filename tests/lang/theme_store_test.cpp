// Loading the theme in force: theme files beside the program, the start-up choice and the
// built-in theme from the program's resources.
#include "lang/theme_store.h"

#include <gtest/gtest.h>

#include <string>

#include "base/app_state.h"
#include "base/ini_file.h"
#include "lang/language_catalogue.h"
#include "view_test_support.h"

namespace kelpo {
namespace {

using viewtest::Colour;

constexpr const char* kGreenTheme =
    "<kelpo><styles><style id=\"32\">fore:#112233,back:#00FF00,font:Lucida Console,size:9</style></styles>"
    "<styles id=\"3\"><style id=\"5\">fore:#FF00FF</style></styles></kelpo>";

bool HasBuiltinResource() {
    return ::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(23)) != nullptr;
}

int gChanges = 0;

class ThemeStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        viewtest::ResetSettings(folder_.Path());
        ::CreateDirectoryW(folder_.File(L"style").c_str(), nullptr);
        viewtest::WriteFileBytes(folder_.File(L"style\\green.xml"), kGreenTheme);
        viewtest::WriteFileBytes(folder_.File(L"style\\broken.xml"), "<other><styles/></other>");
        ASSERT_TRUE(viewtest::LoadSourceBuiltinTheme());
        gChanges = 0;
        SetThemeChangedHandler([] { ++gChanges; });
    }
    void TearDown() override {
        SetThemeChangedHandler(nullptr);
        viewtest::ForgetLoadedTheme();
    }

    void WriteStyleSetting(const std::wstring& name) {
        IniFile(App().paths.settingsFile).WriteText(L"style", name.c_str());
    }

    viewtest::TempFolder folder_;
};

TEST_F(ThemeStoreTest, ThemeFilesAreFoundBesideTheProgram) {
    ASSERT_TRUE(LoadThemeFile(L"green", true));
    EXPECT_EQ(GlobalStyles().defaultStyle.back, Colour(0x00FF00));
    EXPECT_STREQ(GlobalStyles().fontName.data(), "Lucida Console");
    EXPECT_EQ(LanguageAt(kLangCpp).styles[0].style, 5);
    EXPECT_EQ(LanguageAt(kLangCpp).styles[1].style, 0);  // reset emptied the rest
    // The colours and a brush of the background are published for the panes.
    EXPECT_EQ(ThemeColors().fore, Colour(0x112233));
    EXPECT_EQ(ThemeColors().back, Colour(0x00FF00));
    LOGBRUSH brush{};
    ASSERT_NE(ThemeBackgroundBrush(), nullptr);
    ASSERT_TRUE(::GetObjectW(ThemeBackgroundBrush(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, Colour(0x00FF00));
    EXPECT_EQ(gChanges, 1);

    // Empty names, missing files and documents that are no theme fail and change nothing.
    EXPECT_FALSE(LoadThemeFile(L"", true));
    EXPECT_FALSE(LoadThemeFile(L"missing", true));
    EXPECT_FALSE(LoadThemeFile(L"broken", true));
    EXPECT_EQ(GlobalStyles().defaultStyle.back, Colour(0x00FF00));
    EXPECT_EQ(LanguageAt(kLangCpp).styles[0].style, 5);
    EXPECT_EQ(gChanges, 1);

    // Without reset the panes are not told.
    ASSERT_TRUE(LoadThemeFile(L"green", false));
    EXPECT_EQ(gChanges, 1);
}

TEST_F(ThemeStoreTest, StartUpLoadsTheNamedThemeElseTheBuiltinOne) {
    WriteStyleSetting(L"green");
    App().settings.style.clear();
    EXPECT_TRUE(LoadStartupTheme(App()));
    EXPECT_EQ(App().settings.style, L"green");
    EXPECT_EQ(GlobalStyles().defaultStyle.back, Colour(0x00FF00));
    EXPECT_EQ(gChanges, 0);  // no reset at start-up

    // The setting is read up to 127 characters.
    WriteStyleSetting(std::wstring(130, L'x'));
    LoadStartupTheme(App());
    EXPECT_EQ(App().settings.style, std::wstring(127, L'x'));

    if (!HasBuiltinResource()) GTEST_SKIP() << "the program carries no built-in theme resource yet";
    for (const wchar_t* name : {L"missing", L""}) {
        ASSERT_TRUE(LoadThemeFile(L"green", true));
        WriteStyleSetting(name);
        EXPECT_TRUE(LoadStartupTheme(App())) << name;
        EXPECT_EQ(GlobalStyles().defaultStyle.back, Colour(0xFFF8E7)) << name;
    }
}

TEST_F(ThemeStoreTest, BuiltinThemeComesFromTheResources) {
    if (!HasBuiltinResource()) {
        EXPECT_FALSE(LoadBuiltinTheme(true));
        GTEST_SKIP() << "the program carries no built-in theme resource yet";
    }
    ASSERT_TRUE(LoadThemeFile(L"green", true));
    ASSERT_TRUE(LoadBuiltinTheme(true));
    EXPECT_EQ(GlobalStyles().defaultStyle.back, Colour(0xFFF8E7));
    EXPECT_EQ(GlobalStyles().bookmarkMarginBack, Colour(0xF7F1E0));
    EXPECT_STREQ(GlobalStyles().fontName.data(), "Courier New");
    EXPECT_NE(LanguageAt(kLangCpp).styles[1].style, 0);
    // The kept document serves a second load the same.
    ASSERT_TRUE(LoadThemeFile(L"green", true));
    ASSERT_TRUE(LoadBuiltinTheme(true));
    EXPECT_EQ(GlobalStyles().defaultStyle.back, Colour(0xFFF8E7));
}

}  // namespace
}  // namespace kelpo
