// The Find, Replace and Find in Files dialogs of the real main window: opened by their
// shortcuts one at a time, their options, prefilled fields, replacing, the element menus and
// the texts they refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Scintilla.h"
#include "aids/search_commands.h"
#include "aids/search_dialog_elements.h"
#include "aids/search_dialog_replace.h"
#include "aids/search_dialog_templates.h"
#include "aids/search_dialogs.h"
#include "aids/search_options.h"
#include "app/message_loop.h"
#include "base/app_state.h"
#include "base/status_message.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

using Range = std::pair<sptr_t, sptr_t>;

class SearchDialogsTest : public test::MainWindowFixture {
protected:
    EditorView& NewView(const std::string& text) {
        Document* document = NewDocument(nullptr);
        EXPECT_NE(document, nullptr);
        document->view->Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text.c_str()));
        document->view->Call(SCI_GOTOPOS, 0);
        return *document->view;
    }

    static HWND Dialog() { return App().modeless.dialog; }
    static HWND Item(int id) { return ::GetDlgItem(Dialog(), id); }
    static std::wstring Text(int id) { return test::WindowText(Item(id)); }
    static void SetText(int id, const std::wstring& text) { ::SetWindowTextW(Item(id), text.c_str()); }
    static bool Checked(int id) { return ::IsDlgButtonChecked(Dialog(), id) == BST_CHECKED; }
    // A click as the mouse gives it: the button's state changes and the dialog hears of it.
    static void Click(int id) { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }

    static HWND EditOf(HWND combo) {
        COMBOBOXINFO info{sizeof(COMBOBOXINFO)};
        return ::GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
    }

    void Open(int command) {
        ::SendMessageW(window_, WM_COMMAND, command, 0);
        ASSERT_NE(Dialog(), nullptr);
    }

    // A key pressed in `target`, through the program's own message loop step.
    static void PressKey(HWND target, UINT key, bool control = false, bool shift = false) {
        BYTE state[256] = {};
        state[VK_CONTROL] = control ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(state);
        MSG message{target, WM_KEYDOWN, key, 1, 0, {}};
        ProcessMessage(App(), message);
        BYTE none[256] = {};
        ::SetKeyboardState(none);
    }

    static Range Selection(const EditorView& view) {
        return {view.Call(SCI_GETSELECTIONSTART), view.Call(SCI_GETSELECTIONEND)};
    }

    // The colour the status line is drawn in.
    static COLORREF StatusColor() {
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        ::SendMessageW(Dialog(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(Item(kReplaceStatusId)));
        const COLORREF color = ::GetTextColor(dc);
        EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);
        return color;
    }
};

