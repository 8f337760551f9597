// Languages whose files ctags would not recognise by their names, or would read as another
// language, are named to it; line numbers as addresses and as a field, the tags on standard output.
#include "aids/tag_command.h"

#include <array>

#include "lang/language_catalogue.h"

namespace kelpo {
namespace {

struct ForcedLanguage {
    int language;
    std::wstring_view name;
};

constexpr std::array<ForcedLanguage, 20> kForced = {{
    {kLangPhp, L"PHP"},          {kLangCpp, L"C++"},        {kLangCSharp, L"C#"},      {kLangJava, L"Java"},
    {kLangMakefile, L"Make"},    {kLangPascal, L"Pascal"},  {kLangSql, L"SQL"},        {kLangPerl, L"Perl"},
    {kLangPython, L"Python"},    {kLangLua, L"Lua"},        {kLangFortran, L"Fortran"}, {kLangTcl, L"Tcl"},
    {kLangLisp, L"Lisp"},        {kLangAssembly, L"Asm"},   {kLangRuby, L"Ruby"},      {kLangVhdl, L"Vhdl"},
    {kLangVerilog, L"Verilog"},  {kLangCobol, L"Cobol"},    {kLangJavaScript, L"JavaScript"},
    {kLangErlang, L"Erlang"},
}};

}  // namespace

std::wstring_view CtagsLanguageName(int language) {
    for (const ForcedLanguage& entry : kForced) {
        if (entry.language == language) return entry.name;
    }
    return {};
}

std::wstring TagCommandLine(int language, const std::wstring& path) {
    std::wstring command = L"ctags";
    if (const std::wstring_view name = CtagsLanguageName(language); !name.empty()) {
        command.append(L" --language-force=").append(name);
    }
    command.append(L" -n --fields=+n -f - \"").append(path).append(L"\"");
    return command;
}

}  // namespace kelpo
