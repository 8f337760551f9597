// The user-interface text table: texts looked up by number, translated when a language is chosen.
#pragma once

#include <string>

#include "base/app_paths.h"

namespace kelpo {

// An empty code or "ENU" keeps the built-in English texts; any other code reads
// "lang\<code>.ini" (section "Strings", keys are text numbers) from the program's folder.
void LoadInterfaceLanguage(const AppPaths& paths, const std::wstring& code);
// The text with this number: the translation's when it has one, else the built-in default.
std::wstring UiText(int number);

}  // namespace kelpo
