// CFolderView: the browser that hosts the system's folder view in the explorer pane. It owns the
// current folder, its view and the history, filters the items the view asks about and decides
// where a double-clicked file goes.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "panes/explorer_history.h"
#include "panes/explorer_rules.h"

namespace kelpo {

struct PidlDeleter {
    void operator()(ITEMIDLIST* pidl) const noexcept { ::ILFree(pidl); }
};
using unique_pidl = std::unique_ptr<ITEMIDLIST, PidlDeleter>;

inline constexpr wchar_t kComputerFolder[] = L"::{20d04fe0-3aea-1069-a2d8-08002b30309d}";

// What the view shows and how a new view is made.
struct FolderViewOptions {
    UINT viewMode = 4;  // details
    UINT viewFlags = 0;
    int iconSize = 16;
    std::optional<SortColumnValue> sortColumn;
    OpenMode openMode = OpenMode::Exclude;
    std::wstring excludePatterns = L"*.exe;*.bat;*.com";
    std::wstring includePatterns = L"*.txt;*.html;*.htm;*.css;*.js;*.cpp;*.c;*.h";
    std::wstring filter;  // patterns of the filter box; empty shows everything
};

// Parses a path or parsing name into an absolute item list (SHParseDisplayName by default).
using FolderParser = HRESULT (*)(const wchar_t* text, ITEMIDLIST** pidl);
// Tests make parsing fail with their own parser; null puts the system's back.
void SetFolderParserForTest(FolderParser parser);

// Hands a file to the shell (ShellExecuteExW with the default verb by default); tests record instead.
using ShellStarter = void (*)(const std::wstring& path);
void SetShellStarterForTest(ShellStarter starter);

// A path with its display name.
struct NamedPath {
    std::wstring path;
    std::wstring name;
};

class CFolderView final : public IShellBrowser, public ICommDlgBrowser2, public IServiceProvider {
public:
    // `changed` runs after every browse, so that the pane can update its address and buttons.
    static Microsoft::WRL::ComPtr<CFolderView> Create(HWND page, FolderViewOptions options,
                                                       std::function<void()> changed);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IShellBrowser
    STDMETHODIMP InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    STDMETHODIMP SetMenuSB(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenusSB(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusTextSB(LPCWSTR) override { return S_OK; }
    STDMETHODIMP EnableModelessSB(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAcceleratorSB(MSG*, WORD) override { return S_FALSE; }
    STDMETHODIMP BrowseObject(PCUIDLIST_RELATIVE pidl, UINT flags) override;
    STDMETHODIMP GetViewStateStream(DWORD, IStream** stream) override;
    STDMETHODIMP GetControlWindow(UINT, HWND* window) override;
    STDMETHODIMP SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT* result) override;
    STDMETHODIMP QueryActiveShellView(IShellView** view) override;
    STDMETHODIMP OnViewWindowActive(IShellView*) override { return S_OK; }
    STDMETHODIMP SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return S_OK; }
    // ICommDlgBrowser
    STDMETHODIMP OnDefaultCommand(IShellView* view) override;
    STDMETHODIMP OnStateChange(IShellView*, ULONG) override { return S_OK; }
    STDMETHODIMP IncludeObject(IShellView* view, PCUITEMID_CHILD pidl) override;
    // ICommDlgBrowser2
    STDMETHODIMP Notify(IShellView*, DWORD) override { return S_OK; }
    STDMETHODIMP GetDefaultMenuText(IShellView*, LPWSTR, int) override { return S_FALSE; }
    STDMETHODIMP GetViewFlags(DWORD* flags) override;
    // IServiceProvider
    STDMETHODIMP QueryService(REFGUID service, REFIID riid, void** object) override;

    // Browsing. A text that names a file shows its folder with the file selected; a text that
    // cannot be parsed falls back to the computer folder, once; when that fails too the view is
    // emptied. False when nothing could be shown.
    bool BrowseToText(const std::wstring& text);
    bool BrowseTo(unique_pidl folder, bool remember = true);
    void Back(std::size_t index = 0);
    void Forward(std::size_t index = 0);
    void Up();
    void Refresh();
    // Drops the view and the folder (the pane is going away).
    void Close();

    // The folder's file-system path; empty for folders outside the file system.
    std::wstring CurrentFolder() const;
    // Parsing name and display name of the current folder.
    NamedPath CurrentFolderNameAndPath() const;
    // Path or, outside the file system, display name of a folder, as the address box shows it.
    static std::wstring AddressText(const ITEMIDLIST* folder);
    bool AtDesktop() const;
    const HistoryRing<unique_pidl>& BackRing() const { return back_; }
    const HistoryRing<unique_pidl>& ForwardRing() const { return forward_; }

    // Selects an item of the current folder by its in-folder name, optionally starting to rename it.
    bool SelectItem(const std::wstring& name, bool rename);
    // The selected items' full paths (parsing names outside the file system) and display names.
    std::vector<NamedPath> SelectedItems() const;
    // The open rule for one item of the current folder; false for an item it leaves to the view.
    bool OpenItem(const ITEMIDLIST* child);

    // Commands of the toolbar.
    std::optional<std::wstring> NewFile();
    void NewFolder();
    void DeleteSelection();

    FolderViewOptions& Options() { return options_; }
    HWND ViewWindow() const { return viewWindow_; }
    HWND ListWindow() const;
    IShellView* View() const { return view_.Get(); }
    // The view mode, flags and first sort column of the shown view, for saving.
    FolderViewOptions CurrentViewOptions() const;
    // Replaces the view of the current folder by a new one (after a change of style).
    void Recreate();
    void SetViewRect(const RECT& area);

private:
    CFolderView(HWND page, FolderViewOptions options, std::function<void()> changed);
    ~CFolderView() = default;
    bool ShowView(Microsoft::WRL::ComPtr<IShellFolder> folder);
    void ApplyViewOptions();
    void ClearView();
    std::vector<unique_pidl> SelectedChildren() const;

    LONG references_ = 1;
    HWND page_;
    FolderViewOptions options_;
    std::function<void()> changed_;
    RECT viewRect_{};
    unique_pidl current_;
    Microsoft::WRL::ComPtr<IShellFolder> folder_;
    Microsoft::WRL::ComPtr<IShellView> view_;
    HWND viewWindow_ = nullptr;
    HistoryRing<unique_pidl> back_;
    HistoryRing<unique_pidl> forward_;
};

}  // namespace kelpo
