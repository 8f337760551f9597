// Reading and writing "favorite.xml": a new file is swapped in whole, and a file that holds
// something other than a favourites list is moved aside before anything replaces it.
#pragma once

#include <string>
#include <vector>

#include "xml/xml_document.h"

namespace kelpo {

// "favorite.xml" in the program's folder.
std::wstring FavoritesFilePath();

enum class FavoritesLoad {
    Loaded,      // the document holds the file, with its "favorites" element
    Missing,     // there is no file
    Unreadable,  // the file exists but cannot be read or holds no favourites list
};
FavoritesLoad LoadFavoritesFile(XmlDocument& document, const std::wstring& path);

// Loads the list for a change; a missing file starts an empty document with the byte-order mark,
// and an unreadable one is first renamed to KeptAsideName so that saving does not destroy it.
// The document then has its "favorites" element; false only when that cannot be made.
bool LoadFavoritesForChange(XmlDocument& document, const std::wstring& path);

// "favorite.unreadable.xml" beside the file, or with a number when that name is taken.
std::wstring KeptAsideName(const std::wstring& path);

// Writes the whole document through a temporary file that replaces the old one.
bool SaveFavoritesFile(const XmlDocument& document, const std::wstring& path);

// At start-up: when there is no "favorite.xml", makes one from the old "Favorite" section of
// the settings file and removes the section.
void PrepareFavorites();

}  // namespace kelpo
