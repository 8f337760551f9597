// The build front end in the main window: the configuration box of the build toolbar, the Build
// menu's tool submenus and file items, and their absence without the build engine.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/settings_store.h"
#include "base/app_state.h"
#include "base/ini_file.h"
#include "build/build_command_ids.h"
#include "build/configuration_box.h"
#include "doc/document_entry.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using test::WriteFileBytes;

// A program folder with a stand-in build.exe and the tools vc2019 and vc2022 installed.
class BuildFrontEndTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        if (withEngine_) {
            WriteFileBytes(folder_.File(L"build.exe"), "MZ");
        }
        for (const wchar_t* tool : {L"vc2019", L"vc2022"}) {
            ::CreateDirectoryW(folder_.File(tool).c_str(), nullptr);
            WriteFileBytes(folder_.File(std::wstring(tool) + L"\\config.ini"), "[CONFIG]\r\n");
        }
        if (storedId_ != 0) {
            IniFile(folder_.File(L"kelpo.ini")).WriteInt(L"BuildToolId", storedId_);
        }
        test::MainWindowFixture::SetUp();
    }

    HMENU BuildPopup() const {
        HMENU bar = ::GetMenu(window_);
        for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
            HMENU sub = ::GetSubMenu(bar, i);
            if (sub != nullptr && ::GetMenuState(sub, kCmdBuild, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
                return sub;
            }
        }
        return nullptr;
    }

    bool withEngine_ = true;
    int storedId_ = 0;
};

