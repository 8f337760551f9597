// The encoding, line-end and indentation menus: what they offer and what a choice does to the
// document and to the file at its next save.
#include <gtest/gtest.h>

#include "base/app_state.h"
#include "base/handles.h"
#include "base/status_text.h"
#include "doc/documents.h"
#include "doc/file_save.h"
#include "doc/format_menus.h"
#include "doc_test_support.h"

namespace kelpo {
namespace {

using doc_test::ReadFileBytes;
using doc_test::ViewText;
using doc_test::WriteFileBytes;

std::wstring ItemText(HMENU menu, UINT id) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, id, text, 64, MF_BYCOMMAND);
    return text;
}

bool IsChecked(HMENU menu, UINT id) { return ::GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED; }

class FormatMenusTest : public doc_test::MainWindowTest {
protected:
    Document& Open(const std::string& bytes) {
        const std::wstring path = files_.File(L"format" + std::to_wstring(++opened_) + L".txt");
        WriteFileBytes(path, bytes);
        Document* document = OpenDocument(path);
        EXPECT_NE(document, nullptr);
        return *document;
    }

    int opened_ = 0;
};

TEST_F(FormatMenusTest, MenusOfferEveryChoiceWithTheCurrentOneChecked) {
    unique_hmenu encodings(BuildEncodingMenu(FileEncoding::Utf8Bom));
    ASSERT_TRUE(encodings);
    const UINT titleState = ::GetMenuState(encodings.get(), 0, MF_BYPOSITION);
    EXPECT_TRUE(titleState & MF_GRAYED);
    EXPECT_EQ(ItemText(encodings.get(), 1), L"ANSI");
    EXPECT_EQ(ItemText(encodings.get(), 5), L"UTF-16 BE BOM");
    for (UINT id = 1; id <= 5; ++id) {
        EXPECT_EQ(IsChecked(encodings.get(), id), id == 3) << id;
    }

    unique_hmenu lineEnds(BuildLineEndMenu(LineEndMode::Lf));
    EXPECT_EQ(ItemText(lineEnds.get(), 1), L"CRLF");
    EXPECT_EQ(ItemText(lineEnds.get(), 2), L"CR");
    EXPECT_TRUE(IsChecked(lineEnds.get(), 3));
    EXPECT_FALSE(IsChecked(lineEnds.get(), 1));

    unique_hmenu indentation(BuildIndentationMenu(false, 4));
    EXPECT_EQ(ItemText(indentation.get(), kIndentWithSpacesItem), L"Spaces: 4");
    EXPECT_EQ(ItemText(indentation.get(), kIndentWithTabsItem), L"Tabs");
    EXPECT_TRUE(IsChecked(indentation.get(), kIndentWithSpacesItem));
    EXPECT_FALSE(IsChecked(indentation.get(), kIndentWithTabsItem));
}

TEST_F(FormatMenusTest, AnotherEncodingMarksTheDocumentModifiedAndAppliesAtTheNextSave) {
    Document& document = Open("plain\r\n");
    ASSERT_EQ(document.encoding, FileEncoding::Ansi);
    EXPECT_FALSE(ChangeEncoding(document, FileEncoding::Ansi));
    EXPECT_FALSE(document.modified);

    EXPECT_TRUE(ChangeEncoding(document, FileEncoding::Utf16LeBom));
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(StatusText(kStatusEncoding), L"UTF-16 LE BOM");
    EXPECT_EQ(ViewText(document), "plain\r\n");
    EXPECT_EQ(ReadFileBytes(document.path), "plain\r\n");
    ASSERT_TRUE(AskSave(document, false));
    EXPECT_EQ(ReadFileBytes(document.path), std::string("\xFF\xFEp\0l\0a\0i\0n\0\r\0\n\0", 16));
}

TEST_F(FormatMenusTest, AnotherLineEndModeConvertsEveryLineEnd) {
    Document& document = Open("a\r\nb\nc\rd\r\n");
    ASSERT_EQ(document.lineEnd, LineEndMode::CrLf);
    EXPECT_TRUE(ChangeLineEnds(document, LineEndMode::Lf));
    EXPECT_EQ(document.lineEnd, LineEndMode::Lf);
    EXPECT_EQ(document.view->Call(SCI_GETEOLMODE), SC_EOL_LF);
    EXPECT_EQ(StatusText(kStatusLineEnds), L"LF");
    EXPECT_EQ(ViewText(document), "a\nb\nc\nd\n");
    EXPECT_TRUE(document.modified || document.view->Call(SCI_GETMODIFY));
    ASSERT_TRUE(SaveFile(document, document.path));
    EXPECT_EQ(ReadFileBytes(document.path), "a\nb\nc\nd\n");

    // The current mode chosen again evens out a mixed text.
    Document& mixed = Open("x\r\ny\nz\r\n");
    EXPECT_FALSE(ChangeLineEnds(mixed, LineEndMode::CrLf));
    EXPECT_EQ(ViewText(mixed), "x\r\ny\r\nz\r\n");
}

TEST_F(FormatMenusTest, IndentationChangesThisViewOnly) {
    Document& document = Open("text");
    const std::uint32_t config2 = App().settings.config2;
    const bool usesTabs = document.view->Call(SCI_GETUSETABS) != 0;
    EXPECT_FALSE(ChangeIndentation(document, usesTabs));
    EXPECT_TRUE(ChangeIndentation(document, !usesTabs));
    EXPECT_EQ(document.view->Call(SCI_GETUSETABS) != 0, !usesTabs);
    EXPECT_EQ(StatusText(kStatusIndentation), usesTabs ? L"Spaces: 4" : L"Tabs");
    EXPECT_EQ(App().settings.config2, config2);
    EXPECT_EQ(IndentationText(true, 8), L"Tabs");
    EXPECT_EQ(IndentationText(false, 8), L"Spaces: 8");
}

}  // namespace
}  // namespace kelpo
