// Builds in the real main window with a stand-in engine: what reaches the engine, what reaches
// the output pane and how it is coloured, the refusals, stopping, and the double click.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SciLexer.h"
#include "base/app_state.h"
#include "base/handles.h"
#include "base/text_convert.h"
#include "build/build_command_ids.h"
#include "build/build_environment.h"
#include "build/build_runner.h"
#include "build/configuration_box.h"
#include "build/output_lexer.h"
#include "build/output_pane.h"
#include "build/project_for_build.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/project_marks.h"
#include "lang/editor_view.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

std::function<void()> g_tick;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_tick) {
        g_tick();
    }
}

// Runs `action` every 50 ms while the build's own message loop runs.
class Ticker {
public:
    explicit Ticker(std::function<void()> action) : timer_(::SetTimer(nullptr, 0, 50, Tick)) {
        g_tick = std::move(action);
    }
    ~Ticker() {
        ::KillTimer(nullptr, timer_);
        g_tick = nullptr;
    }

private:
    UINT_PTR timer_;
};

unique_handle OpenProcessNamed(const std::string& output, const std::string& label) {
    const std::size_t at = output.find(label);
    if (at == std::string::npos) {
        return {};
    }
    const unsigned long id = std::stoul(output.substr(at + label.size()));
    return unique_handle(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
}

class BuildRunTest : public test::MainWindowFixture {
protected:
    // The program folder holds the stand-in engine and the tool vc2022, so the build toolbar
    // offers vc2022's configurations.
    void SetUp() override {
        ASSERT_TRUE(::CopyFileW((test::ProgramFolder() + L"kelpo_standin_engine.exe").c_str(),
                                folder_.File(L"build.exe").c_str(), FALSE));
        ::CreateDirectoryW(folder_.File(L"vc2022").c_str(), nullptr);
        test::WriteFileBytes(folder_.File(L"vc2022\\config.ini"), "[CONFIG]\r\n");
        ResetProjectMarks();  // no project is open in the new window
        MainWindowFixture::SetUp();
    }

    // The block the engine received, as it must equal `given`. Wine adds its own WINE... variables
    // and moves SystemDrive and SystemRoot to the end: on Wine those are left out of both.
    static std::pair<std::wstring, std::wstring> Comparable(std::wstring received, std::wstring given) {
        if (::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) {
            return {received, given};
        }
        const auto without = [](const std::wstring& block) {
            std::wstring kept;
            for (std::size_t at = 0; at < block.size() && block[at] != L'\0'; at = block.find(L'\0', at) + 1) {
                const std::wstring_view entry(block.c_str() + at);
                if (!entry.starts_with(L"WINE") && !entry.starts_with(L"SystemDrive=") &&
                    !entry.starts_with(L"SystemRoot=")) {
                    kept.append(entry).push_back(L'\0');
                }
            }
            return kept + L'\0';
        };
        return {without(received), without(given)};
    }

    std::wstring ReceivedBlock() const {
        const std::string bytes = test::ReadFileBytes(folder_.File(L"engine-environment.bin"));
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    }

    // A project file in a sub-folder, opened in a tab.
    Document* OpenProject(const std::wstring& subfolder, const std::string& content = "TARGETNAME=app\r\n") {
        ::CreateDirectoryW(folder_.File(subfolder).c_str(), nullptr);
        const std::wstring path = folder_.File(subfolder + L"\\build.tvk");
        test::WriteFileBytes(path, content);
        return OpenDocument(path);
    }

    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        lines.push_back(text.substr(start));
        return lines;
    }

    // Two clicks on the line's first character, as the mouse makes them.
    void DoubleClickOutputLine(int line) {
        ::SendMessageW(window_, WM_COMMAND, 94, 0);  // the output page, shown
        HWND view = OutputView()->Window();
        const sptr_t position = OutputView()->Call(SCI_POSITIONFROMLINE, line);
        const LPARAM point = MAKELPARAM(OutputView()->Call(SCI_POINTXFROMPOSITION, 0, position) + 2,
                                        OutputView()->Call(SCI_POINTYFROMPOSITION, 0, position) + 2);
        for (int click = 0; click < 2; ++click) {
            ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, point);
            ::SendMessageW(view, WM_LBUTTONUP, 0, point);
        }
    }

    static int StyleOfLine(int line) {
        EditorView& view = *OutputView();
        view.Call(SCI_COLOURISE, 0, -1);
        return static_cast<int>(view.Call(SCI_GETSTYLEAT, view.Call(SCI_POSITIONFROMLINE, line)));
    }
};

