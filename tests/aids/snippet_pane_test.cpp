// The snippets pane, templates menu and Variables dialog on the real main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "aids/default_snippets.h"
#include "aids/snippet_pane.h"
#include "aids/templates_menu.h"
#include "aids/variables_context.h"
#include "aids/variables_dialog.h"
#include "base/app_state.h"
#include "base/ini_file.h"
#include "doc/document_tabs.h"
#include "doc/documents.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

// Starts the window with a snippet file of the test's choosing beside the program.
class SnippetPaneTest : public test::MainWindowFixture {
protected:
    void StartWith(const std::string& snippets) {
        test::WriteFileBytes(folder_.File(L"snippets.txt"), snippets);
        MainWindowFixture::SetUp();
    }
    void SetUp() override {}

    static std::vector<std::wstring> Titles() {
        std::vector<std::wstring> titles;
        HWND list = SnippetList();
        for (int i = 0; i < static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); ++i) {
            std::wstring text(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            text.resize(text.size() - 1);
            titles.push_back(text);
        }
        return titles;
    }

    // A user's double click on the list item.
    static void DoubleClick(int item) {
        HWND list = SnippetList();
        RECT rect{};
        ::SendMessageW(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM(rect.left + 4, rect.top + 2);
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(list, WM_LBUTTONUP, 0, at);
        ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::SendMessageW(list, WM_LBUTTONUP, 0, at);
    }

    static Document* UntitledWith(const char* text, sptr_t caret) {
        Document* document = NewDocument(nullptr);
        document->view->Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text));
        document->view->Call(SCI_GOTOPOS, static_cast<uptr_t>(caret));
        return document;
    }

    static sptr_t Caret(const Document& document) { return document.view->Call(SCI_GETCURRENTPOS); }
};

std::string Today() {
    const LocalTime now = CurrentLocalTime();
    char text[16];
    std::snprintf(text, sizeof text, "%d-%02d-%02d", now.year, now.month, now.day);
    return text;
}

TEST_F(SnippetPaneTest, DoubleClickInsertsTheHeaderSnippetIntoAnUntitledDocument) {
    StartWith(std::string(DefaultSnippetText()));
    IniFile(App().paths.settingsFile).WriteText(L"author", L"Ann Lee");
    EXPECT_EQ(Titles(), (std::vector<std::wstring>{L".h Header", L".cpp Header", L"DateTime"}));
    Document* document = UntitledWith("", 0);

    DoubleClick(0);

    const std::string head = "// $(FileName): \r\n// Author: Ann Lee " + Today() + "\r\n\r\n";
    const std::string guard = "__$(FileBase:upper)_$(FileExt:upper)__";
    EXPECT_EQ(document->view->Text(),
              head + "#ifndef " + guard + "\r\n#define " + guard + "\r\n\r\n\r\n\r\n#endif // " + guard + "\r\n");
    EXPECT_EQ(Caret(*document), static_cast<sptr_t>(head.size() + 2 * (guard.size() + 10) + 2));
    EXPECT_EQ(::GetFocus(), document->view->Window());
}

TEST_F(SnippetPaneTest, InsertsAtTheCaretIndentedLikeItsLineInOneUndoStep) {
    StartWith(kBom + "#T=two\r\nA\r\nB|\r\n#T=plain\r\n$(FileBase:upper) $(fileext)#T=Line\r\n$(Line)|");
    ASSERT_EQ(SnippetCount(), 3);
    Document* document = UntitledWith("\t  x\r\n", 4);
    document->view->Call(SCI_SETTABWIDTH, 4);
    document->view->Call(SCI_SETUSETABS, 1);

    ASSERT_TRUE(InsertSnippet(0));
    EXPECT_EQ(document->view->Text(), "\t  xA\r\n\t  B\r\n\t  \r\n");
    EXPECT_EQ(Caret(*document), 11);
    document->view->Call(SCI_UNDO);
    EXPECT_EQ(document->view->Text(), "\t  x\r\n");

    document->path = L"C:\\src\\my.util.h";
    document->view->Call(SCI_SETSEL, 3, 4);  // the selection is replaced
    ASSERT_TRUE(InsertSnippet(1));
    EXPECT_EQ(document->view->Text(), "\t  MY.UTIL h\r\n");
    EXPECT_EQ(Caret(*document), 3) << "without a mark the caret stays at the start";

    document->view->Call(SCI_GOTOPOS, 14);
    ASSERT_TRUE(InsertSnippet(2));
    EXPECT_EQ(document->view->Text(), "\t  MY.UTIL h\r\n2");
    EXPECT_FALSE(InsertSnippet(3));
}

