// Tab bar, tab images, activation history and the placement of the active view.
#include "doc/document_tabs.h"

#include <algorithm>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "base/file_identity.h"
#include "base/handles.h"
#include "base/window_messages.h"
#include "doc/document_events.h"
#include "doc/document_status.h"
#include "lang/open_views.h"
#include "lang/view_setup.h"

namespace kelpo {
namespace {

constexpr int kImageWidth = 10;
constexpr int kImageHeight = 16;

std::unique_ptr<DocumentTabs>& TabsSlot() {
    static std::unique_ptr<DocumentTabs> tabs;
    return tabs;
}

DWORD TabStyle(std::uint32_t config2) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSNEVER;
    if (config2 & kC2TabsMultiline) style |= TCS_MULTILINE;
    if (config2 & kC2TabsFixedWidth) style |= TCS_FIXEDWIDTH;
    if (config2 & kC2TabsBottom) style |= TCS_BOTTOM;
    return style;
}

// Nine small marks: none, project, active project; the same with a read-only bar; the same
// with a modified dot. Drawn here so they follow the system's colours.
void DrawTabImage(HDC dc, int index) {
    const RECT cell{0, 0, kImageWidth, kImageHeight};
    ::FillRect(dc, &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const int kind = index % 3;
    const int state = index / 3;  // 0 plain, 1 read-only, 2 modified
    if (kind > 0) {
        unique_hbrush blue(::CreateSolidBrush(kind == 2 ? RGB(0, 90, 200) : RGB(120, 160, 220)));
        const RECT box{1, 2, 9, 6};
        ::FillRect(dc, &box, blue.get());
    }
    if (state == 1) {
        unique_hbrush grey(::CreateSolidBrush(RGB(110, 110, 110)));
        const RECT bar{2, 8, 8, 14};
        ::FillRect(dc, &bar, grey.get());
    } else if (state == 2) {
        unique_hbrush red(::CreateSolidBrush(RGB(210, 40, 40)));
        ScopedSelectObject brush(dc, red.get());
        ScopedSelectObject pen(dc, ::GetStockObject(NULL_PEN));
        ::Ellipse(dc, 1, 7, 10, 16);
    }
}

// The nine marks side by side in one bitmap, added to the list at once.
HIMAGELIST CreateTabImages() {
    constexpr int kCount = 9;
    HIMAGELIST list = ::ImageList_Create(kImageWidth, kImageHeight, ILC_COLOR24 | ILC_MASK, kCount, 0);
    if (list == nullptr) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kImageWidth * kCount;
    info.bmiHeader.biHeight = kImageHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    unique_hbitmap strip(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!strip || dc == nullptr) {
        if (dc != nullptr) {
            ::DeleteDC(dc);
        }
        ::ImageList_Destroy(list);
        return nullptr;
    }
    {
        ScopedSelectObject select(dc, strip.get());
        for (int i = 0; i < kCount; ++i) {
            ::SetViewportOrgEx(dc, i * kImageWidth, 0, nullptr);
            DrawTabImage(dc, i);
        }
    }
    ::DeleteDC(dc);
    ::ImageList_AddMasked(list, strip.get(), RGB(255, 255, 255));
    return list;
}

EditorView* ActiveDocumentView() {
    const Document* active = TabsSlot() ? TabsSlot()->Active() : nullptr;
    return active != nullptr ? active->view.get() : nullptr;
}

void ForEachDocumentView(const OpenViewVisitor& visit) {
    DocumentTabs* tabs = TabsSlot().get();
    if (tabs == nullptr) {
        return;
    }
    for (int i = 0; i < tabs->Count(); ++i) {
        Document* document = tabs->At(i);
        // A view not loaded yet is set up with what holds then.
        if (document != nullptr && document->view && document->IsLoaded()) {
            visit(*document->view, document->displayName);
        }
    }
}

}  // namespace

DocumentTabs* Tabs() { return TabsSlot().get(); }

void SetTabs(std::unique_ptr<DocumentTabs> tabs) {
    TabsSlot() = std::move(tabs);
    SetOpenViewsSource(TabsSlot() ? OpenViewsSource{ActiveDocumentView, ForEachDocumentView} : OpenViewsSource{});
}

std::unique_ptr<DocumentTabs> DocumentTabs::Create(HWND mainWindow) {
    HWND control = ::CreateWindowExW(0, L"TabCtrlEx", L"", TabStyle(App().settings.config2), 0, 0, 0, 0, mainWindow,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDocumentTabsId)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) {
        return nullptr;
    }
    std::unique_ptr<DocumentTabs> tabs(new DocumentTabs(mainWindow, control));
    tabs->images_ = CreateTabImages();
    ::SendMessageW(control, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(tabs->images_));
    const int padX = 3 * ::GetSystemMetrics(SM_CXEDGE);
    const int padY = (3 * ::GetSystemMetrics(SM_CYEDGE)) / 2 + 2;
    ::SendMessageW(control, TCM_SETPADDING, 0, MAKELPARAM(padX, padY));
    HFONT font = App().uiFont ? App().uiFont.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return tabs;
}

