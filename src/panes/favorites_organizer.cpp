// The Organize Favourites dialog: filling the tree from the file, its commands, renaming,
// dragging within the tree, and writing the tree back on OK.
#include "panes/favorites_organizer.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <cwchar>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/common_dialogs.h"
#include "base/config_bits.h"
#include "base/dialog_template.h"
#include "base/text_convert.h"
#include "base/ui_text.h"
#include "panes/favorites_file.h"
#include "panes/favorites_menu.h"
#include "panes/favorites_model.h"
#include "panes/favorites_pictures.h"
#include "panes/favorites_shell_drop.h"

namespace kelpo {

namespace {

enum : int {
    kCmdNewCategory = 3, kCmdAddFiles, kCmdAddFolder, kCmdSeparator, kCmdOpen, kCmdShowInShell, kCmdReload,
    kCmdRemoveMissing, kCmdMoveUp, kCmdMoveDown, kCmdDelete, kCmdRename, kCmdSortName, kCmdSortPath, kCmdSortType,
    kCmdExpandAll, kCmdShowPaths,
    kCmdOpenAndClose,  // Enter or Space in the tree, posted so that the tree is not destroyed under its own message
};
enum class EntryKind { Category = 0, Root = 1, File = 2, Separator = 3 };
enum Picture : int { kPictureCategory = 1, kPictureFile = 2, kPictureFolder = 3, kPictureSeparator = 4 };
constexpr int kFixedPictures = 5;  // picture 0 and the four above; each file's own icon follows
constexpr int kEdge = 6;  // pixels from an item's edge that mean "before" or "after" while dragging

struct Entry {
    std::wstring name;
    std::wstring path;
    EntryKind kind = EntryKind::File;
    bool folder = false;
    bool missing = false;
    bool ascending[3] = {true, true, true};  // name, path, type
    int order = 0;
};

struct Organizer {
    HWND dialog = nullptr;
    HWND tree = nullptr;
    HIMAGELIST images = nullptr;
    std::vector<Entry> entries;
    HTREEITEM root = nullptr;
    bool expandAll = true;
    SIZE minimum{};
    HTREEITEM dragged = nullptr;
};

// The children of an item, taken before the loop so that the loop may change the tree.
std::vector<HTREEITEM> Children(HWND tree, HTREEITEM item) {
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child != nullptr;
         child = TreeView_GetNextSibling(tree, child)) {
        children.push_back(child);
    }
    return children;
}

Organizer& State() {
    static Organizer organizer;
    return organizer;
}

bool ShowsPaths() {
    return (App().settings.config2 & kC2FavoritesFullPaths) != 0;
}

Entry* EntryOf(HTREEITEM item) {
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    if (item == nullptr || !TreeView_GetItem(State().tree, &tv)) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(tv.lParam);
    return index < State().entries.size() ? &State().entries[index] : nullptr;
}

std::wstring LabelOf(const Entry& entry) {
    switch (entry.kind) {
    case EntryKind::Root:
        return UiText(kTextFavoritesRoot);
    case EntryKind::Separator:
        return UiText(kTextFavoriteSeparator);
    case EntryKind::File:
        return ShowsPaths() ? entry.path : entry.name;
    case EntryKind::Category:
        break;
    }
    return entry.name;
}

int AddIcon(HICON icon) {
    const int index = icon != nullptr ? ImageList_AddIcon(State().images, icon) : -1;
    if (icon != nullptr) {
        ::DestroyIcon(icon);
    }
    return index;
}

// Pictures 1 to 4 in a list of small icons; picture 0 and the separator are blank.
HIMAGELIST MakeImages() {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 5, 32);
    State().images = images;
    HICON blank = ::CreateIcon(nullptr, 16, 16, 1, 1, std::vector<BYTE>(32, 0xFF).data(),
                               std::vector<BYTE>(32, 0).data());
    ImageList_AddIcon(images, blank);
    AddIcon(GenericShellIcon(true));
    AddIcon(GenericShellIcon(false));
    AddIcon(GenericShellIcon(true));
    AddIcon(blank);
    return images;
}

HTREEITEM InsertEntry(HTREEITEM parent, HTREEITEM after, Entry entry, int picture, bool expanded) {
    Organizer& organizer = State();
    const std::wstring label = LabelOf(entry);
    organizer.entries.push_back(std::move(entry));
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    insert.item.pszText = const_cast<wchar_t*>(label.c_str());
    insert.item.lParam = static_cast<LPARAM>(organizer.entries.size() - 1);
    insert.item.iImage = insert.item.iSelectedImage = picture;
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.state = expanded ? TVIS_EXPANDED : 0;
    return TreeView_InsertItem(organizer.tree, &insert);
}

