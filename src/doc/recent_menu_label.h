// The text of one item of a recent-files or recent-projects menu.
#pragma once

#include <string>
#include <string_view>

namespace kelpo {

// "&1 C:\src\a.cpp" for the first nine entries (index 0 to 8), the path alone after them.
// An ampersand in the path is doubled so that it shows instead of underlining.
std::wstring RecentMenuLabel(int index, std::wstring_view path);

}  // namespace kelpo
