// The chooser dialog, built from an in-memory template: a list view of the 82 display names,
// OK and Cancel.
#include "lang/language_chooser.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/handles.h"
#include "lang/editor_view.h"
#include "lang/explorer_theme.h"
#include "lang/language_catalogue.h"
#include "lang/open_views.h"
#include "lang/view_language.h"

namespace kelpo {
namespace {

constexpr wchar_t kCaption[] = L"Choose Language";
constexpr int kMarkSize = 16;

// A dialog template in memory: DLGTEMPLATE and DLGITEMTEMPLATE records with their strings, each
// record on a DWORD boundary, as DialogBoxIndirectParamW reads them.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, std::wstring_view caption, WORD itemCount) {
        AddDword(style);
        AddDword(0);
        words_.push_back(itemCount);
        AddRect(0, 0, cx, cy);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard dialog class
        AddString(caption);
        words_.push_back(8);  // DS_SETFONT: point size and face
        AddString(L"MS Shell Dlg");
    }

    void AddItem(DWORD style, short x, short y, short cx, short cy, WORD id, std::wstring_view windowClass,
                 std::wstring_view text) {
        AlignToDword();
        AddDword(style | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        AddRect(x, y, cx, cy);
        words_.push_back(id);
        AddString(windowClass);
        AddString(text);
        words_.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void AddDword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void AddRect(short x, short y, short cx, short cy) {
        for (const short value : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(value));
    }
    void AddString(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }
    void AlignToDword() {
        if (words_.size() % 2 != 0) words_.push_back(0);
    }

    std::vector<WORD> words_;
};

struct ImageListDeleter {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using unique_himagelist = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

struct ChooserContext {
    int current = 0;
    int chosen = -1;
    unique_himagelist marks;
};

// One image: a dot that marks the language the view has now.
unique_himagelist CreateMarkImages() {
    unique_himagelist images(ImageList_Create(kMarkSize, kMarkSize, ILC_COLOR24 | ILC_MASK, 1, 0));
    if (!images) return images;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    unique_hbitmap bitmap(::CreateCompatibleBitmap(screen, kMarkSize, kMarkSize));
    ::ReleaseDC(nullptr, screen);
    if (dc == nullptr || !bitmap) {
        if (dc != nullptr) ::DeleteDC(dc);
        return images;
    }
    constexpr COLORREF kTransparent = RGB(255, 0, 255);
    {
        ScopedSelectObject selectBitmap(dc, bitmap.get());
        unique_hbrush background(::CreateSolidBrush(kTransparent));
        const RECT all{0, 0, kMarkSize, kMarkSize};
        ::FillRect(dc, &all, background.get());
        unique_hbrush dot(::CreateSolidBrush(::GetSysColor(COLOR_WINDOWTEXT)));
        ScopedSelectObject selectDot(dc, dot.get());
        ScopedSelectObject selectPen(dc, ::GetStockObject(NULL_PEN));
        ::Ellipse(dc, 4, 4, 12, 12);
    }
    ::DeleteDC(dc);
    ImageList_AddMasked(images.get(), bitmap.get(), kTransparent);
    return images;
}

void FillList(HWND list, ChooserContext& context) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ApplyExplorerTheme(list);
    RECT client;
    ::GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    ListView_InsertColumn(list, 0, &column);
    context.marks = CreateMarkImages();
    ListView_SetImageList(list, context.marks.get(), LVSIL_STATE);
    for (int position = 0; position < LanguageCount; ++position) {
        std::wstring name = LanguageAt(position).displayName;
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
        item.iItem = position;
        item.pszText = name.data();
        item.lParam = position;
        item.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;
        item.state = position == context.current ? (INDEXTOSTATEIMAGEMASK(1) | LVIS_SELECTED | LVIS_FOCUSED) : 0;
        ListView_InsertItem(list, &item);
    }
    ListView_EnsureVisible(list, context.current, FALSE);
}

void Accept(HWND dialog, ChooserContext& context) {
    HWND list = ::GetDlgItem(dialog, kLanguageChooserListId);
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row < 0) {
        ::EndDialog(dialog, IDCANCEL);
        return;
    }
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    ListView_GetItem(list, &item);
    context.chosen = static_cast<int>(item.lParam);
    ::EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK ChooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* context = reinterpret_cast<ChooserContext*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        FillList(::GetDlgItem(dialog, kLanguageChooserListId), *reinterpret_cast<ChooserContext*>(lParam));
        ::SetFocus(::GetDlgItem(dialog, kLanguageChooserListId));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && context != nullptr) {
            Accept(dialog, *context);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == kLanguageChooserListId && header->code == NM_DBLCLK && context != nullptr &&
            reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem >= 0) {
            Accept(dialog, *context);
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return FALSE;
}

}  // namespace

const LanguageDef* ChooseLanguageForView(HWND owner, EditorView& view) {
    DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                          180, 210, kCaption, 3);
    dialog.AddItem(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | LVS_SHAREIMAGELISTS |
                       WS_BORDER | WS_TABSTOP,
                   7, 7, 166, 172, kLanguageChooserListId, WC_LISTVIEWW, L"");
    dialog.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, 67, 189, 50, 14, IDOK, L"Button", L"OK");
    dialog.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 123, 189, 50, 14, IDCANCEL, L"Button", L"Cancel");

    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    ChooserContext context;
    context.current = view.LanguageId();
    const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), owner, ChooserProc,
                                                     reinterpret_cast<LPARAM>(&context));
    if (result != IDOK || context.chosen < 0) return nullptr;
    const LanguageDef& language = LanguageAt(context.chosen);
    ApplyLanguage(view, language);
    return &language;
}

const LanguageDef* ShowLanguageChooser(HWND owner) {
    EditorView* active = ActiveView();
    if (active == nullptr) return nullptr;
    return ChooseLanguageForView(owner, *active);
}

}  // namespace kelpo
