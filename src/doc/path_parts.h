// Parts of a Windows path as the document commands show and use them: folder, name, extension.
#pragma once

#include <string>
#include <string_view>

namespace kelpo {

// The text before the last backslash ("C:\src\a.c" gives "C:\src"); empty without a backslash.
std::wstring_view FolderOfPath(std::wstring_view path);
// The text after the last backslash; the whole text without one.
std::wstring_view FileNameOfPath(std::wstring_view path);
// The text after the last period of the file name; empty when the name has none. A period in a
// folder name does not count, so "C:\v1.2\makefile" has no extension.
std::wstring_view ExtensionOfPath(std::wstring_view path);
// The folder in a form a command window can change to: "C:" alone would mean the drive's current
// folder, so a drive root keeps its backslash.
std::wstring FolderToEnter(std::wstring_view path);

}  // namespace kelpo
