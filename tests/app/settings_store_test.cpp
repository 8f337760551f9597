// Loading and saving the settings file as a whole.
#include <gtest/gtest.h>

#include "app/settings_store.h"
#include "base/app_state.h"
#include "base/ini_file.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using test::TempFolder;

TEST(SettingsStore, MissingFileGivesDefaultsAndCentredWindow) {
    TempFolder folder;
    test::ResetAppState(folder.Path());
    const WindowPos pos = LoadSettings(App());
    EXPECT_EQ(App().settings.config1, kConfig1Default);
    EXPECT_EQ(App().settings.config2, kConfig2Default);
    EXPECT_EQ(App().settings.mruSize, 20);
    EXPECT_EQ(App().settings.searchFlags, 34);
    EXPECT_EQ(App().settings.fontFace, L"Courier New");
    EXPECT_EQ(App().settings.fontPoints, 10);
    EXPECT_EQ(pos.rect.Width(), 780);
    EXPECT_EQ(pos.rect.Height(), 580);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(pos.rect.left, (screenWidth - 780) / 2);
    EXPECT_EQ(pos.rect.top, (screenHeight - 580) / 2 - 30);
    EXPECT_TRUE(App().editorFont);
}

TEST(SettingsStore, ValuesAreRepairedOnLoad) {
    TempFolder folder;
    test::ResetAppState(folder.Path());
    const IniFile ini(App().paths.settingsFile);
    ini.WriteInt(L"MruSize", 45);
    ini.WriteInt(L"SearchFlags", 0);
    ini.WriteInt(L"NewFileEncode", 9);
    ini.WriteText(L"Font", L"Consolas, 12");
    ini.WriteText(L"WndPos", L"10,10,200,100,1");
    const WindowPos pos = LoadSettings(App());
    EXPECT_EQ(App().settings.mruSize, 30);
    EXPECT_EQ(App().settings.searchFlags, 34);
    EXPECT_EQ(App().settings.newFileEncode, 0);
    EXPECT_EQ(App().settings.fontFace, L"Consolas");
    EXPECT_EQ(App().settings.fontPoints, 12);
    EXPECT_EQ(pos, (WindowPos{{10, 10, 510, 310}, 1}));
}

TEST(SettingsStore, LegacyWindowKeysAreMigratedOnce) {
    TempFolder folder;
    test::ResetAppState(folder.Path());
    const IniFile ini(App().paths.settingsFile);
    ini.WriteInt(L"Config1", static_cast<int>(kConfig1Default & ~0x1Fu));
    ini.WriteInt(L"Left", 40);
    ini.WriteInt(L"Top", 30);
    ini.WriteInt(L"Right", 840);
    ini.WriteInt(L"Bottom", 630);
    ini.WriteInt(L"ShowCmd", 3);
    const WindowPos pos = LoadSettings(App());
    EXPECT_EQ(pos, (WindowPos{{40, 30, 840, 630}, 3}));
    EXPECT_EQ(App().settings.config1 & 0x1Fu, 1u);
    std::wstring value;
    for (const wchar_t* key : {L"Left", L"Top", L"Right", L"Bottom", L"ShowCmd"}) {
        EXPECT_FALSE(ini.ReadText(key, value)) << "legacy key left behind";
    }
}

TEST(SettingsStore, AbsentWindowIsPlacedOnTheScreen) {
    TempFolder folder;
    test::ResetAppState(folder.Path());
    IniFile(App().paths.settingsFile).WriteText(L"WndPos", L"-30000,-30000,-29000,-29000,1");
    const WindowPos pos = LoadSettings(App());
    EXPECT_EQ(pos.rect.Width(), 780);
    EXPECT_GE(pos.rect.left, 0);
}

}  // namespace
}  // namespace kelpo
