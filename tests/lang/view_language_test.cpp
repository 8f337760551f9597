// Editor views set up for a language with the built-in theme, against the real editing component:
// lexer, keyword lists (seen through the styling of keywords), theme styles and furniture.
#include "lang/view_language.h"

#include <gtest/gtest.h>

#include <string>

#include "SciLexer.h"
#include "Scintilla.h"
#include "base/app_state.h"
#include "lang/language_catalogue.h"
#include "lang/lex_cuesheet.h"
#include "lang/theme_store.h"
#include "view_test_support.h"

namespace kelpo {
namespace {

using viewtest::Colour;
using viewtest::StyleBack;
using viewtest::StyleBold;
using viewtest::StyleFore;
using viewtest::StyleOfWord;
using viewtest::StyleSize;

constexpr sptr_t kThemeBack = Colour(0xFFF8E7);

class ViewLanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        viewtest::ResetSettings(folder_.Path());
        ASSERT_TRUE(viewtest::LoadSourceBuiltinTheme());
    }
    void TearDown() override { viewtest::ForgetLoadedTheme(); }

    std::unique_ptr<EditorView> ViewFor(const std::wstring& fileName, std::string_view text) {
        std::unique_ptr<EditorView> view = viewtest::NewViewWithText(text);
        if (view) ApplyLanguage(*view, ChooseLanguageForFile(fileName));
        return view;
    }

    bool LoadTheme(const std::string& globalGroup) {
        const std::wstring path = folder_.File(L"theme.xml");
        viewtest::WriteFileBytes(path, "<kelpo><styles>" + globalGroup + "</styles></kelpo>");
        return LoadThemeFromPath(path, true);
    }

    viewtest::TempFolder folder_;
};

TEST_F(ViewLanguageTest, CppFileGetsTheCppLexerItsKeywordListsAndTheThemeStyles) {
    auto view = ViewFor(L"main.cpp", "int main() {\n    return 0; // done\n}\n");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->LanguageId(), kLangCpp);
    EXPECT_EQ(view->Call(SCI_GETLEXER), 3);
    // Keyword set 0 holds the statements, set 1 the type names.
    EXPECT_EQ(StyleOfWord(*view, "return"), SCE_C_WORD);
    EXPECT_EQ(StyleOfWord(*view, "int"), SCE_C_WORD2);
    EXPECT_EQ(StyleOfWord(*view, "main"), SCE_C_IDENTIFIER);
    EXPECT_EQ(StyleOfWord(*view, "// done"), SCE_C_COMMENTLINE);

    EXPECT_EQ(StyleFore(*view, SCE_C_WORD), Colour(0x0000FF));
    EXPECT_TRUE(StyleBold(*view, SCE_C_WORD));
    EXPECT_EQ(StyleBack(*view, SCE_C_WORD), kThemeBack);
    EXPECT_EQ(StyleFore(*view, SCE_C_COMMENTLINE), Colour(0x008000));
    EXPECT_FALSE(StyleBold(*view, SCE_C_COMMENTLINE));
    EXPECT_EQ(StyleFore(*view, SCE_C_WORD2), Colour(0x8000FF));
    EXPECT_EQ(StyleFore(*view, SCE_C_OPERATOR), Colour(0x000080));
    EXPECT_TRUE(StyleBold(*view, SCE_C_OPERATOR));

    // The theme's global records.
    EXPECT_EQ(StyleBack(*view, STYLE_DEFAULT), kThemeBack);
    EXPECT_EQ(StyleSize(*view, STYLE_DEFAULT), 10);
    EXPECT_EQ(StyleFore(*view, STYLE_LINENUMBER), Colour(0x808080));
    EXPECT_EQ(StyleBack(*view, STYLE_LINENUMBER), Colour(0xF7F1E0));
    EXPECT_EQ(StyleFore(*view, STYLE_BRACELIGHT), Colour(0xFF0000));
    EXPECT_TRUE(StyleBold(*view, STYLE_BRACELIGHT));
    EXPECT_EQ(StyleFore(*view, STYLE_BRACEBAD), Colour(0x800000));
    EXPECT_EQ(StyleFore(*view, STYLE_INDENTGUIDE), Colour(0xC0C0C0));
}

