// User commands, the debugger and the batch build in the real main window, with the stand-in
// engine as build.exe: the submenus from "tarvik.ini", chains on their threads with their output
// in the pane, closing the window while a chain waits, the debugger's command line, batch ticks.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <mutex>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/handles.h"
#include "base/ini_file.h"
#include "base/message_box.h"
#include "base/text_convert.h"
#include "build/batch_build_dialog.h"
#include "build/build_command_ids.h"
#include "build/convert_command.h"
#include "build/output_pane.h"
#include "build/user_commands.h"
#include "doc/documents.h"
#include "doc/project_marks.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using namespace std::chrono_literals;

std::mutex g_boxesLock;
std::vector<std::wstring> g_boxes;

std::vector<std::wstring> Boxes() {
    const std::lock_guard lock(g_boxesLock);
    return g_boxes;
}

// The pop-up of the Build menu whose first item is `first`.
HMENU UserPopup(HWND window, int first) {
    HMENU bar = ::GetMenu(window);
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
        HMENU popup = ::GetSubMenu(bar, i);
        for (int j = 0; popup != nullptr && j < ::GetMenuItemCount(popup); ++j) {
            HMENU sub = ::GetSubMenu(popup, j);
            if (sub != nullptr && ::GetMenuItemID(sub, 0) == static_cast<UINT>(first)) {
                return sub;
            }
        }
    }
    return nullptr;
}

// The items as text: "-" a separator, else "<id>:<label>".
std::vector<std::wstring> Items(HMENU menu) {
    std::vector<std::wstring> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t label[128] = {};
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = label;
        info.cch = 127;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back((info.fType & MFT_SEPARATOR) ? L"-" : std::to_wstring(info.wID) + L":" + label);
    }
    return items;
}

std::vector<std::wstring> WideLines(const std::wstring& path) {
    const std::string bytes = test::ReadFileBytes(path);
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    std::vector<std::wstring> lines;
    for (std::size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

class UserCommandsTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(::CopyFileW((test::ProgramFolder() + L"kelpo_standin_engine.exe").c_str(),
                                folder_.File(L"build.exe").c_str(), FALSE));
        for (const wchar_t* tool : {L"vc2019", L"vc2022"}) {
            ::CreateDirectoryW(folder_.File(tool).c_str(), nullptr);
            test::WriteFileBytes(folder_.File(std::wstring(tool) + L"\\config.ini"), "[CONFIG]\r\n");
        }
        {
            const std::lock_guard lock(g_boxesLock);
            g_boxes.clear();
        }
        SetMessageHook([](UINT, const std::wstring& text) {
            const std::lock_guard lock(g_boxesLock);
            g_boxes.push_back(text);
            return IDOK;
        });
        ResetProjectMarks();
        MainWindowFixture::SetUp();
    }

    void TearDown() override {
        MainWindowFixture::TearDown();
        SetMessageHook(nullptr);
    }

    void WriteTarvikIni(const std::string& sections) {
        test::WriteFileBytes(folder_.File(L"tarvik.ini"),
                             "[Tarvik]\r\nDefaultDir=" + WideToAnsi(folder_.Path()) + "\r\n" + sections);
    }

    void Project(const std::wstring& name, const std::string& content) {
        ::CreateDirectoryW(folder_.File(name).c_str(), nullptr);
        test::WriteFileBytes(folder_.File(name + L"\\build.tvk"), content);
    }

    // Opens the submenu as the user does and chooses its item.
    void Choose(int first, int command) {
        HMENU popup = UserPopup(window_, first);
        ASSERT_NE(popup, nullptr);
        ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        ::SendMessageW(window_, WM_COMMAND, static_cast<WPARAM>(command), 0);
    }

    static bool ChainsEnd() {
        return test::PumpUntil([] { return RunningCommandChains() == 0; }, 60s);
    }
};

const std::string kVc2022List =
    "vc2022_x86_debug\nvc2022_x86_release\nvc2022_x64_debug\nvc2022_x64_release\nvc2022_arm64_debug\n"
    "vc2022_arm64_release\n\n";

