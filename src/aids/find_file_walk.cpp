// Depth-first walk: a subfolder is walked as soon as its entry comes up.
#include "aids/find_file_walk.h"

#include <vector>

#include "aids/find_filter_list.h"

namespace kelpo {
namespace {

struct Walk {
    FindDisk& disk;
    std::optional<std::wstring_view> filterList;
    bool subfolders;
    const WalkVisitor& visit;

    // folder ends in the separator.
    bool Folder(const std::wstring& folder) {
        std::vector<FolderEntry> entries;
        if (!disk.ListFolder(folder, entries)) return true;
        std::wstring path;
        for (const FolderEntry& entry : entries) {
            if (entry.folder && !subfolders) continue;
            if (!entry.folder && filterList && !FilterListMatches(*filterList, entry.name)) continue;
            path.assign(folder).append(entry.name);
            if (entry.folder) {
                path += disk.Separator();
                if (!Folder(path)) return false;
            } else if (!visit(entry, path)) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace

bool WalkFolder(FindDisk& disk, std::wstring_view folder, std::optional<std::wstring_view> filterList,
                bool subfolders, const WalkVisitor& visit) {
    std::wstring start(folder);
    if (start.empty() || start.back() != disk.Separator()) start += disk.Separator();
    Walk walk{disk, filterList, subfolders, visit};
    return walk.Folder(start);
}

}  // namespace kelpo
