// Location entries and the request of the Find in Files dialog.
#include "aids/search_dialog_files_request.h"

#include "aids/search_options.h"
#include "base/ui_text.h"

namespace kelpo {
namespace {

constexpr int kSpecialEntries = 2;
constexpr wchar_t kEveryFile[] = L"*.*";

}  // namespace

std::vector<LocationEntry> LocationEntries(const std::vector<std::wstring>& folderHistory) {
    std::vector<LocationEntry> entries{{UiText(kTextLocationDocumentFolder), LocationKind::DocumentFolder},
                                       {UiText(kTextLocationExplorerFolder), LocationKind::ExplorerFolder}};
    for (const std::wstring& folder : folderHistory) {
        entries.push_back({folder, LocationKind::Typed});
    }
    return entries;
}

int InitialLocationIndex(LocationKind stored, int historyCount) {
    const int kind = static_cast<int>(stored);
    if (kind >= 1 && kind <= kSpecialEntries) {
        return kind - 1;
    }
    return historyCount > 0 ? kSpecialEntries : 0;
}

LocationKind StoredLocationKind(std::uint32_t options) {
    const auto kind = static_cast<int>((options & kSearchLocationMask) >> kSearchLocationShift);
    return kind <= kSpecialEntries ? static_cast<LocationKind>(kind) : LocationKind::Typed;
}

FindInFilesProblem MakeFindInFilesRequest(const FindInFilesFields& fields, const std::wstring& documentPath,
                                          const std::wstring& explorerFolder, FindInFilesRequest& request) {
    if (fields.location.empty()) {
        return FindInFilesProblem::NoLocation;
    }
    if (fields.text.empty()) {
        return FindInFilesProblem::NoText;
    }
    if (fields.text.size() > kSearchFieldCapacity) {
        return FindInFilesProblem::TextTooLong;
    }
    std::wstring folder;
    switch (fields.kind) {
    case LocationKind::DocumentFolder: {
        const std::size_t slash = documentPath.find_last_of(L'\\');
        if (slash == std::wstring::npos) {
            return FindInFilesProblem::NoDocumentFolder;
        }
        folder = documentPath.substr(0, slash + 1);
        break;
    }
    case LocationKind::ExplorerFolder:
        if (explorerFolder.empty()) {
            return FindInFilesProblem::NoExplorerFolder;
        }
        folder = explorerFolder;
        break;
    case LocationKind::Typed:
        folder = fields.location;
        break;
    }
    request.text = fields.text;
    request.filter = fields.filter.empty() ? kEveryFile : fields.filter;
    request.folder = folder;
    request.matchCase = (fields.options & kSearchMatchCase) != 0;
    request.wholeWord = (fields.options & kSearchWholeWord) != 0;
    request.subfolders = (fields.options & kSearchSubfolders) != 0;
    request.pane = (fields.options & kSearchToPane2) != 0 ? 1 : 0;
    return FindInFilesProblem::None;
}

}  // namespace kelpo
