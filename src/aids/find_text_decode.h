// Result text from the bytes of a matching line: UTF-8, or the ANSI code page for files that are
// neither marked nor well-formed UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "doc/ansi_code_page.h"

namespace kelpo {

// Ill-formed UTF-8 becomes U+FFFD; so do bytes the code page cannot convert, ASCII staying as it is.
std::u16string DecodeLineText(std::string_view bytes, bool utf8, const AnsiCodePage& ansi);

}  // namespace kelpo
