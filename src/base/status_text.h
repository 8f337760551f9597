// The texts of the status bar's seven parts: messages, caret, line ends, encoding, indentation,
// mode, language. The shell makes the bar; every subsystem writes its parts through here.
#pragma once

#include <string>

namespace kelpo {

enum StatusPart : int {
    kStatusMessage = 0,
    kStatusCaret = 1,
    kStatusLineEnds = 2,
    kStatusEncoding = 3,
    kStatusIndentation = 4,
    kStatusMode = 5,
    kStatusLanguage = 6,
    kStatusSimple = 255,
};

inline constexpr wchar_t kCaretFormat[] = L"Ln %d, Col %d, Sel %d (%d)";
inline constexpr wchar_t kIndentSpacesFormat[] = L"Spaces: %d";

// Both do nothing (or give an empty text) while there is no status bar.
void SetStatusText(int part, const std::wstring& text);
std::wstring StatusText(int part);

}  // namespace kelpo
