// The editor and the real build engine together under Wine: a project created from a folder of C
// sources, built with the build command for vc2022 x64 debug through build.exe, Ninja and the test
// tool, then built again, touched, broken, cleaned and rebuilt, as a user would in the window.
#include <gtest/gtest.h>

#include <string>

#include "app/message_loop.h"
#include "base/app_state.h"
#include "base/handles.h"
#include "base/text_convert.h"
#include "base/ini_file.h"
#include "build/batch_build_dialog.h"
#include "build/build_command_ids.h"
#include "build/configuration_box.h"
#include "build/create_project.h"
#include "build/output_lexer.h"
#include "build/output_pane.h"
#include "build/user_commands.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/project_marks.h"
#include "lang/editor_view.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

constexpr int kVc2022X64Debug = 0x8A10;

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

DWORD ExitCodeOf(std::wstring commandLine) {
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &process)) {
        return 0xFFFFFFFF;
    }
    unique_handle processHandle(process.hProcess);
    unique_handle threadHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0xFFFFFFFF;
    ::GetExitCodeProcess(process.hProcess, &code);
    return code;
}

class BuildWithEngineTest : public test::MainWindowFixture {
protected:
    // The program folder gets the engine, Ninja, the rule files and the tool vc2022 whose folders
    // point at the test drivers; the stored configuration is vc2022 x64 debug.
    void SetUp() override {
        const std::wstring bin = test::ProgramFolder();
        for (const wchar_t* name : {L"build.exe", L"ninja.exe", L"vc.mk", L"build.xml"}) {
            if (!::CopyFileW((bin + name).c_str(), folder_.File(name).c_str(), FALSE)) {
                GTEST_SKIP() << "no " << WideToUtf8(name) << " beside the tests";
            }
        }
        std::string config = test::ReadFileBytes(bin + L"vc2022\\config.ini");
        const std::string toolFolder = WideToUtf8(bin + L"vc2022");
        for (std::size_t at; (at = config.find("%CD%")) != std::string::npos;) {
            config.replace(at, 4, toolFolder);
        }
        ::CreateDirectoryW(folder_.File(L"vc2022").c_str(), nullptr);
        test::WriteFileBytes(folder_.File(L"vc2022\\config.ini"), config);
        test::WriteFileBytes(folder_.File(L"tarvik.ini"),
                             "[Tarvik]\r\nOutputRoot=" + WideToUtf8(folder_.File(L"out")) + "\r\n");
        test::WriteFileBytes(folder_.File(L"kelpo.ini"), "[Kelpo]\r\nBuildToolId=" + std::to_string(kVc2022X64Debug) + "\r\n");

        project_ = folder_.File(L"app");
        ::CreateDirectoryW(project_.c_str(), nullptr);
        test::WriteFileBytes(project_ + L"\\main.c",
                             "#include \"util.h\"\nint main(void) { return add(40, 2); }\n");
        test::WriteFileBytes(project_ + L"\\util.c", "#include \"util.h\"\nint add(int a, int b) { return a + b; }\n");
        test::WriteFileBytes(project_ + L"\\util.h", "int add(int a, int b);\n");
        program_ = folder_.File(L"out\\obj\\vc2022_x64_debug\\app.exe\\app.exe");
        ResetProjectMarks();
        MainWindowFixture::SetUp();
    }

    // F7 in the editor view, through the program's own message loop step (its shortcut table).
    std::string PressF7() {
        MSG message{Tabs()->Active()->view->Window(), WM_KEYDOWN, VK_F7, 1, 0, {}};
        ProcessMessage(App(), message);
        return OutputText();
    }

    std::string Build(int command) {
        ::SendMessageW(window_, WM_COMMAND, command, 0);  // returns when the build has ended
        return OutputText();
    }

    // The output line that holds `part`, or -1.
    static int LineWith(const std::string& output, const std::string& part) {
        const std::size_t at = output.find(part);
        return at == std::string::npos ? -1 : Occurrences(output.substr(0, at), "\n");
    }

    std::wstring project_;
    std::wstring program_;
};