// A file entry as Fill and the add commands make it: folder, picture and missing flags.
HTREEITEM InsertPath(HTREEITEM parent, HTREEITEM after, const std::wstring& path, const std::wstring& name,
                     bool markedFolder) {
    Entry entry;
    entry.kind = EntryKind::File;
    entry.path = path;
    entry.name = name;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    entry.folder = (!path.empty() && path.front() == L':') ||
                   (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    int picture = AddIcon(ShellIconOfPath(path));
    const bool gone = attributes == INVALID_FILE_ATTRIBUTES && (path.empty() || path.front() != L':');
    if (picture < 0 || gone) {
        entry.missing = true;
        entry.folder = entry.folder || markedFolder;
        picture = markedFolder ? kPictureFolder : kPictureFile;
    }
    return InsertEntry(parent, after, std::move(entry), picture, false);
}

void FillChildren(const XmlElement& element, HTREEITEM parent) {
    for (const XmlElement* child = element.FirstChild(); child != nullptr; child = child->NextSibling()) {
        const std::string_view kind = child->Name() != nullptr ? child->Name() : "";
        const char* name = child->GetAttribute("name");
        if (kind == "category") {
            Entry entry;
            entry.kind = EntryKind::Category;
            entry.name = Utf8ToWide(name != nullptr ? name : "");
            const char* expanded = child->GetAttribute("expanded");
            HTREEITEM item = InsertEntry(parent, TVI_LAST, std::move(entry), kPictureCategory,
                                         expanded != nullptr && std::string_view(expanded) == "true");
            FillChildren(*child, item);
        } else if (kind == "separator") {
            Entry entry;
            entry.kind = EntryKind::Separator;
            InsertEntry(parent, TVI_LAST, std::move(entry), kPictureSeparator, true);
        } else {
            const char* d = child->GetAttribute("d");
            InsertPath(parent, TVI_LAST, Utf8ToWide(child->Text() != nullptr ? child->Text() : ""),
                       Utf8ToWide(name != nullptr ? name : ""), d != nullptr && std::string_view(d) == "1");
        }
    }
}

void Fill() {
    Organizer& organizer = State();
    TreeView_DeleteAllItems(organizer.tree);
    organizer.entries.clear();
    ImageList_SetImageCount(organizer.images, kFixedPictures);  // the old files' icons go with their items
    Entry root;
    root.kind = EntryKind::Root;
    organizer.root = InsertEntry(TVI_ROOT, TVI_LAST, std::move(root), kPictureCategory, true);
    XmlDocument document;
    if (LoadFavoritesFile(document, FavoritesFilePath()) == FavoritesLoad::Loaded) {
        FillChildren(*FavoritesRoot(document, false), organizer.root);
    }
    TreeView_Expand(organizer.tree, organizer.root, TVE_EXPAND);
}

bool IsExpanded(HTREEITEM item) {
    return (TreeView_GetItemState(State().tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void SaveChildren(XmlDocument& document, XmlElement& parent, HTREEITEM item) {
    HWND tree = State().tree;
    for (HTREEITEM child : Children(tree, item)) {
        const Entry* entry = EntryOf(child);
        if (entry == nullptr) {
            continue;
        }
        if (entry->kind == EntryKind::Category) {
            XmlElement* category = document.CreateElement("category");
            if (category == nullptr) {
                continue;
            }
            category->SetAttribute("name", WideToUtf8(entry->name).c_str());
            category->SetAttribute("expanded", IsExpanded(child) ? "true" : "false");
            parent.AppendChild(category);
            SaveChildren(document, *category, child);
        } else if (entry->kind == EntryKind::Separator) {
            AppendFavoriteSeparator(document, parent);
        } else if (AppendFavoriteFile(document, parent, WideToUtf8(entry->name), WideToUtf8(entry->path)) &&
                   entry->folder) {
            // The file element just appended is the last child.
            XmlElement* last = parent.FirstChild();
            while (last->NextSibling() != nullptr) {
                last = last->NextSibling();
            }
            last->SetAttribute("d", "1");
        }
    }
}

bool Save() {
    XmlDocument document;
    document.SetBom(true);
    document.SetDeclaration("1.0", "UTF-8", nullptr);
    XmlElement* root = FavoritesRoot(document, true);
    if (root == nullptr) {
        return false;
    }
    SaveChildren(document, *root, State().root);
    if (!SaveFavoritesFile(document, FavoritesFilePath())) {
        return false;
    }
    BuildFavoritesMenu();
    return true;
}

// Where new entries go: after a selected file or separator, at the end of a selected category
// or the root, at the end of the root when nothing is selected.
struct InsertPosition {
    HTREEITEM parent;
    HTREEITEM after;
};
InsertPosition PositionForInsert() {
    Organizer& organizer = State();
    HTREEITEM selected = TreeView_GetSelection(organizer.tree);
    const Entry* entry = EntryOf(selected);
    if (entry == nullptr) {
        return {organizer.root, TVI_LAST};
    }
    if (entry->kind == EntryKind::File || entry->kind == EntryKind::Separator) {
        return {TreeView_GetParent(organizer.tree, selected), selected};
    }
    return {selected, TVI_LAST};
}

bool ParentHasPath(HTREEITEM parent, const std::wstring& path) {
    HWND tree = State().tree;
    for (HTREEITEM child : Children(tree, parent)) {
        const Entry* entry = EntryOf(child);
        if (entry != nullptr && entry->kind == EntryKind::File && ::lstrcmpiW(entry->path.c_str(), path.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

// Adds paths in order, each after the previous, skipping those the parent already holds.
void AddPaths(const std::vector<std::wstring>& paths, InsertPosition position) {
    const bool wasEmpty = TreeView_GetChild(State().tree, position.parent) == nullptr;
    HTREEITEM last = nullptr;
    for (const std::wstring& path : paths) {
        if (path.empty() || path.size() >= MAX_PATH || ParentHasPath(position.parent, path)) {
            continue;
        }
        if (HTREEITEM item = InsertPath(position.parent, position.after, path, LabelOfPath(path), false)) {
            position.after = item;
            last = item;
        }
    }
    if (last != nullptr && wasEmpty) {
        TreeView_Expand(State().tree, position.parent, TVE_EXPAND);
    }
}

void NewCategory() {
    const InsertPosition position = PositionForInsert();
    const bool wasEmpty = TreeView_GetChild(State().tree, position.parent) == nullptr;
    Entry entry;
    entry.kind = EntryKind::Category;
    entry.name = UiText(kTextNewCategory);
    HTREEITEM item = InsertEntry(position.parent, position.after, std::move(entry), kPictureCategory, false);
    if (wasEmpty) {
        TreeView_Expand(State().tree, position.parent, TVE_EXPAND);
    }
    TreeView_SelectItem(State().tree, item);
    ::SetFocus(State().tree);
    TreeView_EditLabel(State().tree, item);
}

void NewSeparator() {
    const InsertPosition position = PositionForInsert();
    const bool wasEmpty = TreeView_GetChild(State().tree, position.parent) == nullptr;
    Entry entry;
    entry.kind = EntryKind::Separator;
    HTREEITEM item = InsertEntry(position.parent, position.after, std::move(entry), kPictureSeparator, true);
    if (wasEmpty) {
        TreeView_Expand(State().tree, position.parent, TVE_EXPAND);
    }
    TreeView_SelectItem(State().tree, item);
}

void AddFilesFromDialog() {
    std::vector<wchar_t> buffer(2048, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = State().dialog;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST;
    if (!ShowOpenFileDialog(&ofn)) {
        return;
    }
    // One name is a full path; several come as the folder followed by the names.
    std::vector<std::wstring> parts;
    for (const wchar_t* part = buffer.data(); *part != L'\0'; part += std::wcslen(part) + 1) {
        parts.emplace_back(part);
    }
    std::vector<std::wstring> paths;
    if (parts.size() == 1) {
        paths = parts;
    } else {
        std::wstring folder = parts[0];
        if (!folder.empty() && folder.back() != L'\\') {
            folder += L'\\';
        }
        for (std::size_t i = 1; i < parts.size(); ++i) {
            paths.push_back(folder + parts[i]);
        }
    }
    AddPaths(paths, PositionForInsert());
}

void AddFolderFromPicker() {
    BROWSEINFOW info{};
    info.hwndOwner = State().dialog;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&info);
    if (pidl == nullptr) {
        return;
    }
    wchar_t path[MAX_PATH] = {};
    const bool got = ::SHGetPathFromIDListW(pidl, path);
    ::CoTaskMemFree(pidl);
    if (got) {
        std::wstring folder = path;
        if (folder.back() != L'\\') {
            folder += L'\\';
        }
        AddPaths({folder}, PositionForInsert());
    }
}

bool HasMissingBelow(HTREEITEM item) {
    HWND tree = State().tree;
    for (HTREEITEM child : Children(tree, item)) {
        const Entry* entry = EntryOf(child);
        if (entry != nullptr && ((entry->kind == EntryKind::File && entry->missing) || HasMissingBelow(child))) {
            return true;
        }
    }
    return false;
}

void RemoveMissing(HTREEITEM item) {
    HWND tree = State().tree;
    HTREEITEM child = TreeView_GetChild(tree, item);
    while (child != nullptr) {
        HTREEITEM next = TreeView_GetNextSibling(tree, child);
        const Entry* entry = EntryOf(child);
        if (entry != nullptr && entry->kind == EntryKind::File && entry->missing) {
            TreeView_DeleteItem(tree, child);
        } else {
            RemoveMissing(child);
        }
        child = next;
    }
}

// Category or root that the sort and "remove missing" commands work on.
HTREEITEM SelectedContainer() {
    HTREEITEM selected = TreeView_GetSelection(State().tree);
    const Entry* entry = EntryOf(selected);
    if (entry == nullptr) {
        return State().root;
    }
    return entry->kind == EntryKind::Category || entry->kind == EntryKind::Root ? selected : nullptr;
}

int CALLBACK CompareOrder(LPARAM a, LPARAM b, LPARAM) {
    const auto& entries = State().entries;
    return entries[static_cast<std::size_t>(a)].order - entries[static_cast<std::size_t>(b)].order;
}

void ResortByOrder(HTREEITEM parent) {
    TVSORTCB sort{};
    sort.hParent = parent;
    sort.lpfnCompare = CompareOrder;
    TreeView_SortChildrenCB(State().tree, &sort, FALSE);
}

int CompareSystem(const wchar_t* a, const wchar_t* b) {
    return ::lstrcmpiW(a, b);
}

void SortChildren(FavoriteSortKey key) {
    HTREEITEM parent = SelectedContainer();
    Entry* owner = EntryOf(parent);
    if (owner == nullptr) {
        return;
    }
    HWND tree = State().tree;
    std::vector<FavoriteSortItem> items;
    for (HTREEITEM child : Children(tree, parent)) {
        TVITEMW tv{};
        tv.mask = TVIF_PARAM;
        tv.hItem = child;
        TreeView_GetItem(tree, &tv);
        const Entry& entry = State().entries[static_cast<std::size_t>(tv.lParam)];
        FavoriteRank rank = FavoriteRank::File;
        if (entry.kind == EntryKind::Category) {
            rank = FavoriteRank::Category;
        } else if (entry.kind == EntryKind::Separator) {
            rank = FavoriteRank::Separator;
        } else if (entry.folder) {
            rank = FavoriteRank::Folder;
        }
        items.push_back({rank, entry.name, entry.path, static_cast<int>(tv.lParam)});
    }
    bool& ascending = owner->ascending[static_cast<int>(key)];
    SortFavoriteItems(items, key, ascending, CompareSystem);
    ascending = !ascending;
    for (std::size_t i = 0; i < items.size(); ++i) {
        State().entries[static_cast<std::size_t>(items[i].tag)].order = static_cast<int>(i);
    }
    ResortByOrder(parent);
}

void MoveSelection(bool up) {
    HWND tree = State().tree;
    HTREEITEM selected = TreeView_GetSelection(tree);
    if (selected == nullptr || selected == State().root) {
        return;
    }
    HTREEITEM neighbour = up ? TreeView_GetPrevSibling(tree, selected) : TreeView_GetNextSibling(tree, selected);
    if (neighbour == nullptr) {
        return;
    }
    HTREEITEM parent = TreeView_GetParent(tree, selected);
    int number = 0;
    for (HTREEITEM child : Children(tree, parent)) {
        EntryOf(child)->order = number++;
    }
    std::swap(EntryOf(selected)->order, EntryOf(neighbour)->order);
    ResortByOrder(parent);
    TreeView_SelectItem(tree, selected);
}

void DeleteSelection() {
    HWND tree = State().tree;
    HTREEITEM selected = TreeView_GetSelection(tree);
    if (selected == nullptr) {
        return;
    }
    if (selected != State().root) {
        TreeView_DeleteItem(tree, selected);
        return;
    }
    while (HTREEITEM child = TreeView_GetChild(tree, selected)) {
        TreeView_DeleteItem(tree, child);
    }
}

void SetExpandedBelow(HTREEITEM item, bool expand) {
    HWND tree = State().tree;
    for (HTREEITEM child : Children(tree, item)) {
        if (TreeView_GetChild(tree, child) != nullptr) {
            TreeView_Expand(tree, child, expand ? TVE_EXPAND : TVE_COLLAPSE);
            SetExpandedBelow(child, expand);
        }
    }
}

void ExpandAll() {
    HWND tree = State().tree;
    HTREEITEM selected = TreeView_GetSelection(tree);
    if (selected == nullptr || selected == State().root) {
        SetExpandedBelow(State().root, State().expandAll);
        State().expandAll = !State().expandAll;
        return;
    }
    const bool expand = !IsExpanded(selected);
    if (TreeView_GetChild(tree, selected) != nullptr) {
        TreeView_Expand(tree, selected, expand ? TVE_EXPAND : TVE_COLLAPSE);
    }
    SetExpandedBelow(selected, expand);
}

void Relabel(HTREEITEM item) {
    HWND tree = State().tree;
    for (HTREEITEM child : Children(tree, item)) {
        if (const Entry* entry = EntryOf(child); entry != nullptr && entry->kind == EntryKind::File) {
            std::wstring label = LabelOf(*entry);
            TVITEMW tv{};
            tv.mask = TVIF_TEXT;
            tv.hItem = child;
            tv.pszText = label.data();
            TreeView_SetItem(tree, &tv);
        }
        Relabel(child);
    }
}

void OpenSelection(bool closeAfter) {
    const Entry* entry = EntryOf(TreeView_GetSelection(State().tree));
    if (entry == nullptr || entry->kind != EntryKind::File) {
        return;
    }
    const std::wstring path = entry->path;
    if (closeAfter) {
        ::DestroyWindow(State().dialog);
    }
    OpenFavoritePath(path);
}

void ShowInShell() {
    const Entry* entry = EntryOf(TreeView_GetSelection(State().tree));
    if (entry != nullptr && entry->kind == EntryKind::File) {
        const std::wstring arguments = L"/select," + entry->path;
        ::ShellExecuteW(State().dialog, nullptr, L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
    }
}

void RunCommand(int command) {
    HWND tree = State().tree;
    switch (command) {
    case kCmdNewCategory: NewCategory(); break;
    case kCmdAddFiles: AddFilesFromDialog(); break;
    case kCmdAddFolder: AddFolderFromPicker(); break;
    case kCmdSeparator: NewSeparator(); break;
    case kCmdOpen: OpenSelection(false); break;
    case kCmdShowInShell: ShowInShell(); break;
    case kCmdReload: Fill(); break;
    case kCmdRemoveMissing:
        if (HTREEITEM container = SelectedContainer()) {
            RemoveMissing(container);
        }
        break;
    case kCmdMoveUp: MoveSelection(true); break;
    case kCmdMoveDown: MoveSelection(false); break;
    case kCmdDelete: DeleteSelection(); break;
    case kCmdRename:
        if (HTREEITEM selected = TreeView_GetSelection(tree)) {
            TreeView_EditLabel(tree, selected);
        }
        break;
    case kCmdSortName: SortChildren(FavoriteSortKey::Name); break;
    case kCmdSortPath: SortChildren(FavoriteSortKey::Path); break;
    case kCmdSortType: SortChildren(FavoriteSortKey::Type); break;
    case kCmdExpandAll: ExpandAll(); break;
    case kCmdShowPaths:
        App().settings.config2 ^= kC2FavoritesFullPaths;
        Relabel(State().root);
        break;
    case kCmdOpenAndClose: OpenSelection(true); break;
    default: break;
    }
}

// The context menu offers what applies to the item under the cursor.
void ShowContextMenu(POINT screen) {
    HWND tree = State().tree;
    TVHITTESTINFO hit{};
    hit.pt = screen;
    ::ScreenToClient(tree, &hit.pt);
    if (HTREEITEM item = TreeView_HitTest(tree, &hit)) {
        TreeView_SelectItem(tree, item);
    }
    HTREEITEM selected = TreeView_GetSelection(tree);
    const Entry* entry = EntryOf(selected);
    if (entry == nullptr) {
        return;
    }
    const bool isContainer = entry->kind == EntryKind::Category || entry->kind == EntryKind::Root;
    const bool isRoot = entry->kind == EntryKind::Root;
    struct Row {
        int command;
        const wchar_t* text;
        bool offered;
    };
    const Row rows[] = {
        {kCmdNewCategory, L"New &Category\tCtrl+N", true},
        {kCmdAddFiles, L"Add &Files...\tCtrl+F", true},
        {kCmdAddFolder, L"Add F&older...\tCtrl+D", true},
        {kCmdSeparator, L"Add &Separator\tCtrl+S", true},
        {kCmdOpen, L"&Open", entry->kind == EntryKind::File && !entry->missing},
        {kCmdReload, L"Re&load", isRoot},
        {kCmdRemoveMissing, L"Remove &Missing Entries", isContainer && HasMissingBelow(selected)},
        {kCmdMoveUp, L"Move &Up\tCtrl+Up", !isRoot},
        {kCmdMoveDown, L"Move Do&wn\tCtrl+Down", !isRoot},
        {kCmdDelete, L"&Delete\tDel", true},
        {kCmdRename, L"&Rename\tF2", !isRoot},
        {kCmdSortName, L"Sort by &Name\tAlt+N", isContainer},
        {kCmdSortPath, L"Sort by &Path\tAlt+P", isContainer},
        {kCmdSortType, L"Sort by &Type\tAlt+E", isContainer},
        {kCmdExpandAll, L"&Expand or Collapse All\tAlt+A", isContainer},
        {kCmdShowPaths, L"Show Full P&aths\tAlt+F", true},
    };
    HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    for (const Row& row : rows) {
        if (!row.offered) {
            continue;
        }
        UINT flags = MF_STRING;
        if ((row.command == kCmdMoveUp && TreeView_GetPrevSibling(tree, selected) == nullptr) ||
            (row.command == kCmdMoveDown && TreeView_GetNextSibling(tree, selected) == nullptr)) {
            flags |= MF_GRAYED;
        }
        if (row.command == kCmdShowPaths && ShowsPaths()) {
            flags |= MF_CHECKED;
        }
        ::AppendMenuW(menu, flags, static_cast<UINT_PTR>(row.command), row.text);
    }
    const int chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, State().dialog,
                                        nullptr);
    ::DestroyMenu(menu);
    if (chosen != 0) {
        RunCommand(chosen);
    }
}

HTREEITEM CopySubtree(HWND tree, HTREEITEM source, HTREEITEM parent, HTREEITEM after) {
    wchar_t text[MAX_PATH + 1] = {};
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    insert.item.hItem = source;
    insert.item.pszText = text;
    insert.item.cchTextMax = MAX_PATH;
    insert.item.stateMask = TVIS_EXPANDED;
    TreeView_GetItem(tree, &insert.item);
    HTREEITEM copy = TreeView_InsertItem(tree, &insert);
    for (HTREEITEM child = TreeView_GetChild(tree, source); copy != nullptr && child != nullptr;
         child = TreeView_GetNextSibling(tree, child)) {
        CopySubtree(tree, child, copy, TVI_LAST);
    }
    return copy;
}

// The drop place for a point in the tree's client area; false when nothing may be dropped there.
bool DropTargetAt(POINT point, HTREEITEM* target, DropPlace* place) {
    HWND tree = State().tree;
    TVHITTESTINFO hit{};
    hit.pt = point;
    HTREEITEM item = TreeView_HitTest(tree, &hit);
    if (item == nullptr) {
        *target = State().root;
        *place = DropPlace::Into;
        return true;
    }
    RECT rect{};
    TreeView_GetItemRect(tree, item, &rect, FALSE);
    const Entry* entry = EntryOf(item);
    *target = item;
    if (entry == nullptr) {
        return false;
    }
    if (entry->kind == EntryKind::Root) {
        const bool nearBottom = point.y >= rect.bottom - kEdge;
        HTREEITEM first = TreeView_GetChild(tree, item);
        if (nearBottom && first != nullptr) {
            *target = first;
            *place = DropPlace::Before;
        } else {
            *place = DropPlace::Into;
        }
    } else if (entry->kind == EntryKind::Category) {
        *place = point.y >= rect.bottom - kEdge ? DropPlace::After
                 : point.y < rect.top + kEdge   ? DropPlace::Before
                                                : DropPlace::Into;
    } else {
        *place = point.y < (rect.top + rect.bottom) / 2 ? DropPlace::Before : DropPlace::After;
    }
    return true;
}

void ShowDropMark(POINT point) {
    HWND tree = State().tree;
    HTREEITEM target = nullptr;
    DropPlace place = DropPlace::Into;
    TreeView_SetInsertMark(tree, nullptr, FALSE);
    TreeView_SelectDropTarget(tree, nullptr);
    if (!DropTargetAt(point, &target, &place)) {
        return;
    }
    if (place == DropPlace::Into) {
        TreeView_SelectDropTarget(tree, target);
    } else {
        TreeView_SetInsertMark(tree, target, place == DropPlace::After);
    }
}

void EndDrag(POINT point, bool drop) {
    Organizer& organizer = State();
    HWND tree = organizer.tree;
    HTREEITEM dragged = organizer.dragged;
    organizer.dragged = nullptr;
    ::ReleaseCapture();
    TreeView_SetInsertMark(tree, nullptr, FALSE);
    TreeView_SelectDropTarget(tree, nullptr);
    HTREEITEM target = nullptr;
    DropPlace place = DropPlace::Into;
    if (drop && dragged != nullptr && DropTargetAt(point, &target, &place)) {
        MoveFavoriteItem(tree, dragged, target, place);
    }
}

LRESULT CALLBACK TreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    // Enter belongs to the tree (it opens the entry), not to the dialog's OK button.
    if (message == WM_GETDLGCODE && lParam != 0) {
        const MSG& key = *reinterpret_cast<const MSG*>(lParam);
        if (key.message == WM_KEYDOWN && key.wParam == VK_RETURN) {
            return DLGC_WANTMESSAGE;
        }
    }
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_SPACE)) {
        ::PostMessageW(State().dialog, WM_COMMAND, kCmdOpenAndClose, 0);
        return 0;
    }
    if (State().dragged != nullptr) {
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        switch (message) {
        case WM_MOUSEMOVE:
            ShowDropMark(point);
            return 0;
        case WM_LBUTTONUP:
            EndDrag(point, true);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != tree) {
                EndDrag(point, false);
            }
            break;
        default:
            break;
        }
    }
    return ::DefSubclassProc(tree, message, wParam, lParam);
}

LRESULT OnEndLabelEdit(const NMTVDISPINFOW& info) {
    App().organizerLabelEdit = nullptr;
    Entry* entry = EntryOf(info.item.hItem);
    if (entry == nullptr || info.item.pszText == nullptr || info.item.pszText[0] == L'\0') {
        return FALSE;
    }
    if (entry->kind == EntryKind::Category) {
        entry->name = info.item.pszText;
    } else if (entry->kind == EntryKind::File) {
        (ShowsPaths() ? entry->path : entry->name) = info.item.pszText;
    } else {
        return FALSE;
    }
    return TRUE;
}

LRESULT OnCustomDraw(NMTVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        return CDRF_NOTIFYITEMDRAW;
    }
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const Entry* entry = EntryOf(reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec));
        if (entry != nullptr && entry->missing) {
            draw.clrText = RGB(0xD0, 0, 0);
            return CDRF_NEWFONT;
        }
    }
    return CDRF_DODEFAULT;
}

LRESULT OnTreeNotify(NMHDR& header) {
    Organizer& organizer = State();
    switch (header.code) {
    case TVN_BEGINLABELEDITW: {
        const auto& info = reinterpret_cast<NMTVDISPINFOW&>(header);
        const Entry* entry = EntryOf(info.item.hItem);
        if (entry == nullptr || entry->kind == EntryKind::Root || entry->kind == EntryKind::Separator) {
            return TRUE;
        }
        App().organizerLabelEdit = TreeView_GetEditControl(organizer.tree);
        return FALSE;
    }
    case TVN_ENDLABELEDITW:
        return OnEndLabelEdit(reinterpret_cast<NMTVDISPINFOW&>(header));
    case TVN_ITEMEXPANDINGW: {
        const auto& info = reinterpret_cast<NMTREEVIEWW&>(header);
        return info.itemNew.hItem == organizer.root && (info.action & TVE_COLLAPSE) != 0;
    }
    case TVN_BEGINDRAGW: {
        const auto& info = reinterpret_cast<NMTREEVIEWW&>(header);
        if (info.itemNew.hItem != organizer.root) {
            organizer.dragged = info.itemNew.hItem;
            ::SetCapture(organizer.tree);
        }
        return 0;
    }
    case TVN_GETINFOTIPW: {
        auto& info = reinterpret_cast<NMTVGETINFOTIPW&>(header);
        const Entry* entry = EntryOf(info.hItem);
        if (entry != nullptr && entry->kind == EntryKind::File && !ShowsPaths() && info.cchTextMax > 0) {
            ::lstrcpynW(info.pszText, entry->path.c_str(), info.cchTextMax);
        }
        return 0;
    }
    case NM_DBLCLK:
        OpenSelection(false);
        return 0;
    case NM_CUSTOMDRAW:
        return OnCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(header));
    default:
        return 0;
    }
}

