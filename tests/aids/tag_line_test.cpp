// Tag lines to symbols: fields, scopes, per-language kind letters, kind filtering and malformed lines.
#include "aids/tag_line.h"

#include <gtest/gtest.h>

#include <string>

#include "lang/language_catalogue.h"

namespace kelpo {
namespace {

struct TagRow {
    const char* line;
    int language;
    SymbolKind kind;
    const char* name;
    const char* scope;    // nullptr: none
    const char* pattern;  // nullptr: none
    std::uint32_t lineNumber;
};

TEST(TagLine, ParsesTheFieldsCtagsWrites) {
    const TagRow rows[] = {
        {"foo\tx.cpp\t12;\"\tf\tline:12\tclass:Bar", kLangCpp, SymbolKind::Function, "foo", "Bar", nullptr, 12},
        {"foo\tx.cpp\t12;\"\tf\tline:12", kLangC, SymbolKind::Function, "foo", nullptr, nullptr, 12},
        {"get\tA.java\t7;\"\tf\tline:7\tclass:A", kLangJava, SymbolKind::Member, "get", "A", nullptr, 7},
        {"run\tA.java\t9;\"\tm\tline:9", kLangJava, SymbolKind::Method, "run", nullptr, nullptr, 9},
        {"OnClick\tA.cs\t3;\"\tE\tline:3", kLangCSharp, SymbolKind::Event, "OnClick", nullptr, nullptr, 3},
        {"Ins\tt.sql\t4;\"\tT\tline:4", kLangSql, SymbolKind::Trigger, "Ins", nullptr, nullptr, 4},
        {"Meta\tr.rb\t2;\"\tF\tline:2", kLangRuby, SymbolKind::Singleton, "Meta", nullptr, nullptr, 2},
        {"x.c\tx.c\t1;\"\tF\tline:1", kLangC, SymbolKind::Filename, "x.c", nullptr, nullptr, 1},
        {"rtl\tt.vhd\t5;\"\to\tline:5", kLangVhdl, SymbolKind::Architecture, "rtl", nullptr, nullptr, 5},
        {"clk\tt.v\t5;\"\tr\tline:5", kLangVerilog, SymbolKind::Register, "clk", nullptr, nullptr, 5},
        // Letters the language does not map give kind 0.
        {"w\tp.pas\t5;\"\tc\tline:5", kLangPascal, SymbolKind::Unknown, "w", nullptr, nullptr, 5},
        {"w\tx.c\t5;\"\tZ\tline:5", kLangC, SymbolKind::Unknown, "w", nullptr, nullptr, 5},
        // Scopes come from class, struct and union only; the value keeps its own colons.
        {"m\tx.cpp\t3;\"\tm\tline:3\tstruct:S", kLangCpp, SymbolKind::Member, "m", "S", nullptr, 3},
        {"m\tx.cpp\t3;\"\tm\tline:3\tunion:U", kLangCpp, SymbolKind::Member, "m", "U", nullptr, 3},
        {"m\tx.cpp\t3;\"\tm\tclass:A::B\tline:3", kLangCpp, SymbolKind::Member, "m", "A::B", nullptr, 3},
        {"m\tx.cpp\t3;\"\tm\tnamespace:N\tline:3", kLangCpp, SymbolKind::Member, "m", nullptr, nullptr, 3},
        {"m\tx.cpp\t3;\"\tm", kLangCpp, SymbolKind::Member, "m", nullptr, nullptr, 0},
        {"m\tx.cpp\t3;\"\tm\tline:0", kLangCpp, SymbolKind::Member, "m", nullptr, nullptr, 0},
        {"m\tx.cpp\t3;\"\tm\tline:16777215", kLangCpp, SymbolKind::Member, "m", nullptr, nullptr, 16777215},
        // Search addresses: the pattern runs to the last "$" of the line.
        {"main\tm.c\t/^int main(void)$/;\"\tf\tline:4", kLangC, SymbolKind::Function, "main", nullptr,
         "int main(void)", 4},
        {"d\tm.c\t/^a$b;c\tx$/;\"\tv\tline:8", kLangC, SymbolKind::Variable, "d", nullptr, "a$b;c\tx", 8},
        {"d\tm.c\t/^$/;\"\tv", kLangC, SymbolKind::Variable, "d", nullptr, "", 0},
        {"d\tm.c\t/^x$/", kLangC, SymbolKind::Unknown, "d", nullptr, "x", 0},
    };
    for (const TagRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(row.line)));
        const std::optional<Symbol> symbol = ParseTagLine(row.line, row.language);
        ASSERT_TRUE(symbol.has_value());
        EXPECT_EQ(symbol->kind, row.kind);
        EXPECT_EQ(symbol->name, row.name);
        EXPECT_EQ(symbol->scope, row.scope ? std::optional<std::string>(row.scope) : std::nullopt);
        EXPECT_EQ(symbol->pattern, row.pattern ? std::optional<std::string>(row.pattern) : std::nullopt);
        EXPECT_EQ(symbol->line, row.lineNumber);
    }
}

