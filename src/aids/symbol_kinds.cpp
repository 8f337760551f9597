// Kind names and images, and the letter maps of the languages whose ctags kinds differ from C's.
#include "aids/symbol_kinds.h"

#include <array>
#include <span>

#include "lang/language_catalogue.h"

namespace kelpo {
namespace {

struct KindRow {
    std::string_view name;
    int image;
};

constexpr std::array<KindRow, kSymbolKindCount> kKinds = {{
    {"unknown", 12},   {"function", 0},   {"procedure", 2},  {"class", 2},      {"macro", 6},
    {"enum", 5},       {"filename", 0},   {"enumname", 4},   {"member", 1},     {"prototype", 8},
    {"structure", 3},  {"typedef", 7},    {"union", 10},     {"variable", 8},   {"namespace", 9},
    {"method", 0},     {"event", 2},      {"interface", 4},  {"property", 11},  {"program", 4},
    {"constant", 15},  {"label", 15},     {"singleton", 10}, {"mixin", 10},     {"module", 6},
    {"net", 12},       {"port", 13},      {"register", 14},  {"task", 10},      {"cursor", 9},
    {"record", 9},     {"subtype", 9},    {"trigger", 9},    {"set", 9},        {"field", 11},
    {"table", 9},      {"attribute", 10}, {"component", 4},  {"package", 9},    {"entity", 9},
    {"architecture", 9}, {"process", 2},
}};

const KindRow& RowOf(SymbolKind kind) {
    const auto k = static_cast<std::size_t>(kind);
    return kKinds[k < kKinds.size() ? k : 0];
}

struct LetterKind {
    char letter;
    SymbolKind kind;
};

using K = SymbolKind;

// Every language without a row of its own below: C and the languages ctags treats like it.
constexpr LetterKind kDefaultLetters[] = {
    {'c', K::Class},    {'d', K::Macro},     {'e', K::Enum},      {'f', K::Function}, {'g', K::Enumname},
    {'l', K::Variable}, {'m', K::Member},    {'n', K::Namespace}, {'p', K::Prototype}, {'s', K::Structure},
    {'t', K::Typedef},  {'u', K::Union},     {'v', K::Variable},  {'x', K::Variable}, {'F', K::Filename},
};
constexpr LetterKind kCSharpLetters[] = {
    {'c', K::Class},    {'d', K::Macro},  {'e', K::Enum},      {'f', K::Member},   {'g', K::Enumname},
    {'i', K::Interface}, {'l', K::Variable}, {'m', K::Method}, {'n', K::Namespace}, {'p', K::Property},
    {'s', K::Structure}, {'t', K::Typedef}, {'E', K::Event},   {'F', K::Filename},
};
constexpr LetterKind kJavaLetters[] = {
    {'c', K::Class},  {'f', K::Member},    {'i', K::Interface}, {'l', K::Variable},
    {'m', K::Method}, {'p', K::Namespace}, {'F', K::Filename},
};
constexpr LetterKind kPascalLetters[] = {{'f', K::Function}, {'p', K::Procedure}, {'F', K::Filename}};
constexpr LetterKind kSqlLetters[] = {
    {'c', K::Cursor},   {'d', K::Prototype}, {'f', K::Function}, {'l', K::Variable}, {'p', K::Procedure},
    {'r', K::Record},   {'s', K::Subtype},   {'t', K::Table},    {'v', K::Variable}, {'F', K::Field},
    {'L', K::Label},    {'P', K::Module},    {'T', K::Trigger},
};
constexpr LetterKind kVisualBasicLetters[] = {
    {'c', K::Class},  {'d', K::Field},     {'f', K::Function}, {'k', K::Constant},
    {'m', K::Module}, {'s', K::Procedure}, {'F', K::Filename},
};
constexpr LetterKind kPerlLetters[] = {
    {'c', K::Constant}, {'l', K::Label}, {'s', K::Function}, {'F', K::Filename}};
constexpr LetterKind kLuaLetters[] = {{'f', K::Function}, {'F', K::Filename}};
constexpr LetterKind kRubyLetters[] = {
    {'c', K::Class}, {'f', K::Method}, {'m', K::Mixin}, {'F', K::Singleton}};
constexpr LetterKind kVhdlLetters[] = {
    {'a', K::Attribute}, {'c', K::Constant}, {'f', K::Function}, {'k', K::Component}, {'l', K::Package},
    {'m', K::Process},   {'n', K::Entity},   {'o', K::Architecture}, {'p', K::Procedure}, {'s', K::Net},
    {'t', K::Typedef},   {'u', K::Port},     {'v', K::Variable},  {'F', K::Filename},
};
constexpr LetterKind kVerilogLetters[] = {
    {'c', K::Constant}, {'e', K::Event}, {'f', K::Function}, {'m', K::Module},
    {'n', K::Net},      {'p', K::Port},  {'r', K::Register}, {'t', K::Task},  {'F', K::Filename},
};

std::span<const LetterKind> LettersOf(int language) {
    switch (language) {
        case kLangCSharp: return kCSharpLetters;
        case kLangJava: return kJavaLetters;
        case kLangPascal: return kPascalLetters;
        case kLangSql: return kSqlLetters;
        case kLangVisualBasic: return kVisualBasicLetters;
        case kLangPerl: return kPerlLetters;
        case kLangLua: return kLuaLetters;
        case kLangRuby: return kRubyLetters;
        case kLangVhdl: return kVhdlLetters;
        case kLangVerilog: return kVerilogLetters;
        default: return kDefaultLetters;
    }
}

}  // namespace

std::string_view KindName(SymbolKind kind) { return RowOf(kind).name; }

int KindImage(SymbolKind kind) { return RowOf(kind).image; }

SymbolKind KindOfTagLetter(int language, char letter) {
    for (const LetterKind& entry : LettersOf(language)) {
        if (entry.letter == letter) return entry.kind;
    }
    return SymbolKind::Unknown;
}

}  // namespace kelpo