TEST_F(ViewLanguageTest, PhpIsColouredWithTheHtmlListsAndSlotsWhileReportingPhp) {
    auto view = ViewFor(L"index.php",
                        "<p class=\"x\">hi</p>\n<?php echo $name; ?>\n<script>var a = 1;</script>\n");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->LanguageId(), kLangPhp);
    ASSERT_NE(view->Language(), nullptr);
    EXPECT_STREQ(view->Language()->displayName, L"PHP");
    EXPECT_EQ(view->Call(SCI_GETLEXER), 4);

    // PHP's keywords come from the HTML entry's keyword set 4, its look from the PHP group.
    EXPECT_EQ(StyleOfWord(*view, "echo"), SCE_HPHP_WORD);
    EXPECT_EQ(StyleFore(*view, SCE_HPHP_WORD), Colour(0x0000FF));
    EXPECT_TRUE(StyleBold(*view, SCE_HPHP_WORD));
    EXPECT_EQ(StyleOfWord(*view, "$name"), SCE_HPHP_VARIABLE);
    EXPECT_EQ(StyleFore(*view, SCE_HPHP_VARIABLE), Colour(0x800080));
    // The HTML group's tag styles.
    EXPECT_EQ(StyleOfWord(*view, "p class"), SCE_H_TAG);
    EXPECT_EQ(StyleFore(*view, SCE_H_TAG), Colour(0x0000FF));
    // The ASP group's script styles, and the end-of-line fill of the HTML set-up.
    EXPECT_EQ(StyleBack(*view, SCE_HBA_DEFAULT), Colour(0xC4F9FD));
    EXPECT_TRUE(view->Call(SCI_STYLEGETEOLFILLED, SCE_HBA_DEFAULT));
    EXPECT_TRUE(view->Call(SCI_STYLEGETEOLFILLED, SCE_HJ_COMMENT));
    // Script keywords come from the HTML entry's keyword set 1.
    EXPECT_EQ(StyleOfWord(*view, "var"), SCE_HJ_KEYWORD);
}

TEST_F(ViewLanguageTest, JavaScriptSlotsColourHtmlScriptsWithoutRecolouringHtmlStyles) {
    // JavaScript's slots are the cpp lexer's styles 1-27, numbers that mean tags, attributes and
    // comments to the HTML lexer.
    auto view = ViewFor(L"page.html", "<!-- note --><a href=\"x\">y</a><script>// c\nvar s = 'q';</script>");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->LanguageId(), kLangHtml);
    EXPECT_EQ(StyleFore(*view, SCE_H_TAG), Colour(0x0000FF));
    EXPECT_TRUE(StyleBold(*view, SCE_H_TAG));
    EXPECT_EQ(StyleFore(*view, SCE_H_ATTRIBUTE), Colour(0x8000FF));
    EXPECT_FALSE(StyleBold(*view, SCE_H_ATTRIBUTE));
    EXPECT_EQ(StyleFore(*view, SCE_H_COMMENT), Colour(0x008000));
    EXPECT_EQ(StyleFore(*view, SCE_H_DOUBLESTRING), Colour(0x808080));
    EXPECT_FALSE(StyleBold(*view, SCE_H_DOUBLESTRING));
    EXPECT_EQ(StyleFore(*view, SCE_H_NUMBER), Colour(0xFF8000));

    // The JavaScript colours land on the HTML lexer's script styles instead.
    EXPECT_EQ(StyleOfWord(*view, "var"), SCE_HJ_KEYWORD);
    EXPECT_EQ(StyleFore(*view, SCE_HJ_KEYWORD), Colour(0x0000FF));
    EXPECT_TRUE(StyleBold(*view, SCE_HJ_KEYWORD));
    EXPECT_EQ(StyleOfWord(*view, "// c"), SCE_HJ_COMMENTLINE);
    EXPECT_EQ(StyleFore(*view, SCE_HJ_COMMENTLINE), Colour(0x008000));
    EXPECT_EQ(StyleFore(*view, SCE_HJ_SINGLESTRING), Colour(0x808080));
    EXPECT_EQ(StyleFore(*view, SCE_HJA_KEYWORD), Colour(0x0000FF));

    // A JavaScript file keeps the cpp styles.
    auto script = ViewFor(L"app.js", "var a = 1; // c\n");
    ASSERT_TRUE(script);
    EXPECT_EQ(script->Call(SCI_GETLEXER), 3);
    EXPECT_EQ(StyleOfWord(*script, "var"), SCE_C_WORD);
    EXPECT_EQ(StyleFore(*script, SCE_C_COMMENT), Colour(0x008000));
    EXPECT_EQ(StyleFore(*script, SCE_C_WORD), Colour(0x0000FF));
}