TEST(TagLine, SkipsPseudoTagsAndMalformedLines) {
    const char* const lines[] = {
        "!_TAG_FILE_FORMAT\t2\t/extended format; --format=1 will not append ;\" to lines/",
        "!_TAG_PROGRAM_NAME\tExuberant Ctags\t//",
        "",
        "no tabs at all",
        "name\tx.c",
        "name\tx.c\t12",
        "name\tx.c\t12\"\tf",
        "\tx.c\t12;\"\tf\tline:1",
        "p\tx.c\t/^int p(void)\tf",
        "p\tx.c\t/^int p(void)$",
        "big\tx.c\t1;\"\tf\tline:99999999999999999999999",
        "big\tx.c\t1;\"\tf\tline:4294967297",
        "big\tx.c\t1;\"\tf\tline:16777216",
        "neg\tx.c\t1;\"\tf\tline:-3",
        "bad\tx.c\t1;\"\tf\tline:12a",
        "bad\tx.c\t1;\"\tf\tline:",
        // A kind "letter" that is no ASCII letter.
        "w\tx.c\t5;\"\t#\tline:5",
        "w\tx.c\t5;\"\t7\tline:5",
        "w\tx.c\t5;\"\t\xC4\tline:5",
        "w\tx.c\t5;\"\t[\tline:5",
    };
    for (const char* line : lines) {
        EXPECT_FALSE(ParseTagLine(line, kLangCpp).has_value()) << testing::PrintToString(std::string(line));
    }
}

TEST(TagLine, ReadsNoFurtherThanTheLineItIsGiven) {
    // The line is a view into a larger buffer: what follows it must not be taken for its fields.
    const std::string buffer = "f\tx.c\t3;\"\tfline:9\tclass:Q";
    const std::optional<Symbol> symbol = ParseTagLine(std::string_view(buffer).substr(0, 11), kLangC);
    ASSERT_TRUE(symbol.has_value());
    EXPECT_EQ(symbol->kind, SymbolKind::Function);
    EXPECT_EQ(symbol->line, 0u);
    EXPECT_FALSE(symbol->scope.has_value());
    EXPECT_FALSE(ParseTagLine(std::string_view(buffer).substr(0, 7), kLangC).has_value());
}

TEST(SymbolKinds, TableMaskAndLetters) {
    EXPECT_EQ(KindName(SymbolKind::Unknown), "unknown");
    EXPECT_EQ(KindImage(SymbolKind::Unknown), 12);
    EXPECT_EQ(KindName(SymbolKind::Member), "member");
    EXPECT_EQ(KindImage(SymbolKind::Member), 1);
    EXPECT_EQ(KindName(SymbolKind::Process), "process");
    EXPECT_EQ(KindImage(SymbolKind::Process), 2);
    EXPECT_EQ(static_cast<int>(SymbolKind::Process), kSymbolKindCount - 1);

    const KindMask all = KindMask::All();
    EXPECT_EQ(all.low, 0xFFFFFFFFu);
    EXPECT_EQ(all.high, 0x3FFu);
    for (int k = 0; k < kSymbolKindCount; ++k) EXPECT_TRUE(all.Passes(static_cast<SymbolKind>(k))) << k;
    EXPECT_FALSE(all.Passes(static_cast<SymbolKind>(kSymbolKindCount)));
    const KindMask some = KindMask{}.With(SymbolKind::Function).With(SymbolKind::Field);
    EXPECT_EQ(some.low, 1u << 1);
    EXPECT_EQ(some.high, 1u << (34 - 32));
    EXPECT_TRUE(some.Passes(SymbolKind::Field));
    EXPECT_FALSE(some.Passes(SymbolKind::Unknown));
    EXPECT_FALSE(some.Passes(SymbolKind::Table));

    EXPECT_EQ(KindOfTagLetter(kLangPerl, 's'), SymbolKind::Function);
    EXPECT_EQ(KindOfTagLetter(kLangVisualBasic, 'k'), SymbolKind::Constant);
    EXPECT_EQ(KindOfTagLetter(kLangLua, 'm'), SymbolKind::Unknown);
    EXPECT_EQ(KindOfTagLetter(kLangPython, 'm'), SymbolKind::Member);
    EXPECT_EQ(KindOfTagLetter(kLangCpp, 'E'), SymbolKind::Unknown);
    EXPECT_EQ(KindOfTagLetter(kLangCpp, '\0'), SymbolKind::Unknown);
}

}  // namespace
}  // namespace kelpo
