// The folder view's browser: browsing, history, filtering and the open rule.
#include "panes/folder_view.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <exception>

#include "doc/documents.h"

namespace kelpo {
namespace {

using Microsoft::WRL::ComPtr;

HRESULT ParseWithShell(const wchar_t* text, ITEMIDLIST** pidl) {
    return ::SHParseDisplayName(text, nullptr, pidl, 0, nullptr);
}

FolderParser& Parser() {
    static FolderParser parser = ParseWithShell;
    return parser;
}

unique_pidl Parse(const std::wstring& text) {
    ITEMIDLIST* pidl = nullptr;
    if (text.empty() || FAILED(Parser()(text.c_str(), &pidl)) || pidl == nullptr) {
        return nullptr;
    }
    return unique_pidl(pidl);
}

unique_pidl Clone(const ITEMIDLIST* pidl) { return unique_pidl(pidl != nullptr ? ::ILClone(pidl) : nullptr); }

ComPtr<IShellFolder> Desktop() {
    ComPtr<IShellFolder> desktop;
    ::SHGetDesktopFolder(&desktop);
    return desktop;
}

ComPtr<IShellFolder> BindFolder(const ITEMIDLIST* pidl) {
    ComPtr<IShellFolder> desktop = Desktop();
    if (!desktop || ILIsEmpty(pidl)) {
        return desktop;
    }
    ComPtr<IShellFolder> folder;
    desktop->BindToObject(pidl, nullptr, IID_PPV_ARGS(&folder));
    return folder;
}

std::wstring DisplayName(IShellFolder* folder, const ITEMIDLIST* pidl, SHGDNF flags) {
    STRRET name{};
    wchar_t text[MAX_PATH] = {};
    if (folder == nullptr || FAILED(folder->GetDisplayNameOf(pidl, flags, &name)) ||
        FAILED(::StrRetToBufW(&name, pidl, text, MAX_PATH))) {
        return {};
    }
    return text;
}

std::wstring FileSystemPath(const ITEMIDLIST* pidl) {
    wchar_t path[MAX_PATH] = {};
    return pidl != nullptr && ::SHGetPathFromIDListW(pidl, path) ? std::wstring(path) : std::wstring();
}

bool IsFolderPath(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PathExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void StartWithShell(const std::wstring& path) {
    const std::wstring folder = path.substr(0, path.rfind(L'\\') + 1);
    SHELLEXECUTEINFOW info{sizeof(SHELLEXECUTEINFOW)};
    info.fMask = SEE_MASK_NOASYNC;
    info.lpFile = path.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    ::ShellExecuteExW(&info);  // the shell reports what it cannot start
}

ShellStarter& Starter() {
    static ShellStarter starter = StartWithShell;
    return starter;
}

// The children named by a shell item list data object (the format of the shell's selections).
std::vector<unique_pidl> ChildrenOfDataObject(IDataObject* data) {
    std::vector<unique_pidl> children;
    static const CLIPFORMAT format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Shell IDList Array"));
    FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data == nullptr || FAILED(data->GetData(&wanted, &medium))) {
        return children;
    }
    if (const auto* list = static_cast<const CIDA*>(::GlobalLock(medium.hGlobal))) {
        const auto* bytes = reinterpret_cast<const BYTE*>(list);
        for (UINT i = 0; i < list->cidl; ++i) {
            children.push_back(Clone(reinterpret_cast<const ITEMIDLIST*>(bytes + list->aoffset[i + 1])));
        }
        ::GlobalUnlock(medium.hGlobal);
    }
    ::ReleaseStgMedium(&medium);
    return children;
}

}  // namespace

void SetFolderParserForTest(FolderParser parser) { Parser() = parser != nullptr ? parser : ParseWithShell; }

void SetShellStarterForTest(ShellStarter starter) { Starter() = starter != nullptr ? starter : StartWithShell; }

ComPtr<CFolderView> CFolderView::Create(HWND page, FolderViewOptions options, std::function<void()> changed) {
    ComPtr<CFolderView> browser;
    browser.Attach(new CFolderView(page, std::move(options), std::move(changed)));
    return browser;
}

CFolderView::CFolderView(HWND page, FolderViewOptions options, std::function<void()> changed)
    : page_(page), options_(std::move(options)), changed_(std::move(changed)) {}

STDMETHODIMP CFolderView::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IShellBrowser) {
        *object = static_cast<IShellBrowser*>(this);
    } else if (riid == IID_ICommDlgBrowser || riid == IID_ICommDlgBrowser2) {
        *object = static_cast<ICommDlgBrowser2*>(this);
    } else if (riid == IID_IServiceProvider) {
        *object = static_cast<IServiceProvider*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CFolderView::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) CFolderView::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

STDMETHODIMP CFolderView::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = page_;
    return S_OK;
}

