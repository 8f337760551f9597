// The favourites tree as the XML document holds it, window-free: the old settings lines,
// finding and adding entries, the menu's layout with its fixed command range, sorting and the
// rule that keeps an entry out of its own subtree.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xml/xml_document.h"

namespace kelpo {

inline constexpr char kFavoritesRootName[] = "favorites";
inline constexpr int kFirstFavoriteCommand = 450;
inline constexpr int kLastFavoriteCommand = 549;  // 550 on belongs to the tab list of the Window menu
inline constexpr int kMaxFavoriteMenuEntries = kLastFavoriteCommand - kFirstFavoriteCommand + 1;

// One line of the old "Favorite" settings section: a separator or a path with its label.
struct OldFavoriteLine {
    bool separator = false;
    std::wstring path;
    std::wstring name;
};
OldFavoriteLine ParseOldFavoriteLine(std::wstring_view line);

// The label of a path: the text after its last backslash, a trailing backslash ignored.
std::wstring LabelOfPath(std::wstring_view path);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The top-level "favorites" element; made (and appended) when create is set and it is missing.
XmlElement* FavoritesRoot(XmlDocument& document, bool create);

// The first file entry below parent (categories searched recursively) whose path equals path
// without regard to ASCII case.
const XmlElement* FindFavoriteByPath(const XmlElement& parent, std::string_view path);

// Appends a file entry (UTF-8 name and path); false when memory runs out.
bool AppendFavoriteFile(XmlDocument& document, XmlElement& parent, const std::string& name, const std::string& path);
bool AppendFavoriteSeparator(XmlDocument& document, XmlElement& parent);

// The Favourites menu below its two fixed items, in order. File rows take the commands 450 on;
// file entries past the 100th get no row of their own and are counted in overflow instead.
enum class FavoriteRowKind { File, Separator, Popup, End };
struct FavoriteMenuRow {
    FavoriteRowKind kind = FavoriteRowKind::File;
    std::string label;  // file: name or full path; pop-up: category name
    std::string path;
    bool folder = false;  // attribute d="1"
    int command = 0;
};
struct FavoriteMenuPlan {
    std::vector<FavoriteMenuRow> rows;
    int overflow = 0;
};
FavoriteMenuPlan PlanFavoritesMenu(const XmlElement& root, bool labelsShowPaths);

// Sorting the children of a category: categories, folders, files, separators stay grouped in
// that order; within a group the key's text decides, and a descending sort reverses only that.
enum class FavoriteRank { Category = 0, Folder = 1, File = 2, Separator = 3 };
enum class FavoriteSortKey { Name, Path, Type };
struct FavoriteSortItem {
    FavoriteRank rank = FavoriteRank::File;
    std::wstring name;
    std::wstring path;
    int tag = 0;  // the caller's own reference to the entry
};
using TextCompare = int (*)(const wchar_t* a, const wchar_t* b);
// Case-insensitive comparison for the host; the dialog passes the system's own.
int CompareIgnoringCase(const wchar_t* a, const wchar_t* b);
// The text after the path's last ".", or after its last backslash when it has none.
std::wstring ExtensionOfPath(std::wstring_view path);
void SortFavoriteItems(std::vector<FavoriteSortItem>& items, FavoriteSortKey key, bool ascending,
                       TextCompare compare = CompareIgnoringCase);

// True when node is ancestor or lies below it; parentOf(node) gives the parent or a null node.
template <class Node, class ParentOf>
bool IsSameOrBelow(Node node, Node ancestor, ParentOf parentOf) {
    for (; node; node = parentOf(node)) {
        if (node == ancestor) {
            return true;
        }
    }
    return false;
}

}  // namespace kelpo
