// The lists of the open and save dialogs: the file-type filter offered and the files chosen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelpo {

// Description and pattern pairs, each ended by a zero character, the list by a second one
// (the data of the view is followed by that second zero).
std::wstring_view FileTypeFilter();

// The full paths chosen in an explorer-style open dialog with multiple selection: either one
// full path, or the folder followed by the names chosen in it, each ended by a zero character
// and the whole by a second one. Reads no further than the view.
std::vector<std::wstring> SelectedFiles(std::wstring_view buffer);

}  // namespace kelpo