TEST_F(BuildWithEngineTest, CreateBuildTouchBreakCleanAndRebuild) {
    const auto ignore = [](std::string_view) {};
    ASSERT_TRUE(CreateProject(project_, ignore, KeepExistingProject));
    ASSERT_NE(OpenDocument(project_ + L"\\build.tvk"), nullptr);
    ASSERT_EQ(CurrentConfiguration(), kVc2022X64Debug);

    std::string output = PressF7();
    EXPECT_EQ(Occurrences(output, "Compiling "), 2) << output;
    EXPECT_NE(output.find("Linking " + WideToUtf8(program_)), std::string::npos) << output;
    ASSERT_TRUE(test::FileExists(program_)) << output;
    EXPECT_EQ(ExitCodeOf(L"\"" + program_ + L"\""), 42u);

    output = Build(kCmdBuild);
    EXPECT_EQ(Occurrences(output, "Compiling "), 0) << output;

    ::Sleep(1100);  // a later time stamp than the objects', on file systems that keep seconds
    test::WriteFileBytes(project_ + L"\\util.h", "int add(int a, int b); /* touched */\n");
    output = Build(kCmdBuild);
    EXPECT_EQ(Occurrences(output, "Compiling "), 2) << output;

    test::WriteFileBytes(project_ + L"\\util.c", "#include \"util.h\"\nint add(int a, int b) {\n return a + c;\n}\n");
    output = Build(kCmdBuild);
    const int errorLine = LineWith(output, "util.c(3)");
    ASSERT_GE(errorLine, 0) << output;
    EditorView& pane = *OutputView();
    pane.Call(SCI_COLOURISE, 0, -1);
    EXPECT_EQ(pane.Call(SCI_GETSTYLEAT, pane.Call(SCI_POSITIONFROMLINE, errorLine)), kOutputErrorStyle);
    ASSERT_TRUE(OpenOutputLine(errorLine));
    EXPECT_EQ(Tabs()->Active()->path, project_ + L"\\util.c");
    EXPECT_EQ(test::CaretLineColumn(*Tabs()->Active()).first, 3);

    test::WriteFileBytes(project_ + L"\\util.c", "#include \"util.h\"\nint add(int a, int b) { return a + b; }\n");
    ASSERT_NE(OpenDocument(project_ + L"\\build.tvk"), nullptr);  // the project again in front
    Build(kCmdClean);
    EXPECT_FALSE(test::FileExists(program_));
    output = Build(kCmdRebuild);
    EXPECT_EQ(Occurrences(output, "Compiling "), 2) << output;
    EXPECT_TRUE(test::FileExists(program_)) << output;
}

void CALLBACK PressBatchBuild(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND dialog = ::FindWindowW(L"#32770", kBatchBuildTitle)) {
        ::KillTimer(nullptr, timer);
        ::SendMessageW(dialog, WM_COMMAND, kBatchBuildId, 0);
    }
}

TEST_F(BuildWithEngineTest, BatchBuildAndAUserBuildRequestBuildEveryConfigurationAsked) {
    const auto ignore = [](std::string_view) {};
    ASSERT_TRUE(CreateProject(project_, ignore, KeepExistingProject));
    ASSERT_NE(OpenDocument(project_ + L"\\build.tvk"), nullptr);
    const std::vector<std::wstring> ticks = {L"vc2022_x64_debug=1", L"vc2022_x64_release=1"};
    IniFile(App().paths.settingsFile).WriteList(L"Batchbuild", &ticks);
    ASSERT_NE(::SetTimer(nullptr, 0, 50, PressBatchBuild), 0u);
    const std::string output = Build(kCmdBatchBuild);
    EXPECT_EQ(Occurrences(output, "Linking "), 2) << output;
    EXPECT_TRUE(test::FileExists(program_)) << output;
    EXPECT_TRUE(test::FileExists(folder_.File(L"out\\obj\\vc2022_x64_release\\app.exe\\app.exe"))) << output;

    // A user command builds in console windows, with the project folder named below DefaultDir.
    test::WriteFileBytes(folder_.File(L"tarvik.ini"), "[Tarvik]\r\nOutputRoot=" + WideToUtf8(folder_.File(L"out")) +
                                                          "\r\nDefaultDir=" + WideToUtf8(folder_.Path()) +
                                                          "\r\n[Build]\r\nMake=tarvik vc2022_x86 app\r\n");
    HMENU popup = nullptr;
    HMENU bar = ::GetMenu(window_);
    for (int i = 0; i < ::GetMenuItemCount(bar) && popup == nullptr; ++i) {
        for (int j = 0; j < ::GetMenuItemCount(::GetSubMenu(bar, i)); ++j) {
            HMENU sub = ::GetSubMenu(::GetSubMenu(bar, i), j);
            if (sub != nullptr && ::GetMenuItemID(sub, 0) == 168) {
                popup = sub;
            }
        }
    }
    ASSERT_NE(popup, nullptr);
    ::SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    ::SendMessageW(window_, WM_COMMAND, 0xE000, 0);
    ASSERT_TRUE(test::PumpUntil([] { return RunningCommandChains() == 0; }, std::chrono::seconds(180)));
    for (const wchar_t* configuration : {L"vc2022_x86_debug", L"vc2022_x86_release"}) {
        const std::wstring program = folder_.File(L"out\\obj\\") + configuration + L"\\app.exe\\app.exe";
        ASSERT_TRUE(test::FileExists(program)) << WideToUtf8(configuration);
        EXPECT_EQ(ExitCodeOf(L"\"" + program + L"\""), 42u);
    }
}

}  // namespace
}  // namespace kelpo
