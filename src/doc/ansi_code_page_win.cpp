// Conversions between the ANSI code page and UTF-16 with MultiByteToWideChar and
// WideCharToMultiByte.
#include "doc/ansi_code_page_win.h"

#include <windows.h>

#include <climits>

namespace kelpo {
namespace {

UINT& ChosenCodePage() {
    static UINT codePage = CP_ACP;
    return codePage;
}

std::optional<std::u16string> AnsiToUtf16(std::string_view ansi) {
    if (ansi.empty()) return std::u16string{};
    if (ansi.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    const int inLength = static_cast<int>(ansi.size());
    const int outLength = MultiByteToWideChar(ChosenCodePage(), 0, ansi.data(), inLength, nullptr, 0);
    if (outLength <= 0) return std::nullopt;
    std::u16string utf16(static_cast<std::size_t>(outLength), u'\0');
    auto* out = reinterpret_cast<wchar_t*>(utf16.data());
    const int written = MultiByteToWideChar(ChosenCodePage(), 0, ansi.data(), inLength, out, outLength);
    if (written != outLength) return std::nullopt;
    return utf16;
}

// Without best-fit mapping where the code page allows it ("Ω" must not become "O").
int EncodeAnsi(const wchar_t* in, int inLength, char* out, int outLength) {
    const int length = WideCharToMultiByte(ChosenCodePage(), WC_NO_BEST_FIT_CHARS, in, inLength, out, outLength,
                                           nullptr, nullptr);
    if (length == 0 && ::GetLastError() == ERROR_INVALID_FLAGS) {
        return WideCharToMultiByte(ChosenCodePage(), 0, in, inLength, out, outLength, nullptr, nullptr);
    }
    return length;
}

// The bytes only when they read back as the same text: a character that the code page has no
// form for comes back as "?" or a look-alike, whatever the code page and its flags.
std::optional<std::string> Utf16ToAnsi(std::u16string_view utf16) {
    if (utf16.empty()) return std::string{};
    if (utf16.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    const auto* in = reinterpret_cast<const wchar_t*>(utf16.data());
    const int inLength = static_cast<int>(utf16.size());
    const int outLength = EncodeAnsi(in, inLength, nullptr, 0);
    if (outLength <= 0) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(outLength), '\0');
    if (EncodeAnsi(in, inLength, ansi.data(), outLength) != outLength) return std::nullopt;
    const std::optional<std::u16string> back = AnsiToUtf16(ansi);
    if (!back || *back != utf16) return std::nullopt;
    return ansi;
}

}  // namespace

AnsiCodePage SystemAnsiCodePage() {
    return AnsiCodePage{AnsiToUtf16, Utf16ToAnsi};
}

void UseAnsiCodePage(unsigned codePage) { ChosenCodePage() = codePage; }

}  // namespace kelpo