using NoToolTest = test::MainWindowFixture;

TEST_F(NoToolTest, WithoutAConfigurationNoTarvikIsFound) {
    ASSERT_EQ(CurrentConfiguration(), -1);
    ASSERT_EQ(::SendMessageW(window_, WM_COMMAND, kCmdBuild, 0), 0);
    EXPECT_EQ(OutputText(), "Error : No Tarvik found\n");
}

TEST_F(BuildRunTest, RefusalsWithoutProjectOrEngine) {
    const int code = CurrentConfiguration();
    ASSERT_GE(code, 0);
    StartBuild(L"", code);
    EXPECT_EQ(OutputText(), "Error : no .tvk file specified\n") << "only an ordinary document is open";

    ASSERT_NE(OpenProject(L"p"), nullptr);
    ASSERT_TRUE(::DeleteFileW(folder_.File(L"build.exe").c_str()));
    StartBuild(L"", code);
    const std::string missing = "Error : cannot start " + WideToUtf8(folder_.File(L"build.exe")) + ": ";
    EXPECT_EQ(OutputText().substr(0, missing.size()), missing);
    EXPECT_GT(OutputText().size(), missing.size() + 5) << "the system's reason follows";

    test::WriteFileBytes(folder_.File(L"tarvik.ini"), "[Variable]\r\nHUGE=" + std::string(40000, 'x') + "\r\n");
    const std::string refused = ComposeEnvironment(static_cast<unsigned>(code)).error;
    ASSERT_FALSE(refused.empty());
    ClearOutput();
    StartBuild(L"", code);
    EXPECT_EQ(OutputText(), refused) << "the engine is not tried";

    CloseAllTabs();
    ClearOutput();
    StartBuild(L"", code);
    EXPECT_EQ(OutputText(), "") << "no document, no build";
}

TEST_F(BuildRunTest, EngineGetsItsCommandLineAndBlockAndItsOutputArrivesWholeAndColoured) {
    Document* project = OpenProject(L"with blanks");
    ASSERT_NE(project, nullptr);
    const int code = CurrentConfiguration();
    ASSERT_GE(code, 0);
    StartBuild(L"/r", code);

    const std::wstring commandLine = L"build.exe -z /r " + project->path;
    EXPECT_EQ(test::ReadFileBytes(folder_.File(L"engine-command-line.bin")),
              std::string(reinterpret_cast<const char*>(commandLine.data()), commandLine.size() * sizeof(wchar_t)));
    const auto [received, given] = Comparable(ReceivedBlock(), ComposeEnvironment(static_cast<unsigned>(code)).block);
    EXPECT_EQ(received, given);

    const std::string accented = WideToUtf8(AnsiToWide("src\\\xE9t\xE9.cpp(2): error C1: \xE0 voir\r"));
    const std::vector<std::string> lines = Lines(OutputText());
    ASSERT_EQ(lines.size(), 8u) << OutputText();
    EXPECT_EQ(lines[0].rfind("engine pid ", 0), 0u);
    const std::vector<std::string> expected = {
        "Compiling...\r",
        "src\\a.cpp(7): warning C4100: unused, no error here\r",
        "d:\\x\\b.cpp(3) : error C2065: x\r",
        accented,
        "- error in a diff line\r",
        "Linking out\\app.exe\r",
        "done",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected);
    EXPECT_EQ(StyleOfLine(2), kOutputWarningStyle);
    EXPECT_EQ(StyleOfLine(3), kOutputErrorStyle);
    EXPECT_EQ(StyleOfLine(4), kOutputErrorStyle);
    EXPECT_EQ(StyleOfLine(5), SCE_ERR_DIFF_DELETION);
    EXPECT_TRUE(OutputView()->Call(SCI_GETREADONLY));

    // The double click finds the non-ASCII file beside the project, at its line.
    const std::wstring source = folder_.File(L"with blanks\\src\\") + AnsiToWide("\xE9t\xE9.cpp");
    ::CreateDirectoryW(folder_.File(L"with blanks\\src").c_str(), nullptr);
    test::WriteFileBytes(source, "1\r\n2\r\n3\r\n");
    DoubleClickOutputLine(4);
    ASSERT_EQ(Tabs()->Active()->path, source);
    EXPECT_EQ(test::CaretLineColumn(*Tabs()->Active()).first, 2);
    EXPECT_FALSE(OpenOutputLine(3)) << "d:\\x\\b.cpp does not exist";
}