void Layout(HWND dialog) {
    RECT client{};
    ::GetClientRect(dialog, &client);
    RECT unit{0, 0, 4, 8};
    ::MapDialogRect(dialog, &unit);
    const int margin = unit.right * 7 / 4;
    const int buttonWidth = unit.right * 50 / 4;
    const int buttonHeight = unit.bottom * 14 / 8;
    const int buttonTop = client.bottom - margin - buttonHeight;
    ::MoveWindow(State().tree, margin, margin, client.right - 2 * margin, buttonTop - 2 * margin, TRUE);
    ::MoveWindow(::GetDlgItem(dialog, kCmdNewCategory), margin, buttonTop, buttonWidth * 3 / 2, buttonHeight, TRUE);
    ::MoveWindow(::GetDlgItem(dialog, IDCANCEL), client.right - margin - buttonWidth, buttonTop, buttonWidth,
                 buttonHeight, TRUE);
    ::MoveWindow(::GetDlgItem(dialog, IDOK), client.right - 2 * (margin + buttonWidth) + margin / 2, buttonTop,
                 buttonWidth, buttonHeight, TRUE);
}

void ClearDropMarks();

void InitDialog(HWND dialog) {
    Organizer& organizer = State();
    organizer.dialog = dialog;
    organizer.tree = ::GetDlgItem(dialog, kOrganizerTreeId);
    TreeView_SetImageList(organizer.tree, MakeImages(), TVSIL_NORMAL);
    ::SetWindowSubclass(organizer.tree, TreeProc, 1, 0);
    RECT window{};
    ::GetWindowRect(dialog, &window);
    organizer.minimum = {window.right - window.left, window.bottom - window.top};
    organizer.expandAll = true;
    // Without OLE in this thread the tree simply takes no drops from the shell.
    RegisterShellDrop(organizer.tree, ShellDropCalls{ShowDropMark, ClearDropMarks, DropPathsOnOrganizer});
    Fill();
    Layout(dialog);
    ::SetFocus(organizer.tree);
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(dialog);
        return FALSE;
    case WM_SIZE:
        Layout(dialog);
        return TRUE;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {State().minimum.cx, State().minimum.cy};
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            if (Save()) {
                ::DestroyWindow(dialog);
            } else {
                ::MessageBeep(MB_ICONEXCLAMATION);
            }
        } else if (LOWORD(wParam) == IDCANCEL) {
            ::DestroyWindow(dialog);
        } else {
            RunCommand(LOWORD(wParam));
        }
        return TRUE;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == State().tree) {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (point.x == -1 && point.y == -1) {
                ::GetCursorPos(&point);
            }
            ShowContextMenu(point);
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (header.idFrom == kOrganizerTreeId) {
            ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, OnTreeNotify(header));
            return TRUE;
        }
        return FALSE;
    }
    case WM_DESTROY: {
        Organizer& organizer = State();
        ::RemoveWindowSubclass(organizer.tree, TreeProc, 1);
        RevokeShellDrop(organizer.tree);
        App().organizerLabelEdit = nullptr;
        if (App().modeless.dialog == dialog) {
            App().modeless = ModelessSlot{};
        }
        if (organizer.images != nullptr) {
            ImageList_Destroy(organizer.images);
        }
        organizer = Organizer{};
        return FALSE;
    }
    default:
        return FALSE;
    }
}

