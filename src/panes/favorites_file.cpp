// "favorite.xml" on disk: loading, keeping an unreadable file aside, saving, start-up migration.
#include "panes/favorites_file.h"

#include <windows.h>

#include "base/app_state.h"
#include "base/file_write.h"
#include "base/ini_file.h"
#include "base/text_convert.h"
#include "panes/favorites_model.h"

namespace kelpo {

namespace {

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::wstring FavoritesFilePath() {
    return App().paths.folder + L"favorite.xml";
}

FavoritesLoad LoadFavoritesFile(XmlDocument& document, const std::wstring& path) {
    if (!Exists(path)) {
        return FavoritesLoad::Missing;
    }
    // The parser takes almost anything, so a file without the list element counts as unreadable.
    if (!document.Load(path.c_str()) || FavoritesRoot(document, false) == nullptr) {
        return FavoritesLoad::Unreadable;
    }
    return FavoritesLoad::Loaded;
}

std::wstring KeptAsideName(const std::wstring& path) {
    const std::size_t slash = path.rfind(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    std::wstring name = folder + L"favorite.unreadable.xml";
    for (int number = 2; Exists(name); ++number) {
        name = folder + L"favorite.unreadable-" + std::to_wstring(number) + L".xml";
    }
    return name;
}

bool LoadFavoritesForChange(XmlDocument& document, const std::wstring& path) {
    switch (LoadFavoritesFile(document, path)) {
    case FavoritesLoad::Loaded:
        return true;
    case FavoritesLoad::Unreadable:
        if (!::MoveFileExW(path.c_str(), KeptAsideName(path).c_str(), 0)) {
            return false;  // never write over a file that could not be kept
        }
        break;
    case FavoritesLoad::Missing:
        break;
    }
    document.SetBom(true);
    return FavoritesRoot(document, true) != nullptr;
}

bool SaveFavoritesFile(const XmlDocument& document, const std::wstring& path) {
    return WriteWholeFile(path, document.ToText());
}

void PrepareFavorites() {
    const std::wstring path = FavoritesFilePath();
    if (Exists(path)) {
        return;
    }
    XmlDocument document;
    document.SetBom(true);
    XmlElement* root = FavoritesRoot(document, true);
    if (root == nullptr) {
        return;
    }
    const IniFile settings(App().paths.settingsFile);
    const std::vector<std::wstring> lines = settings.ReadList(L"Favorite");
    for (const std::wstring& text : lines) {
        if (text.empty()) {
            continue;
        }
        const OldFavoriteLine line = ParseOldFavoriteLine(text);
        if (line.separator) {
            AppendFavoriteSeparator(document, *root);
        } else {
            AppendFavoriteFile(document, *root, WideToUtf8(line.name), WideToUtf8(line.path));
        }
    }
    // The old section goes only once its entries are safely in the new file.
    if (SaveFavoritesFile(document, path) && !lines.empty()) {
        settings.WriteList(L"Favorite", nullptr);
    }
}

}  // namespace kelpo