TEST_F(SnippetPaneTest, EditCommandOpensTheFileAtTheSnippetsMarker) {
    StartWith(std::string(DefaultSnippetText()));
    ::SendMessageW(SnippetList(), LB_SETCURSEL, 2, 0);
    RunSnippetPaneCommand(kSnippetEditFile);
    const Document* file = test::DocumentWithPath(App().paths.snippetsFile);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Tabs()->Active(), file);
    EXPECT_EQ(test::CaretLineColumn(*file).first, 16);
}

TEST_F(SnippetPaneTest, TemplatesMenuListsDottedFilesAndMakesDocumentsFromThem) {
    StartWith("");
    const std::wstring folder = App().paths.folder + L"template\\";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW((folder + L"dir.d").c_str(), nullptr));
    test::WriteFileBytes(folder + L"x.cpp", "int main() { | }");
    test::WriteFileBytes(folder + L"README", "no dot");
    test::WriteFileBytes(folder + L"notes.txt.bak", "a|b|c");

    std::vector<std::wstring> names = ListTemplates();
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names, (std::vector<std::wstring>{L"notes.txt.bak", L"x.cpp"}));
    const unique_hmenu menu = BuildTemplatesMenu(names);
    ASSERT_EQ(::GetMenuItemCount(menu.get()), 4);
    wchar_t text[64] = {};
    ::GetMenuStringW(menu.get(), 1, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"notes.txt");
    ::GetMenuStringW(menu.get(), 2, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"x");
    EXPECT_EQ(::GetMenuItemID(menu.get(), 3), static_cast<UINT>(kOpenTemplateFolderCommand));

    RunTemplatesCommand(2, names);
    const Document* document = Tabs()->Active();
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(document->HasPath());
    EXPECT_EQ(document->view->Text(), "int main() {  }");
    EXPECT_EQ(Caret(*document), 13);
    EXPECT_STREQ(document->view->Language()->displayName, L"C++");
    EXPECT_EQ(::GetFocus(), document->view->Window());

    RunTemplatesCommand(1, names);
    EXPECT_EQ(Tabs()->Active()->view->Text(), "ab|c") << "only the first mark goes";
}

// Runs inside the dialog's modal loop: checks the preview, changes the fields and presses OK.
std::wstring g_preview;
void CALLBACK AnswerVariables(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = ::FindWindowW(L"#32770", L"Variables");
    if (dialog == nullptr) return;
    ::KillTimer(nullptr, timer);
    g_preview = test::WindowText(::GetDlgItem(dialog, kVariablesPreviewId));
    ::SetDlgItemTextW(dialog, kVariablesAuthorId, std::wstring(200, L'z').c_str());
    ::SetDlgItemTextW(dialog, kVariablesEmailId, L"");
    ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(SnippetPaneTest, VariablesDialogPreviewsAndSavesTheUserValues) {
    StartWith("");
    const IniFile ini(App().paths.settingsFile);
    ini.WriteText(L"email", L"old@example.org");
    ini.WriteText(L"company", L"Lee & Co");
    UntitledWith("", 0);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerVariables);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(ShowVariablesDialog(window_), IDOK);

    EXPECT_NE(g_preview.find(L"$(FileName)  = foo.cpp\r\n"), std::wstring::npos) << "the sample path";
    EXPECT_NE(g_preview.find(L"$(FilePath)  = d:\\demo\\\r\n"), std::wstring::npos);
    EXPECT_NE(g_preview.find(L"$(MonthName:Upper) = "), std::wstring::npos);
    std::wstring value;
    ini.ReadText(L"author", value, 1000);
    EXPECT_EQ(value, std::wstring(128, L'z'));
    EXPECT_EQ(::GetPrivateProfileIntW(L"Kelpo", L"email", 7, App().paths.settingsFile.c_str()), 7u)
        << "an empty field removes the key";
    EXPECT_EQ(ini.ReadString(L"company"), L"Lee & Co");
}

}  // namespace
}  // namespace kelpo
