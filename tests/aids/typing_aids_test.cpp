// Typing in a document of the real main window: completion lists, call tips, indentation,
// braces and the marks of a selected word, as the editing component shows them.
#include <gtest/gtest.h>

#include <string>

#include "Scintilla.h"
#include "aids/api_word_list.h"
#include "aids/typing_aids.h"
#include "aids/typing_commands.h"
#include "doc/documents.h"
#include "lang/language_catalogue.h"
#include "lang/view_language.h"
#include "support/test_support.h"

namespace kelpo {
namespace {

class TypingAidsTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        ProgramApiWordList().Assign(
            "CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess)|HANDLE; kernel32\n"
            "Foo(int a)|one\nFoo(char* s, int n)|two\nFooBar(void)\n");
    }

    EditorView& View(int language, const std::string& text) {
        Document* document = NewDocument(nullptr);
        EXPECT_NE(document, nullptr);
        EditorView& view = *document->view;
        ApplyLanguage(view, language);
        view.Call(SCI_SETEOLMODE, SC_EOL_LF);
        view.Call(SCI_SETUSETABS, 0);
        view.Call(SCI_SETINDENT, 4);
        view.Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(text.c_str()));
        view.Call(SCI_DOCUMENTEND);
        return view;
    }

    // Characters typed into the view as the keyboard would, one notification each.
    static void Type(EditorView& view, const std::string& text) {
        for (const char c : text) {
            ::SendMessageW(view.Window(), WM_CHAR, static_cast<unsigned char>(c), 0);
        }
    }

    static std::string Line(const EditorView& view, sptr_t line) {
        std::string text(static_cast<std::size_t>(view.Call(SCI_LINELENGTH, line)), '\0');
        view.Call(SCI_GETLINE, line, reinterpret_cast<sptr_t>(text.data()));
        return text;
    }

    // The selected item of the open word list, "" when none is open.
    static std::string ShownList(const EditorView& view) {
        if (!view.Call(SCI_AUTOCACTIVE)) return "";
        std::string selected(256, '\0');
        view.Call(SCI_AUTOCGETCURRENTTEXT, 0, reinterpret_cast<sptr_t>(selected.data()));
        return selected.c_str();
    }

    void Command(int command) { ::SendMessageW(window_, WM_COMMAND, command, 0); }
};

TEST_F(TypingAidsTest, WordListOpensByTypingOnlyForOneContinuation) {
    EditorView& view = View(kLangCpp, "abc x;\n");
    Type(view, "ab");
    EXPECT_EQ(ShownList(view), "abc");
    view.Call(SCI_AUTOCCANCEL);

    EditorView& two = View(kLangCpp, "abc abd\n");
    Type(two, "ab");
    EXPECT_FALSE(two.Call(SCI_AUTOCACTIVE));
    Command(kCmdCompleteWord);
    ASSERT_TRUE(two.Call(SCI_AUTOCACTIVE));
    EXPECT_EQ(ShownList(two), "abc");  // the first of "abc abd", in document order
    two.Call(SCI_AUTOCCANCEL);

    EditorView& digits = View(kLangCpp, "123 1234\n");
    Type(digits, "12");
    Command(kCmdCompleteWord);
    EXPECT_FALSE(digits.Call(SCI_AUTOCACTIVE));
}

TEST_F(TypingAidsTest, ApiWordsAfterABlankListEveryName) {
    EditorView& view = View(kLangCpp, "x = ");
    Command(kCmdCompleteApiWord);
    ASSERT_TRUE(view.Call(SCI_AUTOCACTIVE));
    EXPECT_EQ(ShownList(view), "CreateFileW");
    view.Call(SCI_AUTOCCANCEL);
}

