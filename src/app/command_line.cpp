// Parsing of the command line into files to open and their caret placement.
#include "app/command_line.h"

#include <cwctype>

namespace kelpo {
namespace {

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::towlower(text[i]) != std::towlower(prefix[i])) {
            return false;
        }
    }
    return true;
}

// Leading blanks, optional sign, decimal digits; 0 when there are none, like _wtoi.
int ReadDecimal(std::wstring_view text, std::size_t& pos) {
    while (pos < text.size() && (text[pos] == L' ' || text[pos] == L'\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    long long value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
        if (value < 0x7FFFFFFF) {
            value = value * 10 + (text[pos] - L'0');
        }
        ++pos;
    }
    if (value > 0x7FFFFFFF) {
        value = 0x7FFFFFFF;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

const wchar_t kUsageText[] =
    L"Usage:\r\nkelpo [Switches] FilePath...\r\n\r\nSwitches:\r\n  -line:X     Scroll to indicated line\r\n"
    L"\r\nExamples:\r\nkelpo -line:3 d:\\foo.txt       Open d:\\foo.txt and jump to line 3\r\n";

bool IsSwitch(std::wstring_view argument) {
    if (argument.empty()) {
        return false;
    }
    if (argument[0] == L'-' || argument[0] == L'/') {
        return true;
    }
    return argument[0] == L'\\' && (argument.size() < 2 || argument[1] != L'\\');
}

bool IsLineSwitch(std::wstring_view argument) {
    return IsSwitch(argument) && StartsWithNoCase(argument.substr(1), L"line:");
}

std::vector<std::wstring> IgnoredSwitches(const std::vector<std::wstring>& args) {
    std::vector<std::wstring> ignored;
    for (const std::wstring& arg : args) {
        if (IsSwitch(arg) && !IsLineSwitch(arg)) {
            ignored.push_back(arg);
        }
    }
    return ignored;
}

std::vector<FileArgument> ParseFileArguments(const std::vector<std::wstring>& args) {
    std::vector<FileArgument> files;
    FileArgument placement;
    for (const std::wstring& arg : args) {
        if (!IsSwitch(arg)) {
            FileArgument file = placement;
            file.path = arg;
            files.push_back(std::move(file));
            continue;
        }
        if (!IsLineSwitch(arg)) {
            continue;
        }
        const std::wstring_view body = std::wstring_view(arg).substr(1);
        std::size_t pos = 5;
        placement.hasLine = true;
        placement.line = ReadDecimal(body, pos);
        placement.column = 1;
        if (pos < body.size() && body[pos] == L',') {
            ++pos;
            placement.column = ReadDecimal(body, pos);
        }
    }
    return files;
}

InstallerAction FindInstallerSwitch(const std::vector<std::wstring>& args) {
    for (const std::wstring& arg : args) {
        if (arg.size() < 3 || (arg[0] != L'-' && arg[0] != L'/' && arg[0] != L'\\')) {
            continue;
        }
        const std::wstring_view code = std::wstring_view(arg).substr(1, 2);
        if (StartsWithNoCase(code, L"xi")) {
            return InstallerAction::PostInstall;
        }
        if (StartsWithNoCase(code, L"xu")) {
            return InstallerAction::Uninstall;
        }
    }
    return InstallerAction::None;
}

}  // namespace kelpo
