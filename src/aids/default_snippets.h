// The snippet file written at start when the program's folder has none.
#pragma once

#include <string>
#include <string_view>

namespace kelpo {

// The built-in snippet text: UTF-8 with its byte-order mark and CR LF line ends.
std::string_view DefaultSnippetText();

// Creates the file with the built-in text when it does not exist; an existing file is kept.
// False only when a new file could not be written whole.
bool EnsureDefaultSnippetFile(const std::wstring& path);

}  // namespace kelpo