// No exception may reach the system's dispatch: a failed allocation ends that message's work.
INT_PTR CALLBACK OrganizerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(dialog, message, wParam, lParam);
    } catch (...) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return message == WM_INITDIALOG ? FALSE : TRUE;
    }
}

void ClearDropMarks() {
    TreeView_SetInsertMark(State().tree, nullptr, FALSE);
    TreeView_SelectDropTarget(State().tree, nullptr);
}

}  // namespace

void DropPathsOnOrganizer(const std::vector<std::wstring>& paths, POINT point) {
    HWND tree = State().tree;
    HTREEITEM target = nullptr;
    DropPlace place = DropPlace::Into;
    if (tree == nullptr || !DropTargetAt(point, &target, &place)) {
        return;
    }
    InsertPosition position{target, TVI_LAST};
    if (place != DropPlace::Into) {
        position.parent = TreeView_GetParent(tree, target);
        HTREEITEM previous = TreeView_GetPrevSibling(tree, target);
        position.after = place == DropPlace::After ? target : previous != nullptr ? previous : TVI_FIRST;
    }
    AddPaths(paths, position);
    if (place == DropPlace::Into && TreeView_GetChild(tree, target) != nullptr) {
        TreeView_Expand(tree, target, TVE_EXPAND);
    }
}