DocumentTabs::~DocumentTabs() {
    RemoveAll();
    if (::IsWindow(tabControl_)) {
        ::DestroyWindow(tabControl_);
    }
    if (images_ != nullptr) {
        ::ImageList_Destroy(images_);
    }
}

Document* DocumentTabs::At(int index) const {
    return index >= 0 && index < Count() ? documents_[static_cast<std::size_t>(index)].get() : nullptr;
}

int DocumentTabs::IndexOf(const Document* document) const {
    for (std::size_t i = 0; i < documents_.size(); ++i) {
        if (documents_[i].get() == document) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DocumentTabs::ActiveIndex() const { return active_ != nullptr ? IndexOf(active_) : -1; }

int DocumentTabs::FindByPathSpelling(const std::wstring& fullPath) const {
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        const Document* document = At(i);
        if (document->HasPath() && ::lstrcmpiW(document->path.c_str(), fullPath.c_str()) == 0) {
            return i;
        }
    }
    return -1;
}

namespace {

const FileIdentity& KnownIdentityOf(Document& document) {
    std::optional<Document::KnownIdentity>& known = document.knownIdentity;
    if (!known || known->path != document.path || ::CompareFileTime(&known->fileTime, &document.fileTime) != 0) {
        known = Document::KnownIdentity{document.path, document.fileTime, IdentityOfFile(document.path)};
    }
    return known->identity;
}

}  // namespace

int DocumentTabs::FindByPath(const std::wstring& fullPath) const {
    if (const int index = FindByPathSpelling(fullPath); index >= 0) {
        return index;
    }
    // Another spelling of an open file: a short 8.3 name, a hard link. The open files' identities
    // are kept from the last time they were asked for their path and file time (opening every
    // open file for each file opened made opening many files slow), and a match is confirmed
    // with the file as it is now: a file deleted since may have given its index to another.
    const FileIdentity identity = IdentityOfFile(fullPath);
    for (int i = 0; identity.known && i < Count(); ++i) {
        Document& document = *At(i);
        if (document.HasPath() && KnownIdentityOf(document).SameFileAs(identity) &&
            IdentityOfFile(document.path).SameFileAs(identity)) {
            return i;
        }
    }
    return -1;
}

std::unique_ptr<Document> DocumentTabs::CreateDocumentWithView(bool setUp) {
    auto document = std::make_unique<Document>();
    const Settings& settings = App().settings;
    document->lineEnd = static_cast<LineEndMode>(GetBits(settings.config1, kC1NewLineModeShift, 2) % 3);
    document->encoding = static_cast<FileEncoding>(settings.newFileEncode);
    document->view = EditorView::Create(mainWindow_, viewCounter_++, false);  // shown when activated
    if (!document->view) {
        return nullptr;
    }
    if (setUp) {
        SetUpView(*document);
    }
    return document;
}

void DocumentTabs::SetUpView(Document& document) const {
    const Settings& settings = App().settings;
    SetUpViewForEditing(*document.view);
    document.view->Call(SCI_SETTABWIDTH, TabWidthOf(settings.config2));
    document.view->Call(SCI_SETINDENT, IndentWidthOf(settings.config2));
    document.view->Call(SCI_SETUSETABS, (settings.config2 & kC2UseTabs) ? 1 : 0);
}

Document* DocumentTabs::Append(std::unique_ptr<Document> document, bool setFocus) {
    Document* kept = AppendInactive(std::move(document));
    if (kept != nullptr) {
        Activate(IndexOf(kept), setFocus);
    }
    return kept;
}

Document* DocumentTabs::AppendInactive(std::unique_ptr<Document> document) {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = document->displayName.data();
    item.iImage = ImageIndexOf(document.get());
    const int index = static_cast<int>(
        ::SendMessageW(tabControl_, TCM_INSERTITEMW, Count(), reinterpret_cast<LPARAM>(&item)));
    if (index != Count()) {
        if (index >= 0) {
            ::SendMessageW(tabControl_, TCM_DELETEITEM, index, 0);
        }
        return nullptr;
    }
    documents_.push_back(std::move(document));
    return documents_.back().get();
}

void DocumentTabs::RememberInHistory(int index) {
    history_[historySlot_] = index;
    historySlot_ ^= 1;
}

int DocumentTabs::PreviousActiveIndex() const { return history_[historySlot_]; }

void DocumentTabs::Activate(int index, bool setFocus) {
    const int count = Count();
    if (count == 0) {
        return;
    }
    if (index >= count || index < 0) {
        index = 0;
    }
    ::SendMessageW(tabControl_, TCM_SETCURSEL, index, 0);
    Document* document = At(index);
    if (document == active_) {
        return;
    }
    if (!document->LoadDeferred()) {
        // The file went away or cannot be read since the tab was restored: the load said so, and
        // the tab goes rather than show an empty text under the file's name.
        Remove(index);
        const int left = Count();
        if (active_ != nullptr) {
            ::SendMessageW(tabControl_, TCM_SETCURSEL, IndexOf(active_), 0);
        } else if (left > 0) {
            Activate(index < left ? index : left - 1, setFocus);
        }
        return;
    }
    RememberInHistory(index);
    Document* previous = active_;
    active_ = document;
    NotifyDocumentActivated(document);
    PlaceActiveView();
    ::ShowWindow(document->view->Window(), SW_SHOW);
    if (previous != nullptr && previous->view) {
        ::ShowWindow(previous->view->Window(), SW_HIDE);
    }
    SetWindowTitle(mainWindow_, document);
    ShowDocumentStatus(*document);
    ::PostMessageW(mainWindow_, UM_CHECK_FILE, 0, 0);
    if (setFocus) {
        ::SetFocus(document->view->Window());
    }
}

void DocumentTabs::Remove(int index) {
    Document* document = At(index);
    if (document == nullptr) {
        return;
    }
    NotifyDocumentClosing(*document);
    const std::unique_ptr<Document> owned = std::move(documents_[static_cast<std::size_t>(index)]);
    documents_.erase(documents_.begin() + index);
    ::SendMessageW(tabControl_, TCM_DELETEITEM, index, 0);
    if (document != active_) {
        return;
    }
    active_ = nullptr;
    const int count = Count();
    if (count == 0) {
        NotifyDocumentActivated(nullptr);
        SetWindowTitle(mainWindow_, nullptr);
        return;
    }
    Activate(index < count ? index : count - 1, true);
}

void DocumentTabs::RemoveAll() {
    while (!documents_.empty()) {
        NotifyDocumentClosing(*documents_.back());
        documents_.pop_back();
    }
    ::SendMessageW(tabControl_, TCM_DELETEALLITEMS, 0, 0);
    active_ = nullptr;
    NotifyDocumentActivated(nullptr);
    if (::IsWindow(mainWindow_)) {
        SetWindowTitle(mainWindow_, nullptr);
    }
}

void DocumentTabs::Move(int from, int to) {
    const int count = Count();
    if (from == to || from < 0 || to < 0 || from >= count || to >= count) {
        return;
    }
    wchar_t text[261] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = 261;
    ::SendMessageW(tabControl_, TCM_GETITEMW, from, reinterpret_cast<LPARAM>(&item));
    ::SendMessageW(tabControl_, TCM_DELETEITEM, from, 0);
    ::SendMessageW(tabControl_, TCM_INSERTITEMW, to, reinterpret_cast<LPARAM>(&item));
    const auto first = documents_.begin();
    if (from < to) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    } else {
        std::rotate(first + to, first + from, first + from + 1);
    }
    // The selection follows the active document: a dragged tab is the active one and is selected
    // at its new place; moving another tab must not leave a tab selected over a different view.
    const int activeIndex = ActiveIndex();
    ::SendMessageW(tabControl_, TCM_SETCURSEL, activeIndex >= 0 ? activeIndex : to, 0);
}

