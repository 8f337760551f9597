// Conversions between the system ANSI code page and UTF-16 with
// MultiByteToWideChar and WideCharToMultiByte.
#include "doc/ansi_code_page_win.h"

#include <windows.h>

#include <climits>

namespace kelpo {
namespace {

std::optional<std::u16string> AnsiToUtf16(std::string_view ansi) {
    if (ansi.empty()) return std::u16string{};
    if (ansi.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    const int inLength = static_cast<int>(ansi.size());
    const int outLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, nullptr, 0);
    if (outLength <= 0) return std::nullopt;
    std::u16string utf16(static_cast<std::size_t>(outLength), u'\0');
    const int written =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, reinterpret_cast<wchar_t*>(utf16.data()), outLength);
    if (written != outLength) return std::nullopt;
    return utf16;
}

std::optional<std::string> Utf16ToAnsi(std::u16string_view utf16) {
    if (utf16.empty()) return std::string{};
    if (utf16.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    const auto* in = reinterpret_cast<const wchar_t*>(utf16.data());
    const int inLength = static_cast<int>(utf16.size());
    const int outLength = WideCharToMultiByte(CP_ACP, 0, in, inLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(outLength), '\0');
    const int written = WideCharToMultiByte(CP_ACP, 0, in, inLength, ansi.data(), outLength, nullptr, nullptr);
    if (written != outLength) return std::nullopt;
    return ansi;
}

}  // namespace

AnsiCodePage SystemAnsiCodePage() {
    return AnsiCodePage{AnsiToUtf16, Utf16ToAnsi};
}

}  // namespace kelpo
