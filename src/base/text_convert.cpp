// Code-page conversions for interface texts and file names.
#include "base/text_convert.h"

#include <windows.h>

namespace kelpo {
namespace {

std::string FromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0) {
        ::WideCharToMultiByte(codePage, 0, text.data(), length, result.data(), bytes, nullptr, nullptr);
    }
    return result;
}

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int chars = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring result(chars > 0 ? chars : 0, L'\0');
    if (chars > 0) {
        ::MultiByteToWideChar(codePage, 0, text.data(), length, result.data(), chars);
    }
    return result;
}

}  // namespace

std::string WideToAnsi(std::wstring_view text, std::size_t maxBytes) {
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        // Keep surrogate pairs together so a limit never splits a character.
        const std::size_t step = (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size()) ? 2 : 1;
        const std::string piece = FromWide(CP_ACP, text.substr(i, step));
        if (result.size() + piece.size() > maxBytes) {
            break;
        }
        result += piece;
        i += step;
    }
    return result;
}

std::wstring AnsiToWide(std::string_view text) { return ToWide(CP_ACP, text); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text); }
std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, text); }

}  // namespace kelpo