TEST_F(BuildRunTest, StopEndsTheEngineAndItsChildWhileASecondBuildIsRefused) {
    ASSERT_NE(OpenProject(L"p", "STANDIN=child\r\n"), nullptr);
    unique_handle engine;
    unique_handle child;
    int ticks = 0;
    int ticksAfterStop = -1;
    bool endedByTheTest = false;
    bool stopEnabledWhileRunning = false;
    const auto stopEnabled = [] {
        HWND toolbar = App().shell.buildToolbar;
        return toolbar != nullptr && ::SendMessageW(toolbar, TB_ISBUTTONENABLED, kCmdStopBuild, 0) != 0;
    };
    EXPECT_FALSE(stopEnabled());
    Ticker ticker([&] {
        const std::string output = OutputText();
        if (ticksAfterStop >= 0) {
            // A stop that left them running would hold the pipe open for ever.
            if (++ticksAfterStop == 100 && engine && child) {
                endedByTheTest = true;
                ::TerminateProcess(engine.get(), 1);
                ::TerminateProcess(child.get(), 1);
            }
        } else if (++ticks > 200 || output.find("hanging") != std::string::npos) {
            engine = OpenProcessNamed(output, "engine pid ");
            child = OpenProcessNamed(output, "child pid ");
            ticksAfterStop = 0;
            stopEnabledWhileRunning = stopEnabled();
            ::SendMessageW(window_, WM_COMMAND, kCmdBuild, 0);
            ::SendMessageW(window_, WM_COMMAND, kCmdStopBuild, 0);
        }
    });
    ASSERT_EQ(::SendMessageW(window_, WM_COMMAND, kCmdBuild, 0), 0);
    EXPECT_FALSE(BuildRunning());
    EXPECT_TRUE(stopEnabledWhileRunning);
    EXPECT_FALSE(stopEnabled());
    EXPECT_FALSE(endedByTheTest);
    const std::string output = OutputText();
    EXPECT_NE(output.find("Error : a build is running"), std::string::npos) << output;
    EXPECT_NE(output.find("The build was stopped."), std::string::npos) << output;
    ASSERT_TRUE(engine && child) << output;
    EXPECT_EQ(::WaitForSingleObject(engine.get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(child.get(), 5000), WAIT_OBJECT_0);
}

TEST_F(BuildRunTest, DestroyingTheWindowStopsTheBuild) {
    ASSERT_NE(OpenProject(L"p", "STANDIN=hang\r\n"), nullptr);
    unique_handle engine;
    Ticker ticker([&] {
        if (OutputText().find("hanging") != std::string::npos) {
            engine = OpenProcessNamed(OutputText(), "engine pid ");
            g_tick = nullptr;
            ::DestroyWindow(window_);
        }
    });
    StartBuild(L"", CurrentConfiguration());
    EXPECT_FALSE(::IsWindow(window_));
    ASSERT_TRUE(engine);
    EXPECT_EQ(::WaitForSingleObject(engine.get(), 5000), WAIT_OBJECT_0);
}

TEST_F(BuildRunTest, TheEditedProjectWinsThenTheActiveOneThenTheFirst) {
    Document* first = OpenProject(L"one");
    Document* second = OpenProject(L"two");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(ProjectForBuild(), second->path) << "the current document is a project";
    Document* plain = NewDocument(nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(ProjectForBuild(), first->path) << "the active project";
    MakeActiveProject(*second);
    EXPECT_EQ(ProjectForBuild(), second->path);
    Tabs()->Activate(Tabs()->IndexOf(second), false);
    ::SendMessageW(window_, WM_COMMAND, 5, 0);  // closes the active project
    ASSERT_FALSE(ActiveProjectExists());
    Tabs()->Activate(Tabs()->IndexOf(plain), false);
    EXPECT_EQ(ProjectForBuild(), first->path) << "the first project in tab order";
}

}  // namespace
}  // namespace kelpo
