// Conversions between UTF-16 and the ANSI code page or UTF-8 through the system's code pages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelpo {

// maxBytes limits the result without cutting a character in two.
std::string WideToAnsi(std::wstring_view text, std::size_t maxBytes = static_cast<std::size_t>(-1));
std::wstring AnsiToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace kelpo
