// The language chooser dialog, operated from a timer inside its own modal loop.
#include "lang/language_chooser.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Scintilla.h"
#include "lang/language_catalogue.h"
#include "lang/view_language.h"
#include "view_test_support.h"

namespace kelpo {
namespace {

// What the timer does once the dialog is up; it gets the dialog and its list view.
std::function<void(HWND, HWND)> gOperate;
bool gOperated = false;

HWND FindChooser() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t className[32] = {};
            ::GetClassNameW(window, className, 32);
            if (std::wstring(className) == L"#32770" && ::GetDlgItem(window, kLanguageChooserListId) != nullptr) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK OperateChooser(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindChooser();
    if (dialog == nullptr) return;  // not up yet: the timer fires again
    ::KillTimer(nullptr, timer);
    gOperated = true;
    gOperate(dialog, ::GetDlgItem(dialog, kLanguageChooserListId));
}

// A dialog that the operation failed to close is cancelled, so a failing test cannot hang.
void CALLBACK CancelChooser(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = FindChooser()) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

const LanguageDef* RunChooser(EditorView& view, std::function<void(HWND, HWND)> operate) {
    gOperate = std::move(operate);
    gOperated = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, OperateChooser);
    const UINT_PTR bail = ::SetTimer(nullptr, 0, 5000, CancelChooser);
    const LanguageDef* chosen = ChooseLanguageForView(view.Window(), view);
    ::KillTimer(nullptr, timer);
    ::KillTimer(nullptr, bail);
    return chosen;
}

void Select(HWND list, int row) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    if (row >= 0) ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

class LanguageChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        viewtest::ResetSettings(folder_.Path());
        ASSERT_TRUE(viewtest::LoadSourceBuiltinTheme());
        view_ = viewtest::NewViewWithText("def f():\n    pass\n");
        ASSERT_TRUE(view_);
        ApplyLanguage(*view_, kLangPython);
    }
    void TearDown() override { viewtest::ForgetLoadedTheme(); }

    viewtest::TempFolder folder_;
    std::unique_ptr<EditorView> view_;
};

TEST_F(LanguageChooserTest, ListsEveryLanguageAndMarksTheCurrentOne) {
    int count = 0;
    int selected = -1;
    int marked = 0;
    int markedRow = -1;
    bool itemDataIsPosition = true;
    std::wstring third;
    const LanguageDef* chosen = RunChooser(*view_, [&](HWND dialog, HWND list) {
        count = ListView_GetItemCount(list);
        selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
        for (int row = 0; row < count; ++row) {
            if (ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK) != 0) {
                ++marked;
                markedRow = row;
            }
            LVITEMW item{};
            item.mask = LVIF_PARAM;
            item.iItem = row;
            ListView_GetItem(list, &item);
            itemDataIsPosition = itemDataIsPosition && item.lParam == row;
        }
        EXPECT_EQ(ListView_GetItemState(list, kLangPython, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
        wchar_t text[64] = {};
        ListView_GetItemText(list, 3, 0, text, 64);
        third = text;
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    ASSERT_TRUE(gOperated);
    EXPECT_EQ(chosen, nullptr);
    EXPECT_EQ(count, LanguageCount);
    EXPECT_EQ(selected, kLangPython);
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(markedRow, kLangPython);
    EXPECT_TRUE(itemDataIsPosition);
    EXPECT_EQ(third, L"C++");
    EXPECT_EQ(view_->LanguageId(), kLangPython);  // cancel changes nothing
}

TEST_F(LanguageChooserTest, OkAppliesTheSelectedRowAndOkWithoutOneChangesNothing) {
    const LanguageDef* chosen = RunChooser(*view_, [](HWND dialog, HWND list) {
        Select(list, kLangCpp);
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(gOperated);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->id, kLangCpp);
    EXPECT_EQ(view_->LanguageId(), kLangCpp);
    EXPECT_EQ(view_->Call(SCI_GETLEXER), 3);

    chosen = RunChooser(*view_, [](HWND dialog, HWND list) {
        Select(list, -1);
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(gOperated);
    EXPECT_EQ(chosen, nullptr);
    EXPECT_EQ(view_->LanguageId(), kLangCpp);
}

TEST_F(LanguageChooserTest, DoubleClickOnARowChoosesIt) {
    const LanguageDef* chosen = RunChooser(*view_, [](HWND, HWND list) {
        ListView_EnsureVisible(list, kLangHtml, FALSE);
        RECT row{};
        ListView_GetItemRect(list, kLangHtml, &row, LVIR_LABEL);
        const LPARAM point = MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2);
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::SendMessageW(list, WM_LBUTTONUP, 0, point);
        ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        ::SendMessageW(list, WM_LBUTTONUP, 0, point);
    });
    ASSERT_TRUE(gOperated);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->id, kLangHtml);
    EXPECT_EQ(view_->LanguageId(), kLangHtml);
    EXPECT_EQ(view_->Call(SCI_GETLEXER), 4);
}

TEST_F(LanguageChooserTest, WithoutAnActiveDocumentThereIsNothingToChoose) {
    EXPECT_EQ(ShowLanguageChooser(nullptr), nullptr);
}

}  // namespace
}  // namespace kelpo