TEST_F(UserCommandsTest, SubmenusComeFromTarvikIniAndTheirChainsWriteToTheOutputPane) {
    WriteTarvikIni(
        "[Build]\r\n# comment=x\r\n#-\r\nno equals\r\nBoth=tarvik list & tarvik config vc2022_x64_debug\r\n"
        "Stops=tarvik config vc2022 & tarvik list\r\n"
        "[AutoBuild]\r\nAll=tarvik config vc2022_x86_release|F7\r\nbar\r\n");
    HMENU build = UserPopup(window_, 168);
    ASSERT_NE(build, nullptr);
    ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(build), 0);
    EXPECT_EQ(Items(build), (std::vector<std::wstring>{L"168:&Edit User Commands", L"-", L"-", L"57344:Both",
                                                       L"57345:Stops"}));
    ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(build), 0);
    EXPECT_EQ(::GetMenuItemCount(build), 5) << "filled afresh on every opening";

    const std::string batchLine = "Please type \"%tmp%\\tarvik_env\", and press enter.\n";
    App().settings.config1 &= ~kC1BottomPane;
    ::SendMessageW(window_, WM_COMMAND, 0xE000, 0);
    ASSERT_TRUE(ChainsEnd());
    test::PumpFor(100ms);
    EXPECT_TRUE(App().settings.config1 & kC1BottomPane) << "what a chain prints is shown";
    EXPECT_EQ(OutputText(), "vc2019_x86_debug\nvc2019_x86_release\nvc2019_x64_debug\nvc2019_x64_release\n"
                            "vc2019_arm64_debug\nvc2019_arm64_release\nvc2019_arm_debug\nvc2019_arm_release\n\n" +
                                kVc2022List + batchLine);

    ClearOutput();
    ::SendMessageW(window_, WM_COMMAND, 0xE001, 0);
    ASSERT_TRUE(ChainsEnd());
    test::PumpFor(100ms);
    EXPECT_EQ(OutputText(), "Error: please specify full config name, like vc2022_x64_debug\n") << "the list never ran";

    HMENU autoBuild = UserPopup(window_, 170);
    ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(autoBuild), 0);
    EXPECT_EQ(Items(autoBuild),
              (std::vector<std::wstring>{L"170:&Edit AutoBuild Commands", L"-", L"57344:All", L"-"}));
    ClearOutput();
    ::SendMessageW(window_, WM_COMMAND, 0xE000, 0);
    ASSERT_TRUE(ChainsEnd());
    test::PumpFor(100ms);
    EXPECT_EQ(OutputText(), batchLine) << "the last opened submenu's list is the one that runs";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(UserCommandsTest, BuildRequestsRunTheEngineInConsolesAndStopAtAFailure) {
    Project(L"proj", "TARGETNAME=app\r\n");
    Project(L"bad", "STANDIN=fail\r\n");
    WriteTarvikIni("[Build]\r\nMake=tarvik vc2022_x64 proj -x\r\nBad=tarvik vc2022_x64 bad & tarvik list\r\n"
                   "Ignore=tarvik vc2022_x64 -i bad\r\n");
    const std::wstring engine = folder_.File(L"build.exe");
    Choose(168, 0xE000);
    ASSERT_TRUE(ChainsEnd());
    EXPECT_EQ(WideLines(folder_.File(L"engine-runs.txt")),
              (std::vector<std::wstring>{L"vc2022_x64_debug " + engine + L" -x proj",
                                         L"vc2022_x64_release " + engine + L" -x proj"}));
    EXPECT_TRUE(Boxes().empty());

    ::DeleteFileW(folder_.File(L"engine-runs.txt").c_str());
    Choose(168, 0xE001);
    ASSERT_TRUE(ChainsEnd());
    test::PumpFor(100ms);
    EXPECT_EQ(WideLines(folder_.File(L"engine-runs.txt")).size(), 1u);
    EXPECT_EQ(Boxes(), (std::vector<std::wstring>{L"Run command failed:\n" + engine + L" bad\n\nExitCode=3"}));
    EXPECT_EQ(OutputText(), "Run \"" + WideToUtf8(engine) + " bad\" failed! ExitCode=3\n") << "no list after it";

    ::DeleteFileW(folder_.File(L"engine-runs.txt").c_str());
    Choose(168, 0xE002);
    ASSERT_TRUE(ChainsEnd());
    EXPECT_EQ(WideLines(folder_.File(L"engine-runs.txt")).size(), 2u) << "-i goes on after the failed debug build";
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(UserCommandsTest, ClosingTheWindowWhileAChainWaitsKeepsTheSettingsAndLeavesTheChainHarmless) {
    Project(L"hang", "STANDIN=hang\r\n");
    WriteTarvikIni("[Build]\r\nSlow=tarvik vc2022_x64_debug -i hang & tarvik list\r\n");
    Choose(168, 0xE000);
    ASSERT_TRUE(test::PumpUntil([&] { return test::FileExists(folder_.File(L"engine-pid.txt")); }, 60s));
    ASSERT_EQ(RunningCommandChains(), 1);

    App().settings.zoomLevel = 7;
    ::SendMessageW(window_, WM_CLOSE, 0, 0);
    ASSERT_FALSE(::IsWindow(window_));
    EXPECT_EQ(IniFile(App().paths.settingsFile).ReadInt(L"ZoomLevel", 0), 7);
    EXPECT_EQ(RunningCommandChains(), 1) << "nobody waits for the console";

    // A new window in the same process, as the next test or a new start-up would make it.
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    MainWindowFixture::SetUp();
    ClearOutput();
    const std::string pid = test::ReadFileBytes(folder_.File(L"engine-pid.txt"));
    unique_handle engine(::OpenProcess(PROCESS_TERMINATE, FALSE, std::stoul(pid)));
    ASSERT_TRUE(engine);
    ASSERT_TRUE(::TerminateProcess(engine.get(), 1));
    ASSERT_TRUE(ChainsEnd());
    test::PumpFor(200ms);
    EXPECT_EQ(OutputText(), "") << "the old chain's failure line belongs to no window";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(UserCommandsTest, DebuggerGetsTheProgramPathThroughTheFirstPercentS) {
    Project(L"p", "TARGETNAME=app\r\nTARGETTYPE=exe\r\n");
    Project(L"d", "TARGETNAME=lib\r\nTARGETTYPE=DLL\r\n");
    ASSERT_NE(OpenDocument(folder_.File(L"p\\build.tvk")), nullptr);
    ::SendMessageW(window_, WM_COMMAND, kCmdDebug, 0);
    EXPECT_EQ(OutputText(), "Error : No Debugger in kelpo.ini [Kelpo]\n");

    const std::wstring engine = folder_.File(L"build.exe");
    IniFile(App().paths.settingsFile).WriteText(L"Debugger", (L"\"" + engine + L"\" %s %n %s 100%").c_str());
    ::SendMessageW(window_, WM_COMMAND, kCmdDebug, 0);
    const std::wstring recorded = folder_.File(L"engine-command-line.bin");
    ASSERT_TRUE(test::PumpUntil([&] { return test::FileExists(recorded); }, 30s));
    const std::wstring expected =
        L"\"" + engine + L"\" " + folder_.File(L"p\\obj\\vc2019_x86_debug\\app.exe\\app.exe") + L" %n %s 100%";
    test::PumpUntil([&] { return test::ReadFileBytes(recorded).size() >= expected.size() * 2; }, 5s);
    const std::string bytes = test::ReadFileBytes(recorded);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2), expected);

    ClearOutput();
    ASSERT_NE(OpenDocument(folder_.File(L"d\\build.tvk")), nullptr);
    ::SendMessageW(window_, WM_COMMAND, kCmdDebug, 0);
    EXPECT_EQ(OutputText(), "Error : Only support debug executable file\n");
}

