// The interpreter over recorded effects: what each command prints, shows, starts and returns,
// and where a chain stops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/interpret.h"

namespace kelpo {
namespace {

struct Console {
    std::wstring commandLine;
    std::wstring workingFolder;
    bool wait;
    std::wstring configuration;
};

class RecordedEffects : public InterpreterEffects {
public:
    void Print(std::wstring_view text) override { output += text; }
    void ShowError(const std::wstring& text, const std::wstring& caption) override {
        errors.push_back(caption + L": " + text);
    }
    void NoteFailure() override { ++failures; }
    std::wstring ProgramFolder() override { return L"C:\\k\\"; }
    std::wstring DefaultDir() override { return L"D:\\work\\"; }
    std::vector<const ToolDef*> InstalledTools() override { return {FindTool(L"vc2019"), FindTool(L"vc2022")}; }
    PathKind KindOf(const std::wstring& path) override {
        if (path == L"D:\\work\\proj" || path == L"src" || path == L".") {
            return PathKind::Folder;
        }
        return path.ends_with(L".vcxproj") ? PathKind::File : PathKind::None;
    }
    bool StartProgram(const std::wstring& commandLine) override {
        started.push_back(commandLine);
        return commandLine.find(L"missing") == std::wstring::npos;
    }
    bool CreateProject(const std::wstring& folder) override {
        output += L"[create " + folder + L"]";
        return true;
    }
    bool ConvertFile(const std::wstring& path) override {
        output += L"[convert " + path + L"]";
        return path.find(L"bad") == std::wstring::npos;
    }
    BuildEnvironment ComposeEnvironment(unsigned code) override {
        return BuildEnvironment{L"A=1", ConfigurationName(code), {}};
    }
    bool WriteEnvironmentBatch(const BuildEnvironment& environment) override {
        output += L"[batch " + environment.configurationName + L"]";
        return true;
    }
    int OpenBuildConsole(const std::wstring& commandLine, const std::wstring& workingFolder, bool wait,
                         const BuildEnvironment& environment) override {
        consoles.push_back({commandLine, workingFolder, wait, environment.configurationName});
        return environment.configurationName.find(failing) != std::wstring::npos && !failing.empty() ? 3 : 0;
    }

