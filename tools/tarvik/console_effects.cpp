// Writing to the console or to redirected standard streams.
#include "console_effects.h"

#include <windows.h>

#include "base/text_convert.h"

namespace kelpo {
namespace {

// A console gets the text as it is; a pipe or file gets it in the ANSI code page with CR LF line
// ends, as a program's text-mode output would.
void Write(DWORD which, std::wstring_view text) {
    HANDLE stream = ::GetStdHandle(which);
    if (stream == nullptr || stream == INVALID_HANDLE_VALUE || text.empty()) {
        return;
    }
    DWORD mode = 0;
    if (::GetConsoleMode(stream, &mode)) {
        DWORD written = 0;
        ::WriteConsoleW(stream, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    std::wstring lines;
    for (wchar_t c : text) {
        if (c == L'\n') {
            lines += L'\r';
        }
        lines += c;
    }
    const std::string bytes = WideToAnsi(lines);
    DWORD written = 0;
    ::WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// One character of standard input, or none at its end.
std::optional<wchar_t> ReadCharacter() {
    HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    DWORD mode = 0;
    if (::GetConsoleMode(input, &mode)) {
        wchar_t line[64] = {};
        DWORD read = 0;
        if (!::ReadConsoleW(input, line, 63, &read, nullptr) || read == 0) {
            return std::nullopt;
        }
        return line[0];
    }
    char byte = 0;
    DWORD read = 0;
    if (!::ReadFile(input, &byte, 1, &read, nullptr) || read == 0) {
        return std::nullopt;
    }
    return static_cast<wchar_t>(static_cast<unsigned char>(byte));
}

}  // namespace

void ConsoleEffects::Print(std::wstring_view text) { Write(STD_OUTPUT_HANDLE, text); }

void ConsoleEffects::ShowError(const std::wstring& text, const std::wstring& caption) {
    failed_ = true;
    Write(STD_ERROR_HANDLE, (caption == L"Kelpo" ? text : caption + L": " + text) + L"\n");
}

bool ConsoleEffects::AskReplace(const std::wstring& path) {
    Print(L"The file " + path + L" exists. Overwrite? (Yes/No) ");
    const std::optional<wchar_t> answer = ReadCharacter();
    Print(L"\n");
    return answer && (*answer == L'Y' || *answer == L'y');
}

}  // namespace kelpo