TEST_F(TypingAidsTest, CallTipShowsTheSignatureAndFollowsTheArguments) {
    EditorView& view = View(kLangCpp, "h = ");
    Type(view, "createfilew(");
    ASSERT_TRUE(view.Call(SCI_CALLTIPACTIVE));
    EXPECT_EQ(view.completion.callTipText, "CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess)\nHANDLE; kernel32");
    Type(view, "name, 0");
    EXPECT_TRUE(view.Call(SCI_CALLTIPACTIVE));
    Type(view, ")");
    EXPECT_FALSE(view.Call(SCI_CALLTIPACTIVE));
}

TEST_F(TypingAidsTest, TwoSignaturesAreSteppedWithTheArrowsWithoutWrapping) {
    EditorView& view = View(kLangCpp, "");
    Type(view, "Foo(");
    ASSERT_TRUE(view.Call(SCI_CALLTIPACTIVE));
    EXPECT_EQ(view.completion.callTipText, "\1Foo(char* s, int n)\n\2two");  // in sorted order
    SCNotification click{};
    click.nmhdr.code = SCN_CALLTIPCLICK;
    click.position = 2;
    OnTypingNotification(view, click);
    EXPECT_EQ(view.completion.callTipText, "\1Foo(int a)\n\2one");
    OnTypingNotification(view, click);  // no third one
    EXPECT_EQ(view.completion.signatureIndex, 1);
    click.position = 1;
    OnTypingNotification(view, click);
    EXPECT_EQ(view.completion.signatureIndex, 0);

    EditorView& longer = View(kLangCpp, "");
    Type(longer, "FooBar(");
    EXPECT_EQ(longer.completion.callTipText, "FooBar(void)");
}

TEST_F(TypingAidsTest, IndentationFollowsTheLanguageRules) {
    struct Case {
        int language;
        const char* before;
        const char* typed;
        const char* lastLine;  // the caret's line afterwards
    };
    const Case cases[] = {
        {kLangC, "  if (x)", "\n", "      "},          // one step in after a statement keyword
        {kLangC, "  if (x)", "\n{", "  {"},           // an opening brace goes back to the if
        {kLangC, "  if (x)", "\ny();\n", "  "},       // the keyword counts for one line only
        {kLangC, "  {\n      x;", "\n}", "  }"},      // a closing brace steps out of the block
        {kLangPython, "  def f():", "\n", "      "},
        {kLangLua, "  if x then", "\n", "  "},        // Lua keeps the line above
        {kLangJson, "  a\n", "\n", ""},               // keeps the empty line above: nothing
    };
    for (const Case& c : cases) {
        EditorView& view = View(c.language, c.before);
        Type(view, c.typed);
        const sptr_t line = view.Call(SCI_LINEFROMPOSITION, view.Call(SCI_GETCURRENTPOS));
        EXPECT_EQ(Line(view, line), c.lastLine) << c.before << " + " << c.typed;
    }
}

TEST_F(TypingAidsTest, BracesAndSelectedWords) {
    EditorView& view = View(kLangC, "count = count + 1; counter; count");
    view.Call(SCI_SETSEL, 0, 5);
    MarkSelectedWord(view);
    const auto marked = [&](sptr_t position) {
        return view.Call(SCI_INDICATORVALUEAT, kSelectedWordIndicator, position) != 0;
    };
    EXPECT_FALSE(marked(0));   // the selection itself
    EXPECT_TRUE(marked(8));
    EXPECT_FALSE(marked(19));  // inside "counter"
    EXPECT_TRUE(marked(28));
    view.Call(SCI_SETSEL, 0, 6);  // "count " with its blank marks nothing
    MarkSelectedWord(view);
    EXPECT_FALSE(marked(8));

    view.Call(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>("a(b[c]d)e"));
    view.Call(SCI_GOTOPOS, 2);  // after "("
    Command(kCmdGoToMatchingBrace);
    EXPECT_EQ(view.Call(SCI_GETCURRENTPOS), 7);  // before ")": the caret was inside the pair
    Command(kCmdSelectToMatchingBrace);
    EXPECT_EQ(view.Call(SCI_GETSELECTIONSTART), 2);
    EXPECT_EQ(view.Call(SCI_GETSELECTIONEND), 7);
}

}  // namespace
}  // namespace kelpo