TEST_F(ViewLanguageTest, PythonMakefileCueSheetAndALanguageWithoutKeywords) {
    auto python = ViewFor(L"tool.py", "def f(x):\n    return len(x)  # n\n");
    ASSERT_TRUE(python);
    EXPECT_EQ(python->LanguageId(), kLangPython);
    EXPECT_EQ(python->Call(SCI_GETLEXER), 2);
    EXPECT_EQ(StyleOfWord(*python, "def"), SCE_P_WORD);
    EXPECT_EQ(StyleOfWord(*python, "len"), SCE_P_WORD2);
    EXPECT_EQ(StyleOfWord(*python, "# n"), SCE_P_COMMENTLINE);
    EXPECT_EQ(StyleFore(*python, SCE_P_WORD), Colour(0x0000FF));
    EXPECT_TRUE(StyleBold(*python, SCE_P_WORD));
    EXPECT_EQ(StyleFore(*python, SCE_P_COMMENTLINE), Colour(0x008000));

    auto project = ViewFor(L"build.tvk", "# project\nTARGETNAME=app\n");
    ASSERT_TRUE(project);
    EXPECT_EQ(project->LanguageId(), kLangMakefile);
    EXPECT_EQ(project->Call(SCI_GETLEXER), 11);
    EXPECT_EQ(StyleOfWord(*project, "# project"), SCE_MAKE_COMMENT);
    EXPECT_EQ(StyleOfWord(*project, "="), SCE_MAKE_OPERATOR);
    EXPECT_EQ(StyleFore(*project, SCE_MAKE_COMMENT), Colour(0x008000));
    EXPECT_EQ(StyleFore(*project, SCE_MAKE_OPERATOR), Colour(0x000080));
    EXPECT_TRUE(StyleBold(*project, SCE_MAKE_OPERATOR));

    auto cue = ViewFor(L"album.cue", "REM GENRE Rock\nFILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n");
    ASSERT_TRUE(cue);
    EXPECT_EQ(cue->LanguageId(), kLangCueSheet);
    EXPECT_EQ(cue->Call(SCI_GETLEXER), 122);
    EXPECT_EQ(StyleOfWord(*cue, "REM"), kCueComment);
    EXPECT_EQ(StyleOfWord(*cue, "FILE"), kCueCommand);  // keyword set 0
    EXPECT_EQ(StyleOfWord(*cue, "\"a.wav\""), kCueString);
    EXPECT_EQ(StyleOfWord(*cue, "WAVE"), kCueType);
    EXPECT_EQ(StyleFore(*cue, kCueCommand), Colour(0x0000FF));
    EXPECT_EQ(StyleFore(*cue, kCueType), Colour(0x8000FF));

    // Diff has no keyword lists; set up after C++ it keeps nothing of C++'s look.
    auto diff = ViewFor(L"main.cpp", "--- a\n+++ b\n-old\n+new\n");
    ASSERT_TRUE(diff);
    ApplyLanguage(*diff, ChooseLanguageForFile(L"fix.patch"));
    EXPECT_EQ(diff->LanguageId(), kLangDiff);
    EXPECT_EQ(diff->Call(SCI_GETLEXER), 16);
    EXPECT_EQ(StyleOfWord(*diff, "-old"), SCE_DIFF_DELETED);
    EXPECT_EQ(StyleOfWord(*diff, "+new"), SCE_DIFF_ADDED);
    EXPECT_EQ(StyleFore(*diff, SCE_DIFF_DELETED), Colour(0xFF0000));
    EXPECT_FALSE(StyleBold(*diff, SCE_DIFF_DELETED));  // style 5 was C++'s bold keyword style
    EXPECT_EQ(StyleFore(*diff, SCE_DIFF_ADDED), Colour(0x0000FF));
    EXPECT_EQ(StyleFore(*diff, 20), Colour(0x000000));  // unused by Diff: a copy of the default style
    EXPECT_EQ(StyleBack(*diff, 20), kThemeBack);
}