std::vector<unsigned> BoxCodes() {
    HWND box = App().shell.configurationBox;
    std::vector<unsigned> codes;
    const int count = static_cast<int>(::SendMessageW(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        codes.push_back(static_cast<unsigned>(::SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    }
    return codes;
}

std::wstring BoxItemText(int index) {
    wchar_t text[64] = {};
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = 64;
    ::SendMessageW(App().shell.configurationBox, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

const std::vector<unsigned> kOffered = {0x8900, 0x8901, 0x8910, 0x8911, 0x8920, 0x8921, 0x8940,
                                        0x8941, 0x8A00, 0x8A01, 0x8A10, 0x8A11, 0x8A20, 0x8A21};

TEST_F(BuildFrontEndTest, BoxListsTheInstalledConfigurationsInOrder) {
    ASSERT_NE(App().shell.buildToolbar, nullptr);
    EXPECT_EQ(BoxCodes(), kOffered);
    EXPECT_EQ(BoxItemText(0), L"Visual C++ 2019 x86 Debug");
    EXPECT_EQ(BoxItemText(13), L"Visual C++ 2022 ARM64 Release");
    EXPECT_EQ(CurrentConfiguration(), 0x8900);  // BuildToolId 0 names nothing: the first item
    wchar_t tarvikDir[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"TarvikDir", tarvikDir, MAX_PATH);
    EXPECT_EQ(tarvikDir, folder_.Path());
    RECT rect{};
    ::GetWindowRect(App().shell.configurationBox, &rect);
    EXPECT_GT(rect.right - rect.left, 100);
    // The toolbar carries build, rebuild, clean and stop after the box.
    for (int command : {kCmdBuild, kCmdRebuild, kCmdClean, kCmdStopBuild}) {
        EXPECT_GE(::SendMessageW(App().shell.buildToolbar, TB_COMMANDTOINDEX, command, 0), 1) << command;
    }
    // ...all of them shown, in a window of the default width too.
    ::SetWindowPos(window_, nullptr, 0, 0, 780, 560, SWP_NOZORDER | SWP_NOMOVE);
    RECT stop{};
    const LRESULT last = ::SendMessageW(App().shell.buildToolbar, TB_COMMANDTOINDEX, kCmdStopBuild, 0);
    ::SendMessageW(App().shell.buildToolbar, TB_GETITEMRECT, static_cast<WPARAM>(last), reinterpret_cast<LPARAM>(&stop));
    RECT bar{};
    ::GetClientRect(App().shell.buildToolbar, &bar);
    EXPECT_LE(stop.right, bar.right);
}

TEST_F(BuildFrontEndTest, CommandEightyThreeHidesAndShowsTheBand) {
    HWND rebar = App().shell.rebar;
    const auto hidden = [rebar] {
        REBARBANDINFOW band{};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_STYLE | RBBIM_ID | RBBIM_CHILD;
        ::SendMessageW(rebar, RB_GETBANDINFOW, 1, reinterpret_cast<LPARAM>(&band));
        EXPECT_EQ(band.hwndChild, App().shell.buildToolbar);
        return (band.fStyle & RBBS_HIDDEN) != 0;
    };
    const bool before = hidden();
    ::SendMessageW(window_, WM_COMMAND, 83, 0);
    EXPECT_NE(hidden(), before);
    ::SendMessageW(window_, WM_COMMAND, 83, 0);
    EXPECT_EQ(hidden(), before);
}

TEST_F(BuildFrontEndTest, SelectionIsSavedAsBuildToolId) {
    ::SendMessageW(App().shell.configurationBox, CB_SETCURSEL, 10, 0);
    SaveSettings(App());
    EXPECT_EQ(IniFile(folder_.File(L"kelpo.ini")).ReadInt(L"BuildToolId", 0), 0x8A10);
}

class StoredToolTest : public BuildFrontEndTest, public ::testing::WithParamInterface<std::pair<int, int>> {
protected:
    void SetUp() override {
        storedId_ = GetParam().first;
        BuildFrontEndTest::SetUp();
    }
};

TEST_P(StoredToolTest, BuildToolIdRestoresTheSelection) { EXPECT_EQ(CurrentConfiguration(), GetParam().second); }

INSTANTIATE_TEST_SUITE_P(StoredIds, StoredToolTest,
                         ::testing::Values(std::pair{0x8A10, 0x8A10},  // present
                                           std::pair{0x8941, 0x8941},
                                           std::pair{0x8310, 0x8900},  // vc2008 is not installed
                                           std::pair{-1, 0x8900}));

TEST_F(BuildFrontEndTest, BuildMenuHasToolSubmenusAndFileItems) {
    HMENU popup = BuildPopup();
    ASSERT_NE(popup, nullptr);
    std::vector<std::wstring> submenus;
    std::vector<unsigned> codes;
    for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
        if (HMENU sub = ::GetSubMenu(popup, i)) {
            wchar_t text[64] = {};
            ::GetMenuStringW(popup, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            submenus.push_back(text);
            for (int j = 0; j < ::GetMenuItemCount(sub); ++j) {
                codes.push_back(::GetMenuItemID(sub, j));
            }
        }
    }
    EXPECT_EQ(submenus, (std::vector<std::wstring>{L"&User Commands", L"A&utoBuild", L"Visual C++ 2019",
                                                   L"Visual C++ 2022"}));
    ASSERT_GT(codes.size(), 2u);
    EXPECT_EQ(codes[0], 168u) << "the user command submenus, before the tools";
    EXPECT_EQ(codes[1], 170u);
    EXPECT_EQ(std::vector<unsigned>(codes.begin() + 2, codes.end()), kOffered);
    wchar_t label[64] = {};
    ::GetMenuStringW(popup, kCmdOpenBuildXml, label, 64, MF_BYCOMMAND);
    EXPECT_NE(std::wstring(label).find(L"build.xml"), std::wstring::npos);
}

TEST_F(BuildFrontEndTest, FileItemsOpenTarvikIniAndTheNearestBuildXml) {
    WriteFileBytes(folder_.File(L"tarvik.ini"), "[Tarvik]\r\n");
    ::SendMessageW(window_, WM_COMMAND, kCmdOpenTarvikIni, 0);
    EXPECT_NE(test::DocumentWithPath(folder_.File(L"tarvik.ini")), nullptr);

    ::CreateDirectoryW(folder_.File(L"proj").c_str(), nullptr);
    ::CreateDirectoryW(folder_.File(L"proj\\src").c_str(), nullptr);
    WriteFileBytes(folder_.File(L"proj\\build.xml"), "<build/>");
    WriteFileBytes(folder_.File(L"build.xml"), "<build/>");
    WriteFileBytes(folder_.File(L"proj\\src\\a.c"), "int a;\n");
    ASSERT_NE(OpenFileFromArgument(folder_.File(L"proj\\src\\a.c")), nullptr);
    ::SendMessageW(window_, WM_COMMAND, kCmdOpenBuildXml, 0);
    EXPECT_NE(test::DocumentWithPath(folder_.File(L"proj\\build.xml")), nullptr);
    EXPECT_EQ(test::DocumentWithPath(folder_.File(L"build.xml")), nullptr);
}

class NoEngineTest : public BuildFrontEndTest {
protected:
    void SetUp() override {
        withEngine_ = false;
        storedId_ = 0x8A10;
        BuildFrontEndTest::SetUp();
    }
};

TEST_F(NoEngineTest, NeitherBuildMenuNorToolbar) {
    EXPECT_EQ(BuildPopup(), nullptr);
    EXPECT_EQ(App().shell.buildToolbar, nullptr);
    EXPECT_EQ(CurrentConfiguration(), -1);
    // The stored choice survives a start without the engine.
    SaveSettings(App());
    EXPECT_EQ(IniFile(folder_.File(L"kelpo.ini")).ReadInt(L"BuildToolId", 0), 0x8A10);
}

}  // namespace
}  // namespace kelpo
