// Find in Files dialog: its fields, the folder picker and the start of the search.
#include "aids/search_dialog_files.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <memory>

#include "aids/search_commands.h"
#include "aids/search_dialog_fields.h"
#include "aids/search_dialog_files_request.h"
#include "aids/search_dialog_templates.h"
#include "aids/search_options.h"
#include "base/app_state.h"
#include "base/status_message.h"
#include "doc/document_tabs.h"
#include "doc/file_location.h"

namespace kelpo {
namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kEveryFile[] = L"*.*";

// COM for the length of one scope, on top of whatever the thread already has.
class ComScope {
public:
    ComScope() : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (initialized_) {
            ::CoUninitialize();
        }
    }

private:
    bool initialized_;
};

struct CoTaskMemDeleter {
    void operator()(wchar_t* text) const noexcept { ::CoTaskMemFree(text); }
};

HWND EditOf(HWND combo) {
    COMBOBOXINFO info{sizeof(COMBOBOXINFO)};
    return ::GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

void FillFilterField(HWND dialog) {
    HWND field = ::GetDlgItem(dialog, kFilterFieldId);
    FillHistory(field, App().recent.findType);
    if (App().recent.findType.Empty()) {
        ::SendMessageW(field, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kEveryFile));
    }
    ::SendMessageW(field, CB_SETCURSEL, 0, 0);
}

void FillLocationField(HWND dialog) {
    HWND field = ::GetDlgItem(dialog, kLocationFieldId);
    // Completion of typed folders is a convenience: the field works without it.
    if (HWND edit = EditOf(field)) {
        ::SHAutoComplete(edit, SHACF_FILESYS_DIRS);
    }
    const RecentList& history = App().recent.findWhere;
    for (const LocationEntry& entry : LocationEntries(history.Entries())) {
        const LRESULT index = ::SendMessageW(field, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
        ::SendMessageW(field, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(entry.kind));
    }
    const LocationKind stored = StoredLocationKind(static_cast<std::uint32_t>(App().settings.searchFlags));
    ::SendMessageW(field, CB_SETCURSEL, static_cast<WPARAM>(InitialLocationIndex(stored, history.Count())), 0);
}

// The kind of the chosen entry while the field still shows it; a folder typed over it is typed.
LocationKind ChosenLocationKind(HWND dialog, const std::wstring& shown) {
    HWND field = ::GetDlgItem(dialog, kLocationFieldId);
    const LRESULT index = ::SendMessageW(field, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        return LocationKind::Typed;
    }
    const LRESULT length = ::SendMessageW(field, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring entry(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    ::SendMessageW(field, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    if (entry != shown) {
        return LocationKind::Typed;
    }
    return static_cast<LocationKind>(::SendMessageW(field, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

std::wstring ActiveDocumentPath() {
    const Document* active = Tabs() != nullptr ? Tabs()->Active() : nullptr;
    return active != nullptr ? active->path : std::wstring();
}

// The fields taken into the histories and the options, as OK does once the texts are usable.
void RememberFields(const FindInFilesFields& fields) {
    AppState& app = App();
    TakeFindText(fields.text);
    app.recent.findType.AddRecent(fields.filter.empty() ? kEveryFile : fields.filter);
    if (fields.kind == LocationKind::Typed) {
        app.recent.findWhere.AddRecent(fields.location);
    }
    const auto options = static_cast<std::uint32_t>(app.settings.searchFlags) & ~kSearchLocationMask;
    app.settings.searchFlags =
        static_cast<int>(options | (static_cast<std::uint32_t>(fields.kind) << kSearchLocationShift));
}

void StartSearch(HWND dialog) {
    FindInFilesFields fields;
    fields.text = FieldText(dialog, kFindFieldId);
    fields.filter = FieldText(dialog, kFilterFieldId);
    fields.location = FieldText(dialog, kLocationFieldId);
    fields.kind = ChosenLocationKind(dialog, fields.location);
    fields.options = static_cast<std::uint32_t>(App().settings.searchFlags);
    FindInFilesRequest request;
    const FindInFilesProblem problem = MakeFindInFilesRequest(fields, ActiveDocumentPath(), ExplorerPaneFolder(), request);
    switch (problem) {
    case FindInFilesProblem::NoLocation:
        FocusField(dialog, kLocationFieldId);
        return;
    case FindInFilesProblem::NoText:
        FocusField(dialog, kFindFieldId);
        return;
    case FindInFilesProblem::TextTooLong:
        ShowStatusMessage(L"The search text is too long: at most " + std::to_wstring(kSearchFieldCapacity) +
                          L" characters.");
        FocusField(dialog, kFindFieldId);
        return;
    default:
        break;
    }
    RememberFields(fields);
    if (problem == FindInFilesProblem::NoDocumentFolder) {
        ShowStatusMessage(L"The current document has no folder yet: save it, or choose a folder to search.");
        FocusField(dialog, kLocationFieldId);
        return;
    }
    if (problem == FindInFilesProblem::NoExplorerFolder) {
        ShowStatusMessage(L"The file explorer shows no folder to search: choose a folder instead.");
        FocusField(dialog, kLocationFieldId);
        return;
    }
    if (StartFindInFiles(request)) {
        ::DestroyWindow(dialog);
    } else {
        FocusField(dialog, kLocationFieldId);
    }
}

// The common item dialog in folder mode, starting in the folder the field names.
void BrowseForFolder(HWND dialog) {
    ComScope com;
    ComPtr<IFileOpenDialog> picker;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&picker)))) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    DWORD options = 0;
    if (FAILED(picker->GetOptions(&options)) ||
        FAILED(picker->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST))) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    const std::wstring current = FieldText(dialog, kLocationFieldId);
    ComPtr<IShellItem> start;
    if (::PathIsDirectoryW(current.c_str()) &&
        SUCCEEDED(::SHCreateItemFromParsingName(current.c_str(), nullptr, IID_PPV_ARGS(&start)))) {
        picker->SetFolder(start.Get());
    }
    ComPtr<IShellItem> chosen;
    if (FAILED(picker->Show(dialog)) || FAILED(picker->GetResult(&chosen))) {
        return;  // cancelled
    }
    wchar_t* path = nullptr;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    const std::unique_ptr<wchar_t, CoTaskMemDeleter> owned(path);
    ::SetDlgItemTextW(dialog, kLocationFieldId, owned.get());
    FocusField(dialog, kLocationFieldId);
}

}  // namespace

void InitFindInFilesDialog(HWND dialog) {
    FillFilterField(dialog);
    FillLocationField(dialog);
}

bool HandleFindInFilesCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        StartSearch(dialog);
        return true;
    case kBrowseFolderId:
        BrowseForFolder(dialog);
        return true;
    default:
        return false;
    }
}

}  // namespace kelpo