TEST_F(UserCommandsTest, ConvertCommandWritesBuildTvkAndReportsInTheOutputPane) {
    ::CreateDirectoryW(folder_.File(L"vs").c_str(), nullptr);
    const std::wstring vcxproj = folder_.File(L"vs\\app.vcxproj");
    test::WriteFileBytes(vcxproj, "<Project><PropertyGroup Condition=\"'Release|Win32'\"><ConfigurationType>"
                                  "DynamicLibrary</ConfigurationType></PropertyGroup><ItemGroup>"
                                  "<ClCompile Include=\"a b.c\"/></ItemGroup></Project>");
    SetConvertDialogHook([&] { return std::optional<std::wstring>(vcxproj); });
    ::SendMessageW(window_, WM_COMMAND, kCmdConvertVsProject, 0);
    ASSERT_TRUE(ChainsEnd());
    test::PumpFor(100ms);
    const std::wstring project = folder_.File(L"vs\\build.tvk");
    EXPECT_EQ(OutputText(), "Convert " + WideToUtf8(vcxproj) + " to " + WideToUtf8(project) + "\n");
    EXPECT_NE(test::ReadFileBytes(project).find("TARGETTYPE=DLL"), std::string::npos);

    ClearOutput();
    test::WriteFileBytes(project, "kept");
    ::SendMessageW(window_, WM_COMMAND, kCmdConvertVsProject, 0);
    ASSERT_TRUE(ChainsEnd());
    SetConvertDialogHook(nullptr);
    EXPECT_EQ(Boxes(), (std::vector<std::wstring>{L"The file " + project + L" exists. Overwrite?"}));
    EXPECT_EQ(test::ReadFileBytes(project), "kept") << "the box was not answered Yes";
}

