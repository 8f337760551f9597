// Filling the Favourites menu from "favorite.xml" and running its commands.
#include "panes/favorites_menu.h"

#include <windows.h>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/text_convert.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "doc/file_location.h"
#include "panes/favorites_file.h"
#include "panes/favorites_model.h"
#include "panes/favorites_organizer.h"
#include "panes/favorites_pictures.h"

namespace kelpo {

namespace {

constexpr int kFavoritesMenuPosition = 6;
constexpr int kFixedItems = 2;
constexpr int kCmdAddCurrent = 191;
constexpr int kCmdOrganize = 192;

std::vector<FavoriteMenuRecord>& Records() {
    static std::vector<FavoriteMenuRecord> records;
    return records;
}

// The pictures of the menu's items live until the next rebuild.
std::vector<unique_hbitmap>& Pictures() {
    static std::vector<unique_hbitmap> pictures;
    return pictures;
}

void SetPicture(HMENU menu, UINT item, BOOL byPosition, HICON icon) {
    unique_hbitmap bitmap = MenuBitmapOfIcon(icon);
    if (icon != nullptr) {
        ::DestroyIcon(icon);
    }
    if (!bitmap) {
        return;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = bitmap.get();
    if (::SetMenuItemInfoW(menu, item, byPosition, &info)) {
        Pictures().push_back(std::move(bitmap));
    }
}

// A lone "&" would underline the next letter instead of showing.
std::wstring MenuLabel(const std::string& utf8) {
    std::wstring label;
    for (const wchar_t c : Utf8ToWide(utf8)) {
        label += c;
        if (c == L'&') {
            label += L'&';
        }
    }
    return label;
}

bool PathIsGone(const std::wstring& path) {
    return (path.empty() || path.front() != L':') && ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

HMENU FavoritesPopup() {
    HMENU menu = App().mainWindow != nullptr ? ::GetMenu(App().mainWindow) : nullptr;
    return menu != nullptr ? ::GetSubMenu(menu, kFavoritesMenuPosition) : nullptr;
}

void AppendRows(HMENU popup, const FavoriteMenuPlan& plan) {
    std::vector<HMENU> stack{popup};
    for (const FavoriteMenuRow& row : plan.rows) {
        HMENU current = stack.back();
        switch (row.kind) {
        case FavoriteRowKind::Popup: {
            HMENU sub = ::CreatePopupMenu();
            if (sub != nullptr && ::AppendMenuW(current, MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                                                MenuLabel(row.label).c_str())) {
                SetPicture(current, static_cast<UINT>(::GetMenuItemCount(current) - 1), TRUE, GenericShellIcon(true));
                stack.push_back(sub);
            } else {
                if (sub != nullptr) {
                    ::DestroyMenu(sub);
                }
                stack.push_back(current);  // its entries land one level up rather than nowhere
            }
            break;
        }
        case FavoriteRowKind::End:
            if (stack.size() > 1) {
                stack.pop_back();
            }
            break;
        case FavoriteRowKind::Separator:
            ::AppendMenuW(current, MF_SEPARATOR, 0, nullptr);
            break;
        case FavoriteRowKind::File: {
            FavoriteMenuRecord record{Utf8ToWide(row.label), Utf8ToWide(row.path), row.folder};
            const bool gone = PathIsGone(record.path);
            if (::AppendMenuW(current, MF_STRING | (gone ? MF_GRAYED : MF_ENABLED), static_cast<UINT_PTR>(row.command),
                              MenuLabel(row.label).c_str())) {
                const UINT position = static_cast<UINT>(::GetMenuItemCount(current) - 1);
                SetPicture(current, position, TRUE, gone ? GenericShellIcon(row.folder) : ShellIconOfPath(record.path));
            }
            Records().push_back(std::move(record));
            break;
        }
        }
    }
    if (plan.overflow > 0) {
        ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        const std::wstring more = L"More Favourites (" + std::to_wstring(plan.overflow) + L")...";
        ::AppendMenuW(popup, MF_STRING, kCmdOrganize, more.c_str());
    }
}

void SaveAndRebuild(const XmlDocument& document) {
    if (SaveFavoritesFile(document, FavoritesFilePath())) {
        BuildFavoritesMenu();
    }
}

}  // namespace

const std::vector<FavoriteMenuRecord>& FavoriteMenuRecords() {
    return Records();
}

void BuildFavoritesMenu() {
    Records().clear();
    HMENU popup = FavoritesPopup();
    if (popup == nullptr) {
        return;
    }
    for (int count = ::GetMenuItemCount(popup); count > kFixedItems; --count) {
        ::DeleteMenu(popup, kFixedItems, MF_BYPOSITION);  // sub-menus are destroyed with their items
    }
    Pictures().clear();
    XmlDocument document;
    if (LoadFavoritesFile(document, FavoritesFilePath()) != FavoritesLoad::Loaded) {
        return;
    }
    const XmlElement* root = FavoritesRoot(document, false);
    if (root->FirstChild() == nullptr) {
        return;
    }
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendRows(popup, PlanFavoritesMenu(*root, (App().settings.config2 & kC2FavoritesFullPaths) != 0));
}

void AddCurrentDocumentToFavorites() {
    const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    if (active == nullptr || !active->HasPath()) {
        return;
    }
    const std::string path = WideToUtf8(active->path);
    XmlDocument document;
    if (!LoadFavoritesForChange(document, FavoritesFilePath())) {
        return;
    }
    XmlElement* root = FavoritesRoot(document, true);
    if (FindFavoriteByPath(*root, path) != nullptr) {
        return;
    }
    if (AppendFavoriteFile(document, *root, WideToUtf8(LabelOfPath(active->path)), path)) {
        SaveAndRebuild(document);
    }
}

void AddFavoriteEntries(const std::vector<std::pair<std::wstring, std::wstring>>& entries) {
    XmlDocument document;
    if (entries.empty() || !LoadFavoritesForChange(document, FavoritesFilePath())) {
        return;
    }
    XmlElement* root = FavoritesRoot(document, true);
    bool added = false;
    for (const auto& [path, name] : entries) {
        added = AppendFavoriteFile(document, *root, WideToUtf8(name), WideToUtf8(path)) || added;
    }
    if (added) {
        SaveAndRebuild(document);
    }
}

void OpenFavoritePath(const std::wstring& path, bool show) {
    if (PathIsGone(path)) {
        return;
    }
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (path.front() == L':' || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ShowFileLocation(FileLocationMode::ExplorerPane, path);
        return;
    }
    if (OpenDocument(path) != nullptr && show) {
        ShowFileLocation(FileLocationMode::ExplorerPane, path);
    }
}

bool HandleFavoritesCommand(int command) {
    if (command == kCmdAddCurrent) {
        AddCurrentDocumentToFavorites();
        return true;
    }
    if (command == kCmdOrganize) {
        OpenFavoritesOrganizer();
        return true;
    }
    if (command < kFirstFavoriteCommand || command > kLastFavoriteCommand) {
        return false;
    }
    // A number without an entry is left to the others: theme files past the 50th are numbered here too.
    const std::size_t index = static_cast<std::size_t>(command - kFirstFavoriteCommand);
    if (index >= Records().size()) {
        return false;
    }
    OpenFavoritePath(Records()[index].path, true);
    return true;
}

}  // namespace kelpo