    std::wstring output;
    std::vector<std::wstring> errors;
    std::vector<std::wstring> started;
    std::vector<Console> consoles;
    std::wstring failing;  // consoles of configurations holding this text exit with 3
    int failures = 0;
};

std::vector<std::wstring> Words(const std::wstring& text) {
    std::vector<std::wstring> words;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(L' ', start), text.size());
        if (end > start) {
            words.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return words;
}

int RunText(RecordedEffects& effects, const std::wstring& text) { return Interpret(Words(text), text, effects); }

const std::wstring kList =
    L"vc2019_x86_debug\nvc2019_x86_release\nvc2019_x64_debug\nvc2019_x64_release\nvc2019_arm64_debug\n"
    L"vc2019_arm64_release\nvc2019_arm_debug\nvc2019_arm_release\n\n"
    L"vc2022_x86_debug\nvc2022_x86_release\nvc2022_x64_debug\nvc2022_x64_release\nvc2022_arm64_debug\n"
    L"vc2022_arm64_release\n\n";

TEST(Interpret, ToolCommands) {
    struct Case {
        const wchar_t* text;
        int result;
        std::wstring output;
        int failures;
    };
    const Case cases[] = {
        {L"tarvik", 0, kTarvikUsage, 0},
        {L"C:\\bin\\TARVIK.EXE list", 0, kList, 0},
        {L"tarvik create src", 0, L"[create src]", 0},
        {L"tarvik CREATE", 0, L"[create .]", 0},
        {L"tarvik create a.vcxproj", 0, L"[convert a.vcxproj]", 0},
        {L"tarvik create nowhere", 0, L"Error: nowhere does not exist.\n", 1},
        {L"tarvik convert", 0,
         L"Error: No file specified\nUsage: tarvik convert <.dsw/.sln/.dsp/.vcproj/.vcxproj>\n", 1},
        {L"tarvik convert src", 0, L"Error: src is not a vc project file.\n", 1},
        {L"tarvik convert bad.vcxproj", 0, L"[convert bad.vcxproj]", 1},
        {L"tarvik config vc2022_x64_debug", 0, L"[batch vc2022_x64_debug]", 0},
        {L"tarvik config vc2022", 1, L"Error: please specify full config name, like vc2022_x64_debug\n", 0},
        {L"tarvik config", 1, kTarvikUsage, 0},
    };
    for (const Case& c : cases) {
        RecordedEffects effects;
        EXPECT_EQ(RunText(effects, c.text), c.result) << c.text;
        EXPECT_EQ(effects.output, c.output) << c.text;
        EXPECT_EQ(effects.failures, c.failures) << c.text;
        EXPECT_TRUE(effects.errors.empty() && effects.started.empty() && effects.consoles.empty()) << c.text;
    }
}

TEST(Interpret, OtherProgramsAreStartedWithTheirRawText) {
    RecordedEffects effects;
    EXPECT_EQ(Interpret({L"notepad.exe", L"a b.txt"}, L"notepad.exe \"a b.txt\"", effects), 0);
    EXPECT_EQ(Interpret({L"missing.exe"}, L"missing.exe", effects), 1);
    EXPECT_EQ(effects.started, (std::vector<std::wstring>{L"notepad.exe \"a b.txt\"", L"missing.exe"}));
    EXPECT_EQ(effects.output, L"Error: cannot start missing.exe\n");
}

TEST(Interpret, BuildRequestsOpenAConsolePerConfiguration) {
    RecordedEffects effects;
    EXPECT_EQ(RunText(effects, L"tarvik vc2022_x64 proj -x"), 0);
    ASSERT_EQ(effects.consoles.size(), 2u);
    EXPECT_EQ(effects.consoles[0].commandLine, L"C:\\k\\build.exe -x proj");
    EXPECT_EQ(effects.consoles[0].workingFolder, L"D:\\work\\");
    EXPECT_TRUE(effects.consoles[0].wait);
    EXPECT_EQ(effects.consoles[0].configuration, L"vc2022_x64_debug");
    EXPECT_EQ(effects.consoles[1].configuration, L"vc2022_x64_release");

    RecordedEffects keep;
    EXPECT_EQ(RunText(keep, L"tarvik vc2019/vc2022 -k"), 0);
    ASSERT_EQ(keep.consoles.size(), 14u);
    EXPECT_EQ(keep.consoles[0].commandLine, L"cmd.exe /K cls");
    EXPECT_FALSE(keep.consoles[0].wait);
    EXPECT_EQ(keep.consoles[0].workingFolder, L"");

    RecordedEffects none;
    EXPECT_EQ(RunText(none, L"tarvik vc9999 proj"), 1);
    EXPECT_EQ(none.errors, (std::vector<std::wstring>{L"Kelpo: Invalid parameters, no build tools specified."}));
    EXPECT_TRUE(none.consoles.empty());
}

TEST(Interpret, AFailedConfigurationEndsTheRequestUnlessFailuresAreIgnored) {
    RecordedEffects stops;
    stops.failing = L"x64_debug";
    EXPECT_EQ(RunText(stops, L"tarvik vc2022_debug D:\\abs"), 3);
    EXPECT_EQ(stops.consoles.size(), 2u) << "x86 debug, then the failing x64 debug";
    EXPECT_EQ(stops.consoles[0].workingFolder, L"");
    EXPECT_EQ(stops.errors,
              (std::vector<std::wstring>{L"Kelpo: Run command failed:\nC:\\k\\build.exe D:\\abs\n\nExitCode=3"}));

    RecordedEffects goesOn;
    goesOn.failing = L"x64_debug";
    EXPECT_EQ(RunText(goesOn, L"tarvik vc2022_debug -i -x D:\\abs"), 0) << "the last run's result";
    ASSERT_EQ(goesOn.consoles.size(), 3u);
    EXPECT_EQ(goesOn.consoles[2].commandLine, L"C:\\k\\build.exe -i -x D:\\abs");
    EXPECT_TRUE(goesOn.errors.empty());
}

TEST(Interpret, ChainsStopAtTheFirstFailure) {
    const ArgumentSplitter split = [](const std::wstring& command) -> std::optional<std::vector<std::wstring>> {
        if (command.starts_with(L"unsplittable")) {
            return std::nullopt;
        }
        return Words(command);
    };
    struct Case {
        const wchar_t* chain;
        int result;
        std::wstring output;
    };
    const Case cases[] = {
        {L"tarvik config vc2022_x64_debug & tarvik list", 0, L"[batch vc2022_x64_debug]" + kList},
        {L"tarvik config vc2022 & tarvik list", 1,
         L"Error: please specify full config name, like vc2022_x64_debug\n"},
        {L"unsplittable & tarvik convert src & tarvik", 0,
         L"Error: src is not a vc project file.\n" + std::wstring(kTarvikUsage)},
        {L"missing.exe & tarvik list", 1, L"Error: cannot start missing.exe \n"},
        {L"notepad & tarvik list", 0, kList},
    };
    for (const Case& c : cases) {
        RecordedEffects effects;
        EXPECT_EQ(InterpretChain(c.chain, effects, split), c.result) << c.chain;
        EXPECT_EQ(effects.output, c.output) << c.chain;
    }
}

}  // namespace
}  // namespace kelpo
