// What the Find in Files dialog's fields amount to: the entries of its location list and the
// search request built from the fields when OK is pressed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aids/search_actions.h"

namespace kelpo {

// Where a search looks, as kept in the location bits of SearchFlags.
enum class LocationKind : int {
    Typed = 0,         // the folder typed, picked or taken from the folder history
    DocumentFolder = 1,
    ExplorerFolder = 2,
};

struct LocationEntry {
    std::wstring text;
    LocationKind kind = LocationKind::Typed;
};

// The special entries first (the active document's folder, the explorer's folder), then the
// folder history.
std::vector<LocationEntry> LocationEntries(const std::vector<std::wstring>& folderHistory);
// The entry chosen at first: the special entry of the stored kind, or for a typed folder the
// newest history entry (the first entry when there is no history).
int InitialLocationIndex(LocationKind stored, int historyCount);
LocationKind StoredLocationKind(std::uint32_t options);

struct FindInFilesFields {
    std::wstring text;
    std::wstring filter;
    std::wstring location;  // the location field's text
    LocationKind kind = LocationKind::Typed;
    std::uint32_t options = 0;  // SearchFlags as the dialog left them
};

enum class FindInFilesProblem {
    None,
    NoLocation,        // focus the location field
    NoText,            // nothing to do
    TextTooLong,
    NoDocumentFolder,  // no active document, or one never saved
    NoExplorerFolder,
};

// Fills the request from the fields, the active document's path (empty for none or an untitled
// one) and the explorer's folder (empty for none); the problem that stops it otherwise.
FindInFilesProblem MakeFindInFilesRequest(const FindInFilesFields& fields, const std::wstring& documentPath,
                                          const std::wstring& explorerFolder, FindInFilesRequest& request);

}  // namespace kelpo