TEST_F(ViewLanguageTest, UserFontSizeReplacesOnlyTheDefaultStyleSize) {
    App().settings.fontFace = L"Consolas";
    App().settings.fontPoints = 12;
    auto view = ViewFor(L"main.c", "int x;\n");
    ASSERT_TRUE(view);
    EXPECT_EQ(StyleSize(*view, STYLE_DEFAULT), 12);
    EXPECT_EQ(StyleSize(*view, SCE_C_WORD), 12);        // copied from the default style
    EXPECT_EQ(StyleSize(*view, STYLE_BRACELIGHT), 10);  // the theme's own size
    char font[64] = {};
    view->Call(SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<sptr_t>(font));
    EXPECT_STREQ(font, "Consolas");

    // Without a face of the user's, the theme's font and size hold.
    App().settings.fontFace.clear();
    ApplyLanguage(*view, kLangC);
    EXPECT_EQ(StyleSize(*view, STYLE_DEFAULT), 10);
    view->Call(SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<sptr_t>(font));
    EXPECT_STREQ(font, "Courier New");
}

TEST_F(ViewLanguageTest, BookmarkMarginTakesTheThemeEntryElseTheLineNumberBackElseGrey) {
    auto view = ViewFor(L"a.c", "x\n");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->Call(SCI_GETMARGINTYPEN, 1), SC_MARGIN_COLOUR);
    EXPECT_EQ(view->Call(SCI_GETMARGINBACKN, 1), Colour(0xF7F1E0));

    ASSERT_TRUE(LoadTheme("<style id=\"33\">fore:#808080,back:#112233</style>"));
    ApplyLanguage(*view, kLangC);
    EXPECT_EQ(view->Call(SCI_GETMARGINBACKN, 1), Colour(0x112233));

    ASSERT_TRUE(LoadTheme("<style id=\"33\">fore:#808080</style>"));
    ApplyLanguage(*view, kLangC);
    EXPECT_EQ(view->Call(SCI_GETMARGINBACKN, 1), Colour(0xE0E0E0));
}

