// File name filters such as "*.c;*.h": ";"-separated wildcard patterns matched without regard to case.
#pragma once

#include <string_view>

namespace kelpo {

// True when the name matches any pattern of the list; an empty list matches every name. Spaces
// before a pattern are skipped; "?" is any one character, "*" any run; "*.*" matches names
// without a dot too, and so does a pattern whose rest is "*" or "*.*" when the name ends.
bool FilterListMatches(std::wstring_view list, std::wstring_view name);

}  // namespace kelpo
