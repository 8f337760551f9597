// Regular-expression element menus of the search dialogs.
#include "aids/search_dialog_elements.h"

#include <algorithm>
#include <array>

#include "aids/search_dialog_fields.h"
#include "aids/search_dialog_templates.h"
#include "base/handles.h"

namespace kelpo {
namespace {

struct Element {
    const wchar_t* text;
    int caret;
    const wchar_t* label;
};

constexpr std::array<Element, 11> kFindElements = {{
    {L".", 1, L".\tAny character"},
    {L"[]", 1, L"[]\tCharacter in set"},
    {L"[^]", 2, L"[^]\tCharacter not in set"},
    {L"^", 1, L"^\tStart of line"},
    {L"$", 1, L"$\tEnd of line"},
    {L"\\(\\)", 4, L"\\(\\)\tTagged part"},
    {L"~", 1, L"~"},
    {L"\\!", 2, L"\\!"},
    {L"*", 1, L"*\tNone or more"},
    {L"+", 1, L"+\tOne or more"},
    {L"\\{\\}", 4, L"\\{\\}"},
}};

constexpr int kTaggedParts = 9;

// The caret range of each field as it was when the field last lost the focus.
struct FieldSelection {
    DWORD start = 0;
    DWORD end = 0;
};
std::array<FieldSelection, 2> g_savedSelections;

FieldSelection& Saved(ElementMenu menu) { return g_savedSelections[menu == ElementMenu::Find ? 0 : 1]; }

int FieldOf(ElementMenu menu) { return menu == ElementMenu::Find ? kFindFieldId : kReplaceFieldId; }
int ButtonOf(ElementMenu menu) { return menu == ElementMenu::Find ? kFindElementsId : kReplaceElementsId; }

bool AppendItems(HMENU menu, ElementMenu which) {
    bool ok = true;
    if (which == ElementMenu::Find) {
        for (std::size_t i = 0; i < kFindElements.size(); ++i) {
            ok = ::AppendMenuW(menu, MF_STRING, i + 1, kFindElements[i].label) && ok;
        }
        return ok;
    }
    for (int part = 1; part <= kTaggedParts; ++part) {
        const std::wstring label = L"\\" + std::to_wstring(part) + L"\tTagged part " + std::to_wstring(part);
        ok = ::AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(part), label.c_str()) && ok;
    }
    return ok;
}

}  // namespace

std::optional<ElementInsertion> RegexElement(ElementMenu menu, int item) {
    if (menu == ElementMenu::Find) {
        if (item < 1 || item > static_cast<int>(kFindElements.size())) {
            return std::nullopt;
        }
        const Element& element = kFindElements[static_cast<std::size_t>(item - 1)];
        return ElementInsertion{element.text, element.caret};
    }
    if (item < 1 || item > kTaggedParts) {
        return std::nullopt;
    }
    return ElementInsertion{L"\\" + std::to_wstring(item), 2};
}

void SaveFieldSelection(HWND dialog, ElementMenu menu) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendDlgItemMessageW(dialog, FieldOf(menu), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                          reinterpret_cast<LPARAM>(&end));
    Saved(menu) = {start, end};
}

void InsertRegexElement(HWND dialog, ElementMenu menu, int item) {
    const std::optional<ElementInsertion> element = RegexElement(menu, item);
    HWND field = ::GetDlgItem(dialog, FieldOf(menu));
    if (!element || field == nullptr) {
        return;
    }
    std::wstring text = FieldText(dialog, FieldOf(menu));
    // The text may have changed since the selection was saved.
    const std::size_t end = std::min<std::size_t>(Saved(menu).end, text.size());
    const std::size_t start = std::min<std::size_t>(Saved(menu).start, end);
    text.replace(start, end - start, element->text);
    ::SetWindowTextW(field, text.c_str());
    ::SetFocus(field);
    const auto caret = static_cast<WORD>(start + static_cast<std::size_t>(element->caret));
    ::SendMessageW(field, CB_SETEDITSEL, 0, MAKELPARAM(caret, caret));
    Saved(menu) = {caret, caret};
}

void ChooseRegexElement(HWND dialog, ElementMenu menu) {
    unique_hmenu popup(::CreatePopupMenu());
    if (!popup || !AppendItems(popup.get(), menu)) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    RECT button{};
    ::GetWindowRect(::GetDlgItem(dialog, ButtonOf(menu)), &button);
    const int item = static_cast<int>(::TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN |
                                                                         TPM_TOPALIGN | TPM_RIGHTBUTTON,
                                                       button.left, button.bottom, 0, dialog, nullptr));
    if (item > 0) {
        InsertRegexElement(dialog, menu, item);
    }
}

}  // namespace kelpo