int SearchDialogsShown() {
    int count = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(window, name, 16);
            if (std::wstring(name) == L"#32770" && ::IsWindowVisible(window)) {
                ++*reinterpret_cast<int*>(counter);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(SearchDialogsTest, ShortcutsOpenOneDialogAtATimeAndSwitchBetweenThem) {
    EditorView& view = NewView("text");
    PressKey(view.Window(), 'F', true);
    ASSERT_EQ(App().modeless.kind, ModelessKind::Find);
    const HWND find = Dialog();
    EXPECT_EQ(test::WindowText(find), L"Find");

    // Inside the dialog its own shortcut keeps it, the others switch.
    const HWND field = EditOf(Item(kFindFieldId));
    ASSERT_NE(field, nullptr);
    PressKey(field, 'F', true);
    EXPECT_EQ(Dialog(), find);
    PressKey(field, 'H', true);
    EXPECT_EQ(App().modeless.kind, ModelessKind::Replace);
    EXPECT_FALSE(::IsWindow(find));
    PressKey(EditOf(Item(kReplaceFieldId)), 'F', true, true);
    EXPECT_EQ(App().modeless.kind, ModelessKind::FindInFiles);
    EXPECT_EQ(test::WindowText(Dialog()), L"Find in Files");
    PressKey(view.Window(), 'H', true);
    EXPECT_EQ(App().modeless.kind, ModelessKind::Replace);
    EXPECT_EQ(SearchDialogsShown(), 1);

    ::SendMessageW(Dialog(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(App().modeless.dialog, nullptr);
    EXPECT_EQ(SearchDialogsShown(), 0);

    // The favourites organiser keeps its place: asking for a search dialog only focuses it.
    HWND organizer = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, window_, nullptr, nullptr, nullptr);
    App().modeless = ModelessSlot{organizer, ModelessKind::FavoritesOrganizer};
    PressKey(view.Window(), 'F', true);
    EXPECT_EQ(App().modeless.dialog, organizer);
    ::DestroyWindow(organizer);
    App().modeless = ModelessSlot{};
}

TEST_F(SearchDialogsTest, OptionsComeFromAndGoBackToSearchFlags) {
    NewView("text");
    struct Row {
        int command;
        std::uint32_t before;
        std::vector<int> shown;   // controls checked at first
        std::vector<int> clicks;
        std::uint32_t after;
    };
    const std::uint32_t kept = kSearchScopeSelection | (2u << kSearchLocationShift);  // no control in Find
    const Row rows[] = {
        {kCmdFindDialog, kSearchWholeWord | kSearchWrap | kept, {kWholeWordBoxId, kWrapBoxId, kPane1RadioId},
         {kMatchCaseBoxId, kWholeWordBoxId, kRegexBoxId, kEscapesBoxId, kPane2RadioId},
         kSearchMatchCase | kSearchRegex | kSearchEscapes | kSearchWrap | kSearchToPane2 | kept},
        {kCmdReplaceDialog, kSearchMatchCase | kSearchRegex | kSearchScopeAllDocuments | kSearchToPane2,
         {kMatchCaseBoxId, kRegexBoxId, kScopeAllRadioId},
         {kRegexBoxId, kWrapBoxId, kScopeSelectionRadioId},
         kSearchMatchCase | kSearchWrap | kSearchScopeSelection | kSearchToPane2},
        {kCmdFindInFilesDialog, kSearchSubfolders | kSearchToPane2 | kSearchRegex,
         {kSubfoldersBoxId, kPane2RadioId},
         {kSubfoldersBoxId, kWholeWordBoxId, kPane1RadioId},
         kSearchWholeWord | kSearchRegex},
    };
    for (const Row& row : rows) {
        App().settings.searchFlags = static_cast<int>(row.before);
        Open(row.command);
        for (const int id : {kMatchCaseBoxId, kWholeWordBoxId, kRegexBoxId, kEscapesBoxId, kWrapBoxId,
                             kSubfoldersBoxId, kPane1RadioId, kPane2RadioId, kScopeAllRadioId}) {
            if (Item(id) != nullptr) {
                EXPECT_EQ(Checked(id), std::find(row.shown.begin(), row.shown.end(), id) != row.shown.end())
                    << row.command << " control " << id;
            }
        }
        if (HWND elements = Item(kFindElementsId)) {
            EXPECT_EQ(::IsWindowEnabled(elements) != FALSE, (row.before & kSearchRegex) != 0);
        }
        for (const int id : row.clicks) {
            Click(id);
        }
        EXPECT_EQ(static_cast<std::uint32_t>(App().settings.searchFlags), row.after) << row.command;
        if (HWND elements = Item(kReplaceElementsId)) {
            EXPECT_EQ(::IsWindowEnabled(elements) != FALSE, (row.after & kSearchRegex) != 0);
        }
        ::SendMessageW(Dialog(), WM_COMMAND, IDCANCEL, 0);
    }
}

TEST_F(SearchDialogsTest, TheFindFieldStartsFromTheSelectionTheWordOrTheHistory) {
    App().recent.find.AddRecent(L"older");
    App().recent.find.AddRecent(L"newest");
    App().recent.replace.AddRecent(L"with");
    struct Row {
        std::string text;
        Range selection;
        std::wstring expected;
    };
    const Row rows[] = {
        {"alpha beta\r\ngamma", {6, 10}, L"beta"},
        {"alpha beta\r\ngamma", {14, 14}, L"gamma"},
        {"alpha beta\r\ngamma", {2, 14}, L"gamma"},  // over two lines: the word at the caret
        {"a   b", {2, 2}, L"newest"},
        {"a " + std::string(600, 'x'), {2, 602}, L"newest"},
    };
    for (const Row& row : rows) {
        EditorView& view = NewView(row.text);
        view.Call(SCI_SETSEL, row.selection.first, row.selection.second);
        Open(kCmdReplaceDialog);
        EXPECT_EQ(Text(kFindFieldId), row.expected) << row.text.substr(0, 20);
        EXPECT_EQ(::SendMessageW(Item(kFindFieldId), CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(Text(kReplaceFieldId), L"with");
        ::SendMessageW(Dialog(), WM_COMMAND, IDCANCEL, 0);
    }
}

TEST_F(SearchDialogsTest, ReplaceTakesTheSelectedMatchAndReplaceAllCountsInItsScope) {
    EditorView& readOnly = NewView("cat");
    readOnly.Call(SCI_SETREADONLY, 1);
    EditorView& other = NewView("cat dog");
    EditorView& view = NewView("one two one two one");
    view.Call(SCI_SETSEL, 8, 11);
    App().settings.searchFlags = kSearchWrap;
    Open(kCmdReplaceDialog);
    SetText(kFindFieldId, L"one");
    SetText(kReplaceFieldId, L"1");
    Click(kReplaceId);
    EXPECT_EQ(view.Text(), "one two 1 two one");
    EXPECT_EQ(Selection(view), Range(14, 17)) << "the next match is selected";
    EXPECT_EQ(CurrentSearchTexts().replace, L"1");
    EXPECT_EQ(App().recent.replace.Entries(), std::vector<std::wstring>{L"1"});
    EXPECT_EQ(App().recent.find.Entries(), std::vector<std::wstring>{L"one"});

    view.Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>("cat cat cat"));
    view.Call(SCI_SETSEL, 0, 7);
    SetText(kFindFieldId, L"cat");
    SetText(kReplaceFieldId, L"bird");
    struct Row {
        int scope;
        int count;
        std::string text;
        Range selection;
    };
    const Row rows[] = {
        {kScopeSelectionRadioId, 2, "bird bird cat", {0, 9}},  // the range grew with the replacements
        {kScopeDocumentRadioId, 1, "bird bird bird", {14, 14}},
        {kScopeDocumentRadioId, 0, "bird bird bird", {14, 14}},
        {kScopeAllRadioId, 1, "bird bird bird", {14, 14}},  // the other tab's; the read-only one is left alone
    };
    for (const Row& row : rows) {
        Click(row.scope);
        Click(kReplaceAllId);
        EXPECT_EQ(view.Text(), row.text);
        EXPECT_EQ(Selection(view), row.selection) << row.text;
        EXPECT_EQ(Text(kReplaceStatusId), L"Replacements made: " + std::to_wstring(row.count));
        EXPECT_EQ(StatusColor(), row.count < 1 ? kNothingReplacedColor : kReplacedColor) << row.count;
    }
    EXPECT_EQ(other.Text(), "bird dog");
    EXPECT_EQ(readOnly.Text(), "cat");
    EXPECT_TRUE(::IsWindow(Dialog())) << "replacing keeps the dialog";
}

TEST_F(SearchDialogsTest, ElementsGoWhereTheFieldsSelectionWas) {
    struct Row {
        ElementMenu menu;
        int item;
        std::wstring text;
        int caret;
    };
    for (const Row& row : {Row{ElementMenu::Find, 1, L".", 1}, Row{ElementMenu::Find, 2, L"[]", 1},
                           Row{ElementMenu::Find, 3, L"[^]", 2}, Row{ElementMenu::Find, 6, L"\\(\\)", 4},
                           Row{ElementMenu::Find, 11, L"\\{\\}", 4}, Row{ElementMenu::Replace, 9, L"\\9", 2}}) {
        const std::optional<ElementInsertion> element = RegexElement(row.menu, row.item);
        ASSERT_TRUE(element.has_value()) << row.item;
        EXPECT_EQ(element->text, row.text);
        EXPECT_EQ(element->caret, row.caret) << row.text;
    }
    EXPECT_FALSE(RegexElement(ElementMenu::Find, 12));
    EXPECT_FALSE(RegexElement(ElementMenu::Replace, 10));
    EXPECT_FALSE(RegexElement(ElementMenu::Replace, 0));

    NewView("text");
    App().settings.searchFlags = kSearchRegex;
    Open(kCmdReplaceDialog);
    SetText(kFindFieldId, L"ab");
    ::SendMessageW(Item(kFindFieldId), CB_SETEDITSEL, 0, MAKELPARAM(1, 1));
    ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(kFindFieldId, CBN_KILLFOCUS),
                   reinterpret_cast<LPARAM>(Item(kFindFieldId)));
    SetText(kReplaceFieldId, L"<x>");
    ::SendMessageW(Item(kReplaceFieldId), CB_SETEDITSEL, 0, MAKELPARAM(1, 2));
    ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(kReplaceFieldId, CBN_KILLFOCUS),
                   reinterpret_cast<LPARAM>(Item(kReplaceFieldId)));
    ::SendMessageW(Item(kFindFieldId), CB_SETEDITSEL, 0, MAKELPARAM(0, 0));  // moved since: not used

    InsertRegexElement(Dialog(), ElementMenu::Find, 3);
    EXPECT_EQ(Text(kFindFieldId), L"a[^]b");
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(Item(kFindFieldId), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);
    InsertRegexElement(Dialog(), ElementMenu::Replace, 2);
    EXPECT_EQ(Text(kReplaceFieldId), L"<\\2>");
}

TEST_F(SearchDialogsTest, FindActionsRefuseAnOverLongTextAndCloseAfterActing) {
    EditorView& view = NewView("cat\r\ndog cat\r\n");
    App().settings.searchFlags = kSearchWrap;
    Open(kCmdFindDialog);
    for (const int id : {IDOK, kBookmarkAllId}) {
        SetText(kFindFieldId, std::wstring(300, L'x'));
        ShowStatusMessage(L"");
        Click(id);
        EXPECT_NE(LastStatusMessage().find(L"too long"), std::wstring::npos) << id;
        EXPECT_TRUE(App().recent.find.Empty());
        ASSERT_NE(Dialog(), nullptr) << "a refused text keeps the dialog open";
    }
    SetText(kFindFieldId, L"");
    Click(kHighlightAllId);
    ASSERT_NE(Dialog(), nullptr) << "an empty field does nothing";

    SetText(kFindFieldId, L"cat");
    Click(IDOK);
    EXPECT_EQ(Selection(view), Range(0, 3));
    ASSERT_NE(Dialog(), nullptr) << "finding keeps the dialog";
    Click(kBookmarkAllId);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(view.Call(SCI_MARKERNEXT, 1, 1 << kBookmarkMarkerNumber), 1);
    Open(kCmdFindDialog);
    EXPECT_EQ(Text(kFindFieldId), L"cat") << "the word at the caret";
    Click(kHighlightAllId);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(view.Call(SCI_INDICATORVALUEAT, kHighlightIndicator, 10), 1);
}

TEST_F(SearchDialogsTest, FindInFilesListsLocationsAndStartsFromItsFields) {
    App().recent.findWhere.AddRecent(L"C:\\older");
    App().settings.searchFlags = static_cast<int>(kSearchSubfolders | (1u << kSearchLocationShift));
    NewView("untitled text");
    Open(kCmdFindInFilesDialog);
    HWND location = Item(kLocationFieldId);
    ASSERT_EQ(::SendMessageW(location, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(::SendMessageW(location, CB_GETCURSEL, 0, 0), 0) << "the stored kind's entry";
    EXPECT_EQ(::SendMessageW(location, CB_GETITEMDATA, 1, 0), 2);
    EXPECT_EQ(::SendMessageW(location, CB_GETITEMDATA, 2, 0), 0);
    EXPECT_EQ(Text(kFilterFieldId), L"*.*");

    // The active document was never saved: its folder cannot be searched.
    SetText(kFindFieldId, L"needle");
    ShowStatusMessage(L"");
    Click(IDOK);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_NE(LastStatusMessage().find(L"no folder"), std::wstring::npos);

    SetText(kLocationFieldId, L"");
    Click(IDOK);
    ASSERT_NE(Dialog(), nullptr) << "an empty location keeps the dialog";
    EXPECT_EQ(::GetFocus(), EditOf(location));

    SetText(kFindFieldId, std::wstring(300, L'x'));
    SetText(kLocationFieldId, folder_.Path());
    Click(IDOK);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_NE(LastStatusMessage().find(L"too long"), std::wstring::npos);

    SetText(kFindFieldId, L"needle");
    SetText(kFilterFieldId, L"*.c;*.h");
    Click(IDOK);
    EXPECT_EQ(Dialog(), nullptr) << "the search started and the dialog closed";
    EXPECT_EQ(App().recent.findWhere.Entries(), (std::vector<std::wstring>{folder_.Path(), L"C:\\older"}));
    EXPECT_EQ(App().recent.findType.Entries(), (std::vector<std::wstring>{L"*.c;*.h", L"*.*"}));
    EXPECT_EQ(*App().recent.find.At(0), L"needle");
    EXPECT_EQ(static_cast<std::uint32_t>(App().settings.searchFlags), kSearchSubfolders) << "a typed folder's kind";
}

}  // namespace
}  // namespace kelpo