HTREEITEM MoveFavoriteItem(HWND tree, HTREEITEM item, HTREEITEM target, DropPlace place) {
    auto parentOf = [tree](HTREEITEM node) { return TreeView_GetParent(tree, node); };
    if (item == nullptr || target == nullptr || TreeView_GetParent(tree, item) == nullptr ||
        IsSameOrBelow(target, item, parentOf)) {
        return nullptr;
    }
    HTREEITEM parent = place == DropPlace::Into ? target : TreeView_GetParent(tree, target);
    if (parent == nullptr) {
        return nullptr;  // nothing goes beside the root
    }
    HTREEITEM after = TVI_LAST;
    if (place == DropPlace::After) {
        after = target;
    } else if (place == DropPlace::Before) {
        HTREEITEM previous = TreeView_GetPrevSibling(tree, target);
        after = previous != nullptr ? previous : TVI_FIRST;
    }
    HTREEITEM copy = CopySubtree(tree, item, parent, after);
    if (copy == nullptr) {
        return nullptr;
    }
    TreeView_DeleteItem(tree, item);
    if (place == DropPlace::Into) {
        TreeView_Expand(tree, parent, TVE_EXPAND);
    }
    TreeView_SelectItem(tree, copy);
    return copy;
}

bool OpenFavoritesOrganizer() {
    AppState& app = App();
    if (app.modeless.dialog != nullptr && ::IsWindow(app.modeless.dialog)) {
        if (app.modeless.kind == ModelessKind::FavoritesOrganizer) {
            ::SetActiveWindow(app.modeless.dialog);
            return true;
        }
        ::DestroyWindow(app.modeless.dialog);
    }
    app.modeless = ModelessSlot{};
    DialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT | DS_MODALFRAME,
                                  280, 240, L"Organize Favourites");
    dialogTemplate.AddControl(WC_TREEVIEWW, L"", kOrganizerTreeId,
                              WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                  TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS | TVS_INFOTIP,
                              7, 7, 266, 200);
    dialogTemplate.AddControl(L"BUTTON", L"&New Category", kCmdNewCategory, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                              7, 215, 70, 14);
    dialogTemplate.AddControl(L"BUTTON", L"OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 160,
                              215, 50, 14);
    dialogTemplate.AddControl(L"BUTTON", L"Cancel", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 216, 215, 50, 14);
    const HINSTANCE instance = app.instance != nullptr ? app.instance : ::GetModuleHandleW(nullptr);
    HWND dialog = ::CreateDialogIndirectParamW(instance, dialogTemplate.Get(), app.mainWindow, OrganizerProc, 0);
    if (dialog == nullptr) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    app.modeless = ModelessSlot{dialog, ModelessKind::FavoritesOrganizer};
    ::ShowWindow(dialog, SW_SHOW);
    return true;
}

}  // namespace kelpo