int DocumentTabs::ImageIndexOf(const Document* document) const {
    const int kind = static_cast<int>(document->kind);
    if (document->readOnly) {
        return kind + 3;
    }
    return document->modified ? kind + 6 : kind;
}

void DocumentTabs::UpdateTab(const Document* document) {
    const int index = IndexOf(document);
    if (index < 0) {
        return;
    }
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    std::wstring name = document->displayName;
    item.pszText = name.data();
    item.iImage = ImageIndexOf(document);
    ::SendMessageW(tabControl_, TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
}

void DocumentTabs::PlaceActiveView() {
    if (active_ == nullptr) {
        return;
    }
    RECT display;
    ::GetClientRect(tabControl_, &display);
    ::SendMessageW(tabControl_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    ::MapWindowPoints(tabControl_, mainWindow_, reinterpret_cast<POINT*>(&display), 2);
    ::SetWindowPos(active_->view->Window(), HWND_TOP, display.left, display.top, display.right - display.left,
                   display.bottom - display.top, SWP_NOACTIVATE);
}

void SetWindowTitle(HWND mainWindow, const Document* document) {
    if (document == nullptr) {
        ::SetWindowTextW(mainWindow, L"Kelpo");
        return;
    }
    std::wstring name = document->HasPath() ? document->path : document->displayName;
    if (document->HasPath() && (App().settings.config2 & kC2TitleFileNameOnly)) {
        name = FileNamePart(document->path);
    }
    ::SetWindowTextW(mainWindow, (name + L" - Kelpo").c_str());
}

std::wstring FileNamePart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace kelpo
