// Running the tag generator: its command line per language, the real ctags.exe on files of four
// languages, and a generator that hangs, writes a very long line or ends without a line end.
#include "aids/tag_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "aids/tag_command.h"
#include "aids/tag_server.h"
#include "base/handles.h"
#include "lang/language_catalogue.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

constexpr char kWriterVariable[] = "KELPO_TAG_WRITER";

TEST(TagCommand, ForcesTheLanguagesCtagsIsToldAbout) {
    const struct {
        int language;
        const wchar_t* command;
    } rows[] = {
        {kLangCpp, LR"(ctags --language-force=C++ -n --fields=+n -f - "C:\src\a b.cpp")"},
        {kLangC, LR"(ctags -n --fields=+n -f - "C:\src\a b.cpp")"},
        {kLangJava, LR"(ctags --language-force=Java -n --fields=+n -f - "C:\src\a b.cpp")"},
        {kLangAssembly, LR"(ctags --language-force=Asm -n --fields=+n -f - "C:\src\a b.cpp")"},
        {kLangErlang, LR"(ctags --language-force=Erlang -n --fields=+n -f - "C:\src\a b.cpp")"},
        {kLangText, LR"(ctags -n --fields=+n -f - "C:\src\a b.cpp")"},
    };
    for (const auto& row : rows) EXPECT_EQ(TagCommandLine(row.language, LR"(C:\src\a b.cpp)"), row.command);
}

class Collector : public TagSink {
public:
    void Receive(const Symbol& symbol) override {
        std::ostringstream line;
        line << symbol.name << ' ' << KindName(symbol.kind) << ' ' << symbol.scope.value_or("-") << ' ' << symbol.line;
        symbols.push_back(line.str());
    }
    std::vector<std::string> symbols;
};

TEST(TagRunner, TheRealCtagsFindsFunctionsClassesAndMembers) {
    const struct {
        const char* file;
        int language;
        std::vector<std::string> expected;  // name, kind, scope, line
    } rows[] = {
        {"sample.c", kLangC,
         {"LIMIT macro - 3", "add function - 14", "counter variable - 12", "main function - 19",
          "point structure - 5", "point_t typedef - 10", "x member point 6", "y member point 7"}},
        {"sample.cpp", kLangCpp,
         {"Area function shapes::Circle 20", "Circle class - 11", "Circle function shapes::Circle 13",
          "Shape class - 5", "Twice function - 27", "radius_ member shapes::Circle 17", "shapes namespace - 3"}},
        {"Sample.java", kLangJava,
         {"Listener interface Sample 14", "Sample class - 3", "Sample method Sample 6", "count member Sample 4",
          "next method Sample 10"}},
        {"sample.py", kLangPython,
         {"LIMIT variable - 16", "Walker class - 4", "__init__ member Walker 5", "main function - 12",
          "names member Walker 8"}},
    };
    test::TempFolder folder;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        std::ifstream source(std::string(KELPO_TEST_DATA_DIR "/symbols/") + row.file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty());
        const std::wstring path = folder.File(std::wstring(row.file, row.file + std::strlen(row.file)));
        test::WriteFileBytes(path, bytes);
        Collector collector;
        ASSERT_TRUE(RunTags(path, row.language, collector));
        for (const std::string& symbol : row.expected) {
            EXPECT_NE(std::find(collector.symbols.begin(), collector.symbols.end(), symbol), collector.symbols.end())
                << symbol << " is missing";
        }
        // The waiting generator gives what ctags started alone gives.
        Collector alone;
        const std::optional<std::vector<Symbol>> once =
            RunTagProgram(TagCommandLine(row.language, path), row.language, KindMask::All());
        ASSERT_TRUE(once.has_value());
        for (const Symbol& symbol : *once) alone.Receive(symbol);
        EXPECT_EQ(collector.symbols, alone.symbols);
    }
}

// One generator answers file after file; when it is gone, the next file starts another.
TEST(TagRunner, OneGeneratorServesEveryFileAndIsStartedAgainWhenGone) {
    test::TempFolder folder;
    const std::wstring c = folder.File(L"one.c");
    const std::wstring py = folder.File(L"two.py");
    test::WriteFileBytes(c, "int alpha(void) { return 1; }\n");
    test::WriteFileBytes(py, "def beta():\n    pass\n");
    const auto names = [](const std::optional<std::vector<Symbol>>& symbols) {
        std::vector<std::string> found;
        for (const Symbol& symbol : symbols.value_or(std::vector<Symbol>())) found.push_back(symbol.name);
        return found;
    };
    EXPECT_EQ(names(CollectTags(c, kLangC)), std::vector<std::string>{"alpha"});
    const DWORD first = TagServerProcessId();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(names(CollectTags(py, kLangPython)), std::vector<std::string>{"beta"});
    EXPECT_EQ(names(CollectTags(folder.File(L"missing.c"), kLangC)), std::vector<std::string>{});
    EXPECT_EQ(TagServerProcessId(), first);

    unique_handle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, first));
    ASSERT_TRUE(process);
    ::TerminateProcess(process.get(), 1);
    ::WaitForSingleObject(process.get(), 5000);
    EXPECT_EQ(names(CollectTags(c, kLangC)), std::vector<std::string>{"alpha"});
    EXPECT_NE(TagServerProcessId(), first);
}

std::wstring SelfCommandLine() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return L"\"" + std::wstring(self) + L"\" --gtest_also_run_disabled_tests --gtest_filter=TagWriter.*";
}

// This test program stands in for the generator, writing what the variable asks for.
std::optional<std::vector<Symbol>> RunWriter(const wchar_t* what, DWORD limitMs) {
    ::SetEnvironmentVariableW(L"KELPO_TAG_WRITER", what);
    std::optional<std::vector<Symbol>> symbols = RunTagProgram(SelfCommandLine(), kLangC, KindMask::All(), limitMs);
    ::SetEnvironmentVariableW(L"KELPO_TAG_WRITER", nullptr);
    return symbols;
}

TEST(TagRunner, KeepsALongLineAndAnUnendedLastLine) {
    const std::optional<std::vector<Symbol>> symbols = RunWriter(L"long", 30000);
    ASSERT_TRUE(symbols.has_value());
    ASSERT_EQ(symbols->size(), 3u);
    EXPECT_EQ((*symbols)[0].scope->size(), 50000u);
    EXPECT_EQ((*symbols)[1].name, "next");
    EXPECT_EQ((*symbols)[2].name, "tail");
    EXPECT_EQ((*symbols)[2].line, 4u);
}

TEST(TagRunner, EndsAGeneratorThatHangsWithItsPipeOpen) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RunWriter(L"hang", 1500).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_FALSE(RunTagProgram(L"kelpo-no-such-program.exe", kLangC, KindMask::All()).has_value());
}

TEST(TagWriter, DISABLED_WritesWhatTheVariableAsks) {
    const char* what = std::getenv(kWriterVariable);
    if (what == nullptr) return;
    if (std::string(what) == "hang") {
        std::fputs("partial\tx.c\t1;\"\tf", stdout);
        std::fflush(stdout);
        ::Sleep(60000);
    }
    const std::string longLine = "long\tx.c\t1;\"\tf\tline:1\tclass:" + std::string(50000, 'L');
    std::fputs((longLine + "\nnext\tx.c\t2;\"\tf\tline:2\ntail\tx.c\t4;\"\tf\tline:4").c_str(), stdout);
    std::fflush(stdout);
    ::ExitProcess(0);  // before the test framework writes anything after the last tag
}

}  // namespace
}  // namespace kelpo