TEST_F(ViewLanguageTest, FurnitureColoursFollowTheTheme) {
    auto view = ViewFor(L"a.c", "x\n");
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->Call(SCI_GETCARETLINEVISIBLE));
    EXPECT_EQ(view->Call(SCI_GETCARETLINEBACK), Colour(0xF7F1E0));
    EXPECT_EQ(view->Call(SCI_GETEDGECOLOUR), Colour(0xC0C0C0));  // the entry carries no background
    EXPECT_EQ(view->Call(SCI_GETCARETFORE), Colour(0x000000));
    EXPECT_EQ(view->Call(SCI_INDICGETHOVERFORE, 8), Colour(0x0000FF));
    EXPECT_EQ(view->Call(SCI_INDICGETFORE, 31), Colour(0xFF0000));
    EXPECT_EQ(view->Call(SCI_INDICGETFORE, 29), Colour(0x00FF00));
    EXPECT_EQ(view->Call(SCI_INDICGETFORE, 28), Colour(0x0080FF));
    EXPECT_EQ(view->Call(SCI_INDICGETFORE, 21), Colour(0x008000));
    EXPECT_EQ(view->Call(SCI_MARKERSYMBOLDEFINED, SC_MARKNUM_FOLDER), SC_MARK_BOXPLUS);
    EXPECT_EQ(view->Call(SCI_MARKERSYMBOLDEFINED, SC_MARKNUM_FOLDEROPEN), SC_MARK_BOXMINUS);
    EXPECT_EQ(view->Call(SCI_MARKERSYMBOLDEFINED, SC_MARKNUM_FOLDERMIDTAIL), SC_MARK_TCORNER);
    char value[8] = {};
    view->Call(SCI_GETPROPERTY, reinterpret_cast<uptr_t>("fold"), reinterpret_cast<sptr_t>(value));
    EXPECT_STREQ(value, "1");

    // A theme without a current-line colour leaves the current line unmarked instead of black.
    ASSERT_TRUE(LoadTheme("<style id=\"32\">fore:#000000,back:#FFFFFF</style>"));
    ApplyLanguage(*view, kLangC);
    EXPECT_FALSE(view->Call(SCI_GETCARETLINEVISIBLE));
    EXPECT_EQ(StyleBack(*view, STYLE_DEFAULT), Colour(0xFFFFFF));
}

TEST_F(ViewLanguageTest, EveryCatalogueEntryAppliesToAView) {
    auto view = viewtest::NewViewWithText(
        "<?xml?><a b=\"c\"># x\n// y /* z */ { if (x) return 1; }\nREM r\n-- s\nFILE \"f\" WAVE\n:100000\n");
    ASSERT_TRUE(view);
    const std::string text = view->Text();
    for (int id = 0; id < LanguageCount; ++id) {
        SCOPED_TRACE(id);
        ApplyLanguage(*view, id);
        EXPECT_EQ(view->LanguageId(), id);
        EXPECT_EQ(view->Call(SCI_GETLEXER), LanguageAt(id).lexer);
        EXPECT_EQ(view->Call(SCI_GETENDSTYLED), static_cast<sptr_t>(text.size()));
    }
    EXPECT_EQ(view->Text(), text);
    // Positions outside the catalogue give the default language.
    ApplyLanguage(*view, LanguageCount);
    EXPECT_EQ(view->LanguageId(), kLangText);
    ApplyLanguage(*view, -1);
    EXPECT_EQ(view->LanguageId(), kLangText);
}

TEST_F(ViewLanguageTest, StyleDefSetsOnlyTheAttributesItCarries) {
    auto view = viewtest::NewViewWithText("x");
    ASSERT_TRUE(view);
    view->Call(SCI_STYLESETBOLD, 7, 1);
    view->Call(SCI_STYLESETSIZE, 7, 14);
    StyleDef fore;
    fore.style = 7;
    fore.flags = kStyleForeSet;
    fore.fore = 0x123456;
    ApplyStyleDef(*view, fore);
    EXPECT_EQ(StyleFore(*view, 7), 0x123456);
    EXPECT_TRUE(StyleBold(*view, 7));  // never switched off
    EXPECT_EQ(StyleSize(*view, 7), 14);

    StyleDef all;
    all.style = 9;
    all.size = 11;
    all.flags = kStyleBold | kStyleItalic | kStyleUnderline | kStyleEolFilled | kStyleBackSet;
    all.back = 0x654321;
    ApplyStyleDef(*view, all);
    EXPECT_EQ(StyleSize(*view, 9), 11);
    EXPECT_EQ(StyleBack(*view, 9), 0x654321);
    EXPECT_TRUE(StyleBold(*view, 9));
    EXPECT_TRUE(view->Call(SCI_STYLEGETITALIC, 9));
    EXPECT_TRUE(view->Call(SCI_STYLEGETUNDERLINE, 9));
    EXPECT_TRUE(view->Call(SCI_STYLEGETEOLFILLED, 9));
}

}  // namespace
}  // namespace kelpo
