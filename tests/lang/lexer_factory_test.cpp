// Tests of the lexer factory: every catalogue entry gets a working lexer that the editing
// component reports under the entry's lexer number.
#include "lang/lexer_factory.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "Scintilla.h"
#include "lang/language_catalogue.h"
#include "lang/lexer_names.h"

namespace kelpo {
namespace {

struct LexerRelease {
    void operator()(Scintilla::ILexer5* lexer) const { lexer->Release(); }
};
using OwnedLexer = std::unique_ptr<Scintilla::ILexer5, LexerRelease>;

bool EnsureScintillaClass() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    if (::GetClassInfoExW(instance, L"Scintilla", &info)) return true;
    return Scintilla_RegisterClasses(instance) != 0;
}

class EditorWindow {
public:
    EditorWindow()
        : window_(::CreateWindowExW(0, L"Scintilla", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr)) {}
    ~EditorWindow() {
        if (window_ != nullptr) ::DestroyWindow(window_);
    }
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    bool Exists() const { return window_ != nullptr; }
    sptr_t Send(unsigned message, uptr_t wParam = 0, sptr_t lParam = 0) const {
        return ::SendMessageW(window_, message, wParam, lParam);
    }
    std::string LexerLanguage() const {
        char name[64] = {};
        if (Send(SCI_GETLEXERLANGUAGE) < static_cast<sptr_t>(sizeof name)) {
            Send(SCI_GETLEXERLANGUAGE, 0, reinterpret_cast<sptr_t>(name));
        }
        return name;
    }

private:
    HWND window_;
};

std::string AsciiLowered(std::string_view text) {
    std::string lowered(text);
    for (char& ch : lowered) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    return lowered;
}

// Enough of many languages' punctuation to walk each lexer through several of its states.
constexpr const char* kSampleText =
    "# comment\n// comment /* block */ <tag attr=\"v\">text</tag>\n"
    "if (x == 1) { print(\"s\", 'c', 0x1F, 3.5e2); } -- REM ; % ! \\\n"
    "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n:10000000 S0030000FC\n";

TEST(LexerFactory, EveryCatalogueEntryGetsALexerReportingItsNumber) {
    ASSERT_TRUE(EnsureScintillaClass());
    EditorWindow window;
    ASSERT_TRUE(window.Exists());
    for (int i = 0; i < LanguageCount; ++i) {
        const LanguageDef& language = LanguageAt(i);
        SCOPED_TRACE(testing::Message() << "language " << i << " lexer " << language.lexer << " ("
                                        << LexerName(language.lexer) << ")");
        Scintilla::ILexer5* lexer = CreateLexerForNumber(language.lexer);
        ASSERT_NE(lexer, nullptr);
        window.Send(SCI_SETILEXER, 0, reinterpret_cast<sptr_t>(lexer));
        for (int slot = 0; slot < kKeywordSlots; ++slot) {
            if (language.keywords[slot] != nullptr) {
                window.Send(SCI_SETKEYWORDS, static_cast<uptr_t>(slot),
                            reinterpret_cast<sptr_t>(language.keywords[slot]));
            }
        }
        EXPECT_EQ(window.Send(SCI_GETLEXER), language.lexer);
        // Lexilla's D lexer is created by "d" but names itself "D"; case aside, the names agree.
        EXPECT_EQ(AsciiLowered(window.LexerLanguage()), AsciiLowered(LexerName(language.lexer)));

        window.Send(SCI_SETPROPERTY, reinterpret_cast<uptr_t>("fold"), reinterpret_cast<sptr_t>("1"));
        window.Send(SCI_SETTEXT, 0, reinterpret_cast<sptr_t>(kSampleText));
        window.Send(SCI_COLOURISE, 0, -1);
        EXPECT_EQ(window.Send(SCI_GETENDSTYLED), window.Send(SCI_GETLENGTH));
    }
}

TEST(LexerFactory, NumbersWithoutALexerGiveNone) {
    EXPECT_EQ(CreateLexerForNumber(-1), nullptr);
    EXPECT_EQ(CreateLexerForNumber(0), nullptr);
    EXPECT_EQ(CreateLexerForNumber(10), nullptr);  // the output pane asks for its lexer by name
    EXPECT_EQ(CreateLexerForNumber(126), nullptr);
    // Beyond 16 bits a number must not wrap onto a catalogue number (65536 + 3 would be cpp).
    EXPECT_EQ(CreateLexerForNumber(65536 + kLexerCpp), nullptr);
    EXPECT_EQ(CreateLexerForNumber(65536 + kLexerCueSheet), nullptr);
}

TEST(LexerFactory, NamesGiveLexillaLexersAndTheProgramsOwn) {
    const OwnedLexer cue(CreateLexerByName("cuesheet"));
    ASSERT_NE(cue, nullptr);
    EXPECT_STREQ(cue->GetName(), "cuesheet");
    EXPECT_EQ(cue->GetIdentifier(), kLexerCueSheet);

    // Lexilla's own lexer number 122 is another lexer; the catalogue's 122 is never it.
    const OwnedLexer byNumber(CreateLexerForNumber(kLexerCueSheet));
    ASSERT_NE(byNumber, nullptr);
    EXPECT_STREQ(byNumber->GetName(), "cuesheet");

    const OwnedLexer errors(CreateLexerByName("errorlist"));
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(errors->GetIdentifier(), 10);

    const OwnedLexer html(CreateLexerByName("hypertext"));
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(html->GetIdentifier(), kLexerHtml);

    EXPECT_EQ(CreateLexerByName(""), nullptr);
    EXPECT_EQ(CreateLexerByName("no-such-lexer"), nullptr);
    EXPECT_EQ(CreateLexerByName("CPP"), nullptr) << "names are matched exactly";
    EXPECT_EQ(CreateLexerByName(std::string_view("cpp\0x", 5)), nullptr)
        << "a name is not cut at an embedded NUL";
}

}  // namespace
}  // namespace kelpo