STDMETHODIMP CFolderView::BrowseObject(PCUIDLIST_RELATIVE pidl, UINT flags) {
    try {
        if ((flags & SBSP_PARENT) != 0) {
            Up();
        } else if ((flags & SBSP_NAVIGATEBACK) != 0) {
            Back();
        } else if ((flags & SBSP_NAVIGATEFORWARD) != 0) {
            Forward();
        } else if ((flags & SBSP_RELATIVE) != 0) {
            if (!current_) {
                return E_FAIL;
            }
            BrowseTo(unique_pidl(::ILCombine(current_.get(), pidl)));
        } else {
            BrowseTo(Clone(pidl));
        }
        return S_OK;
    } catch (const std::exception&) {
        return E_FAIL;
    }
}

STDMETHODIMP CFolderView::GetViewStateStream(DWORD, IStream** stream) {
    if (stream != nullptr) {
        *stream = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CFolderView::GetControlWindow(UINT, HWND* window) {
    if (window != nullptr) {
        *window = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CFolderView::SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT* result) {
    if (result != nullptr) {
        *result = 0;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CFolderView::QueryActiveShellView(IShellView** view) {
    if (view == nullptr) {
        return E_POINTER;
    }
    *view = view_.Get();
    if (*view == nullptr) {
        return E_FAIL;
    }
    (*view)->AddRef();
    return S_OK;
}

STDMETHODIMP CFolderView::OnDefaultCommand(IShellView*) {
    try {
        std::vector<unique_pidl> children = SelectedChildren();
        if (children.empty()) {
            return S_FALSE;
        }
        return OpenItem(children.front().get()) ? S_OK : S_FALSE;
    } catch (const std::exception&) {
        return E_FAIL;
    }
}

STDMETHODIMP CFolderView::IncludeObject(IShellView*, PCUITEMID_CHILD pidl) {
    if (options_.filter.empty()) {
        return S_OK;
    }
    try {
        const std::wstring name = DisplayName(folder_.Get(), pidl, SHGDN_INFOLDER | SHGDN_FORPARSING);
        return ::PathMatchSpecW(name.c_str(), options_.filter.c_str()) ? S_OK : S_FALSE;
    } catch (const std::exception&) {
        return S_OK;
    }
}

STDMETHODIMP CFolderView::GetViewFlags(DWORD* flags) {
    if (flags == nullptr) {
        return E_POINTER;
    }
    *flags = CDB2GVF_SHOWALLFILES;
    return S_OK;
}

STDMETHODIMP CFolderView::QueryService(REFGUID service, REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (service == SID_SShellBrowser || service == SID_STopLevelBrowser) {
        return QueryInterface(riid, object);
    }
    return E_NOINTERFACE;
}

bool CFolderView::BrowseToText(const std::wstring& text) {
    std::wstring folderText = text;
    std::wstring fileName;
    if (!text.empty() && text.front() != L':' && PathExists(text) && !IsFolderPath(text)) {
        folderText = text.substr(0, text.rfind(L'\\') + 1);
        fileName = text.substr(folderText.size());
    }
    unique_pidl folder = Parse(folderText);
    if (!folder) {
        // The computer folder is tried once; should that fail as well the view stays empty.
        folder = Parse(kComputerFolder);
        fileName.clear();
    }
    if (!folder) {
        ClearView();
        return false;
    }
    const bool shown = BrowseTo(std::move(folder));
    if (shown && !fileName.empty()) {
        SelectItem(fileName, false);
    }
    return shown;
}

bool CFolderView::BrowseTo(unique_pidl folder, bool remember) {
    if (!folder) {
        return false;
    }
    if (current_ && view_ && ::ILIsEqual(current_.get(), folder.get())) {
        return true;
    }
    ComPtr<IShellFolder> shellFolder = BindFolder(folder.get());
    if (!shellFolder) {
        return false;
    }
    unique_pidl previous = std::move(current_);
    current_ = std::move(folder);
    if (!ShowView(shellFolder)) {
        current_ = std::move(previous);
        return false;
    }
    if (remember && previous) {
        back_.Push(std::move(previous));
    }
    if (changed_) {
        changed_();
    }
    return true;
}

bool CFolderView::ShowView(ComPtr<IShellFolder> folder) {
    ComPtr<IShellView> view;
    if (FAILED(folder->CreateViewObject(page_, IID_PPV_ARGS(&view)))) {
        return false;
    }
    ComPtr<IShellFolder> oldFolder = std::move(folder_);
    folder_ = folder;  // asked for names while the new view fills itself
    FOLDERSETTINGS settings{options_.viewMode, options_.viewFlags};
    RECT area = viewRect_;
    HWND window = nullptr;
    if (FAILED(view->CreateViewWindow(view_.Get(), &settings, this, &area, &window)) || window == nullptr) {
        folder_ = std::move(oldFolder);
        return false;
    }
    if (view_) {
        view_->UIActivate(SVUIA_DEACTIVATE);
        view_->DestroyViewWindow();
    }
    view_ = std::move(view);
    viewWindow_ = window;
    view_->UIActivate(SVUIA_ACTIVATE_NOFOCUS);
    ApplyViewOptions();
    ::ShowWindow(viewWindow_, SW_SHOW);
    return true;
}

void CFolderView::ApplyViewOptions() {
    ComPtr<IFolderView2> folderView;
    if (FAILED(view_.As(&folderView))) {
        return;
    }
    folderView->SetViewModeAndIconSize(static_cast<FOLDERVIEWMODE>(options_.viewMode), options_.iconSize);
    if (const std::optional<SortColumnValue>& sort = options_.sortColumn) {
        SORTCOLUMN column{};
        column.propkey.fmtid = GUID{sort->data1, sort->data2, sort->data3,
                                    {sort->data4[0], sort->data4[1], sort->data4[2], sort->data4[3], sort->data4[4],
                                     sort->data4[5], sort->data4[6], sort->data4[7]}};
        column.propkey.pid = sort->pid;
        column.direction = static_cast<SORTDIRECTION>(sort->direction);
        folderView->SetSortColumns(&column, 1);
    }
}

void CFolderView::ClearView() {
    if (view_) {
        view_->UIActivate(SVUIA_DEACTIVATE);
        view_->DestroyViewWindow();
    }
    view_.Reset();
    viewWindow_ = nullptr;
    folder_.Reset();
    current_.reset();
    if (changed_) {
        changed_();
    }
}

void CFolderView::Close() {
    changed_ = nullptr;
    ClearView();
    back_.Clear();
    forward_.Clear();
}

void CFolderView::Back(std::size_t index) {
    if (!current_) {
        return;
    }
    if (std::optional<unique_pidl> entry = StepThroughHistory(back_, forward_, index, Clone(current_.get()))) {
        BrowseTo(std::move(*entry), false);
    }
}

void CFolderView::Forward(std::size_t index) {
    if (!current_) {
        return;
    }
    if (std::optional<unique_pidl> entry = StepThroughHistory(forward_, back_, index, Clone(current_.get()))) {
        BrowseTo(std::move(*entry), false);
    }
}

void CFolderView::Up() {
    if (!current_ || AtDesktop()) {
        return;
    }
    unique_pidl parent = Clone(current_.get());
    ::ILRemoveLastID(parent.get());
    BrowseTo(std::move(parent));
}

void CFolderView::Refresh() {
    if (view_) {
        view_->Refresh();
    }
}

bool CFolderView::AtDesktop() const { return current_ && ILIsEmpty(current_.get()); }

std::wstring CFolderView::CurrentFolder() const { return FileSystemPath(current_.get()); }

NamedPath CFolderView::CurrentFolderNameAndPath() const {
    if (!current_) {
        return {};
    }
    ComPtr<IShellFolder> desktop = Desktop();
    return {DisplayName(desktop.Get(), current_.get(), SHGDN_FORPARSING),
            DisplayName(desktop.Get(), current_.get(), SHGDN_NORMAL)};
}

std::wstring CFolderView::AddressText(const ITEMIDLIST* folder) {
    std::wstring path = FileSystemPath(folder);
    if (!path.empty()) {
        return path;
    }
    ComPtr<IShellFolder> desktop = Desktop();
    return DisplayName(desktop.Get(), folder, SHGDN_NORMAL);
}

bool CFolderView::SelectItem(const std::wstring& name, bool rename) {
    ITEMIDLIST* child = nullptr;
    if (!folder_ || !view_ ||
        FAILED(folder_->ParseDisplayName(page_, nullptr, const_cast<wchar_t*>(name.c_str()), nullptr, &child,
                                         nullptr))) {
        return false;
    }
    const unique_pidl owned(child);
    UINT flags = SVSI_SELECT | SVSI_DESELECTOTHERS | SVSI_ENSUREVISIBLE | SVSI_FOCUSED;
    if (rename) {
        flags |= SVSI_EDIT;
    }
    return SUCCEEDED(view_->SelectItem(owned.get(), flags));
}

std::vector<unique_pidl> CFolderView::SelectedChildren() const {
    ComPtr<IDataObject> data;
    if (!view_ || FAILED(view_->GetItemObject(SVGIO_SELECTION, IID_PPV_ARGS(&data)))) {
        return {};
    }
    return ChildrenOfDataObject(data.Get());
}

std::vector<NamedPath> CFolderView::SelectedItems() const {
    std::vector<NamedPath> items;
    for (const unique_pidl& child : SelectedChildren()) {
        const unique_pidl full(::ILCombine(current_.get(), child.get()));
        std::wstring path = FileSystemPath(full.get());
        if (path.empty()) {
            path = DisplayName(folder_.Get(), child.get(), SHGDN_FORPARSING);
        }
        items.push_back({path, DisplayName(folder_.Get(), child.get(), SHGDN_INFOLDER)});
    }
    return items;
}

bool CFolderView::OpenItem(const ITEMIDLIST* child) {
    if (!folder_ || !current_) {
        return false;
    }
    unique_pidl full(::ILCombine(current_.get(), child));
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_STREAM;
    LPCITEMIDLIST children[] = {child};
    folder_->GetAttributesOf(1, children, &attributes);
    const std::wstring path = FileSystemPath(full.get());
    if ((attributes & SFGAO_FOLDER) != 0 && (path.empty() || IsFolderPath(path))) {
        BrowseTo(std::move(full));
        return true;
    }
    if (path.empty()) {
        return false;  // an item outside the file system: the view runs its own default command
    }
    const bool includeMode = options_.openMode == OpenMode::Include;
    const std::wstring& patterns = includeMode ? options_.includePatterns : options_.excludePatterns;
    const bool matches = !patterns.empty() && ::PathMatchSpecW(path.c_str(), patterns.c_str());
    if (kelpo::HandToShell(options_.openMode, patterns, matches)) {
        Starter()(path);
    } else {
        OpenDocument(path);
    }
    return true;
}

std::optional<std::wstring> CFolderView::NewFile() {
    std::wstring folder = CurrentFolder();
    if (folder.empty()) {
        return std::nullopt;
    }
    if (folder.back() != L'\\') {
        folder += L'\\';
    }
    const std::optional<std::wstring> name =
        FreeNewFileName(L"New File", [&](const std::wstring& candidate) { return PathExists(folder + candidate); });
    if (!name) {
        return std::nullopt;
    }
    const std::wstring path = folder + *name;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    ::CloseHandle(file);
    ::SHChangeNotify(SHCNE_CREATE, SHCNF_PATHW | SHCNF_FLUSH, path.c_str(), nullptr);
    Refresh();
    if (SelectItem(*name, true)) {
        ::SetFocus(ListWindow());
    }
    return path;
}

void CFolderView::NewFolder() {
    ComPtr<IContextMenu> menu;
    if (!view_ || FAILED(view_->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&menu)))) {
        return;
    }
    HMENU popup = ::CreatePopupMenu();
    if (popup == nullptr) {
        return;
    }
    menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_NORMAL);
    CMINVOKECOMMANDINFO info{sizeof(CMINVOKECOMMANDINFO)};
    info.hwnd = page_;
    info.lpVerb = "NewFolder";
    info.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(&info);
    ::DestroyMenu(popup);
}

void CFolderView::DeleteSelection() {
    std::wstring paths;
    for (const NamedPath& item : SelectedItems()) {
        if (PathExists(item.path)) {
            paths += item.path;
            paths += L'\0';
        }
    }
    if (paths.empty()) {
        return;
    }
    paths += L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = page_;
    operation.wFunc = FO_DELETE;
    operation.pFrom = paths.c_str();
    operation.fFlags = FOF_ALLOWUNDO;
    ::SHFileOperationW(&operation);
    Refresh();
}

HWND CFolderView::ListWindow() const {
    return viewWindow_ != nullptr ? ::FindWindowExW(viewWindow_, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
}

FolderViewOptions CFolderView::CurrentViewOptions() const {
    FolderViewOptions current = options_;
    FOLDERSETTINGS settings{};
    if (view_ && SUCCEEDED(view_->GetCurrentInfo(&settings))) {
        current.viewMode = settings.ViewMode;
        current.viewFlags = settings.fFlags;
    }
    ComPtr<IFolderView2> folderView;
    SORTCOLUMN column{};
    if (view_ && SUCCEEDED(view_.As(&folderView)) && SUCCEEDED(folderView->GetSortColumns(&column, 1))) {
        SortColumnValue value;
        const GUID& id = column.propkey.fmtid;
        value.data1 = id.Data1;
        value.data2 = id.Data2;
        value.data3 = id.Data3;
        std::copy(std::begin(id.Data4), std::end(id.Data4), value.data4.begin());
        value.pid = column.propkey.pid;
        value.direction = column.direction;
        current.sortColumn = value;
    }
    return current;
}

void CFolderView::Recreate() {
    if (!current_) {
        return;
    }
    ComPtr<IShellFolder> folder = folder_;
    if (folder) {
        ShowView(folder);
    }
}

void CFolderView::SetViewRect(const RECT& area) {
    viewRect_ = area;
    if (viewWindow_ != nullptr) {
        ::MoveWindow(viewWindow_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    }
}

}  // namespace kelpo
