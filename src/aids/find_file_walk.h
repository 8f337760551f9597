// WalkFolder: every file of a folder tree whose name passes a filter list, depth first, in the order
// the file system lists entries. Find in Files and the project builder both walk with it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "aids/find_disk.h"

namespace kelpo {

// Gets each file's entry and full path; returns false to stop the whole walk.
using WalkVisitor = std::function<bool(const FolderEntry& entry, const std::wstring& path)>;

// Without a filter list every file is visited. Directory names are not filtered; subfolders are
// entered only when asked for. A folder that cannot be listed is passed over. False when the
// visitor stopped the walk.
bool WalkFolder(FindDisk& disk, std::wstring_view folder, std::optional<std::wstring_view> filterList,
                bool subfolders, const WalkVisitor& visit);

}  // namespace kelpo