// Runs inside the dialog's modal loop: reads the rows, changes two ticks and presses Build.
struct DialogSeen {
    std::vector<unsigned> codes;
    std::vector<unsigned> ticked;
    std::wstring armRow;
};
DialogSeen g_seen;

void CALLBACK AnswerBatchBuild(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = ::FindWindowW(L"#32770", kBatchBuildTitle);
    if (dialog == nullptr) {
        return;
    }
    ::KillTimer(nullptr, timer);
    HWND list = ::GetDlgItem(dialog, kBatchBuildListId);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ListView_GetItem(list, &item);
        const auto code = static_cast<unsigned>(item.lParam);
        g_seen.codes.push_back(code);
        if (ListView_GetCheckState(list, row)) {
            g_seen.ticked.push_back(code);
        }
        if (code == 0x8941) {
            wchar_t text[3][64] = {};
            for (int column = 0; column < 3; ++column) {
                ListView_GetItemText(list, row, column, text[column], 64);
            }
            g_seen.armRow = std::wstring(text[0]) + L"|" + text[1] + L"|" + text[2];
        }
        if (code == 0x8901) {
            ListView_SetCheckState(list, row, TRUE);
        }
        if (code == 0x8A21) {
            ListView_SetCheckState(list, row, FALSE);
        }
    }
    ::SendMessageW(dialog, WM_COMMAND, kBatchBuildId, 0);
}

TEST_F(UserCommandsTest, BatchBuildReadsAndWritesItsTicksAndBuildsEachTickedConfiguration) {
    const IniFile ini(App().paths.settingsFile);
    const std::vector<std::wstring> ticks = {L"vc2022_x64_debug=1", L"VC2022_ARM64_Release=1", L"vc2019_x86_debug=0"};
    ini.WriteList(L"Batchbuild", &ticks);
    Project(L"p", "TARGETNAME=app\r\n");
    ASSERT_NE(OpenDocument(folder_.File(L"p\\build.tvk")), nullptr);
    g_seen = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerBatchBuild);
    ASSERT_NE(timer, 0u);
    ::SendMessageW(window_, WM_COMMAND, kCmdBatchBuild, 0);

    ASSERT_EQ(g_seen.codes.size(), 14u) << "vc2019's eight and vc2022's six";
    EXPECT_EQ(g_seen.codes[6], 0x8940u);
    EXPECT_EQ(g_seen.armRow, L"Visual C++ 2019|ARM|Release");
    EXPECT_EQ(g_seen.ticked, (std::vector<unsigned>{0x8A10, 0x8A21}));
    EXPECT_EQ(ini.ReadList(L"Batchbuild"), (std::vector<std::wstring>{L"vc2019_x86_release=1", L"vc2022_x64_debug=1"}));
    const std::wstring project = folder_.File(L"p\\build.tvk");
    EXPECT_EQ(WideLines(folder_.File(L"engine-runs.txt")),
              (std::vector<std::wstring>{L"vc2019_x86_release build.exe -z  " + project,
                                         L"vc2022_x64_debug build.exe -z  " + project}));
    const std::string output = OutputText();
    EXPECT_NE(output.find("engine pid"), output.rfind("engine pid")) << "both builds' output stays: " << output;
}

}  // namespace
}  // namespace kelpo
