// ApplyLanguage: lexer and keywords of the language, then the theme's look from reset styles.
#include "lang/view_language.h"

#include <string>

#include "SciLexer.h"
#include "base/app_state.h"
#include "base/text_convert.h"
#include "lang/language_catalogue.h"
#include "lang/lexer_factory.h"
#include "lang/theme_store.h"

namespace kelpo {
namespace {

constexpr int kBookmarkMargin = 1;
constexpr int kLinkIndicator = 8;
constexpr ColorRef kPlainMarginBack = RgbToColorRef(0xE0E0E0);

struct FoldMarker {
    int marker;
    int symbol;
};
constexpr FoldMarker kFoldMarkers[] = {
    {SC_MARKNUM_FOLDEROPEN, SC_MARK_BOXMINUS},     {SC_MARKNUM_FOLDER, SC_MARK_BOXPLUS},
    {SC_MARKNUM_FOLDERSUB, SC_MARK_VLINE},         {SC_MARKNUM_FOLDERTAIL, SC_MARK_LCORNER},
    {SC_MARKNUM_FOLDEREND, SC_MARK_BOXPLUSCONNECTED}, {SC_MARKNUM_FOLDEROPENMID, SC_MARK_BOXMINUSCONNECTED},
    {SC_MARKNUM_FOLDERMIDTAIL, SC_MARK_TCORNER},
};

// JavaScript's own entry is styled for the cpp lexer, whose style numbers mean HTML tags and
// attributes to the HTML lexer. Inside HTML views its styles are carried over to the HTML lexer's
// script styles instead: plain script blocks and script inside ASP blocks.
struct ScriptStyle {
    int cppStyle;
    int htmlScript;
    int aspScript;
};
constexpr ScriptStyle kScriptStyles[] = {
    {SCE_C_COMMENT, SCE_HJ_COMMENT, SCE_HJA_COMMENT},
    {SCE_C_COMMENTLINE, SCE_HJ_COMMENTLINE, SCE_HJA_COMMENTLINE},
    {SCE_C_COMMENTDOC, SCE_HJ_COMMENTDOC, SCE_HJA_COMMENTDOC},
    {SCE_C_NUMBER, SCE_HJ_NUMBER, SCE_HJA_NUMBER},
    {SCE_C_WORD, SCE_HJ_KEYWORD, SCE_HJA_KEYWORD},
    // The HTML lexer's script "word" is an identifier that is no keyword.
    {SCE_C_IDENTIFIER, SCE_HJ_WORD, SCE_HJA_WORD},
    {SCE_C_STRING, SCE_HJ_DOUBLESTRING, SCE_HJA_DOUBLESTRING},
    {SCE_C_CHARACTER, SCE_HJ_SINGLESTRING, SCE_HJA_SINGLESTRING},
    {SCE_C_OPERATOR, SCE_HJ_SYMBOLS, SCE_HJA_SYMBOLS},
    {SCE_C_STRINGEOL, SCE_HJ_STRINGEOL, SCE_HJA_STRINGEOL},
    {SCE_C_REGEX, SCE_HJ_REGEX, SCE_HJA_REGEX},
};

bool IsHtmlScriptStyle(int style) { return style >= SCE_HJ_START && style <= SCE_HJA_REGEX; }

bool UsesHtmlSetUp(const LanguageDef& language) {
    return language.id == kLangJsp || language.id == kLangAsp || language.id == kLangPhp;
}

template <typename Apply>
void ForEachUsedSlot(const LanguageDef& language, Apply apply) {
    for (const StyleDef& slot : language.styles) {
        if (slot.style == 0) break;
        apply(slot);
    }
}

void ApplySlots(EditorView& view, const LanguageDef& language) {
    ForEachUsedSlot(language, [&](const StyleDef& slot) { ApplyStyleDef(view, slot); });
}

void ApplyJavaScriptSlotsToHtml(EditorView& view) {
    ForEachUsedSlot(LanguageAt(kLangJavaScript), [&](const StyleDef& slot) {
        if (IsHtmlScriptStyle(slot.style)) {
            ApplyStyleDef(view, slot);
            return;
        }
        for (const ScriptStyle& pair : kScriptStyles) {
            if (pair.cppStyle != slot.style) continue;
            StyleDef carried = slot;
            carried.style = static_cast<std::uint16_t>(pair.htmlScript);
            ApplyStyleDef(view, carried);
            carried.style = static_cast<std::uint16_t>(pair.aspScript);
            ApplyStyleDef(view, carried);
        }
    });
}

void ApplyFixedStyle(EditorView& view, StyleDef style, int number) {
    style.style = static_cast<std::uint16_t>(number);
    ApplyStyleDef(view, style);
}

void ApplyDefaultStyle(EditorView& view, const GlobalStyleSettings& g) {
    const Settings& settings = App().settings;
    if (!settings.fontFace.empty()) {
        const std::string face = WideToUtf8(settings.fontFace);
        view.Call(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<sptr_t>(face.c_str()));
        ApplyFixedStyle(view, g.defaultStyle, STYLE_DEFAULT);
        if (settings.fontPoints > 0) view.Call(SCI_STYLESETSIZE, STYLE_DEFAULT, settings.fontPoints);
    } else {
        view.Call(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<sptr_t>(g.fontName.data()));
        ApplyFixedStyle(view, g.defaultStyle, STYLE_DEFAULT);
    }
}

void ApplyFurnitureColours(EditorView& view, const GlobalStyleSettings& g) {
    // An unset colour would reach the component as black and hide the current line's text, so
    // a theme without one leaves the current line unmarked.
    const bool markCurrentLine = g.currentLineBack != kColorUnset;
    view.Call(SCI_SETCARETLINEVISIBLE, markCurrentLine ? 1 : 0);
    if (markCurrentLine) view.Call(SCI_SETCARETLINEBACK, g.currentLineBack);
    view.Call(SCI_SETSELBACK, 1, g.selectionBack);
    view.Call(SCI_SETEDGECOLOUR, g.edgeColor);
    view.Call(SCI_SETCARETFORE, g.caretColor);
    view.Call(SCI_SETWHITESPACEFORE, 1, g.whiteSpaceColor);
    view.Call(SCI_SETFOLDMARGINHICOLOUR, 1, g.foldMarginHighlightColor);
    view.Call(SCI_SETFOLDMARGINCOLOUR, 1, g.foldMarginColor);
}

ColorRef BookmarkMarginBack(const GlobalStyleSettings& g) {
    if (g.bookmarkMarginBack != kColorUnset) return g.bookmarkMarginBack;
    if (g.lineNumberStyle.flags & kStyleBackSet) return g.lineNumberStyle.back;
    return kPlainMarginBack;
}

void ApplyFoldMarkers(EditorView& view, const GlobalStyleSettings& g) {
    for (const FoldMarker& fold : kFoldMarkers) {
        view.Call(SCI_MARKERDEFINE, fold.marker, fold.symbol);
        // The box outline takes the theme entry's background and the fill its foreground.
        view.Call(SCI_MARKERSETFORE, fold.marker, g.foldMarkerBack);
        view.Call(SCI_MARKERSETBACK, fold.marker, g.foldMarkerFore);
        view.Call(SCI_MARKERSETBACKSELECTED, fold.marker, g.foldMarkerSelectedColor);
    }
}

void ApplyHtmlExtras(EditorView& view) {
    ApplySlots(view, LanguageAt(kLangAsp));
    ApplySlots(view, LanguageAt(kLangPhp));
    ApplyJavaScriptSlotsToHtml(view);
    view.Call(SCI_SETPROPERTY, reinterpret_cast<uptr_t>("asp.default.language"), reinterpret_cast<sptr_t>("2"));
    for (const int style : {SCE_HJ_DEFAULT, SCE_HJ_COMMENT, SCE_HJ_COMMENTDOC, SCE_HBA_DEFAULT}) {
        view.Call(SCI_STYLESETEOLFILLED, style, 1);
    }
}

}  // namespace

void ApplyStyleDef(EditorView& view, const StyleDef& style) {
    // The component grows its style table up to any number it is sent; a theme's stray
    // number must not make it allocate tens of thousands of styles.
    if (style.style > STYLE_MAX) return;
    const uptr_t n = style.style;
    if (style.size != 0) view.Call(SCI_STYLESETSIZE, n, style.size);
    if (style.flags & kStyleForeSet) view.Call(SCI_STYLESETFORE, n, style.fore);
    if (style.flags & kStyleBackSet) view.Call(SCI_STYLESETBACK, n, style.back);
    if (style.flags & kStyleBold) view.Call(SCI_STYLESETBOLD, n, 1);
    if (style.flags & kStyleItalic) view.Call(SCI_STYLESETITALIC, n, 1);
    if (style.flags & kStyleUnderline) view.Call(SCI_STYLESETUNDERLINE, n, 1);
    if (style.flags & kStyleEolFilled) view.Call(SCI_STYLESETEOLFILLED, n, 1);
}

namespace {
LanguageAppliedHook g_languageAppliedHook = nullptr;
}  // namespace

void SetLanguageAppliedHook(LanguageAppliedHook hook) { g_languageAppliedHook = hook; }

void ApplyLanguage(EditorView& view, const LanguageDef& language) {
    const GlobalStyleSettings& g = GlobalStyles();
    view.SetLanguage(language);
    // The component takes ownership of the lexer; a null one leaves the text unstyled.
    view.Call(SCI_SETILEXER, 0, reinterpret_cast<sptr_t>(CreateLexerForNumber(language.lexer)));

    const LanguageDef& styled = UsesHtmlSetUp(language) ? LanguageAt(kLangHtml) : language;
    for (int slot = 0; slot < kKeywordSlots; ++slot) {
        const char* words = styled.keywords[static_cast<std::size_t>(slot)];
        view.Call(SCI_SETKEYWORDS, slot, reinterpret_cast<sptr_t>(words != nullptr ? words : ""));
    }

    view.Call(SCI_CLEARDOCUMENTSTYLE);
    view.Call(SCI_STYLERESETDEFAULT);
    view.Call(SCI_STYLESETCHARACTERSET, STYLE_DEFAULT, SC_CHARSET_DEFAULT);
    ApplyDefaultStyle(view, g);
    view.Call(SCI_STYLECLEARALL);

    ApplyFixedStyle(view, g.lineNumberStyle, STYLE_LINENUMBER);
    ApplyFixedStyle(view, g.braceLightStyle, STYLE_BRACELIGHT);
    ApplyFixedStyle(view, g.braceBadStyle, STYLE_BRACEBAD);
    ApplyFixedStyle(view, g.indentGuideStyle, STYLE_INDENTGUIDE);

    ApplyFurnitureColours(view, g);
    view.Call(SCI_SETMARGINTYPEN, kBookmarkMargin, SC_MARGIN_COLOUR);
    view.Call(SCI_SETMARGINBACKN, kBookmarkMargin, BookmarkMarginBack(g));
    view.Call(SCI_INDICSETHOVERFORE, kLinkIndicator, g.linkHoverColor);
    for (const int indicator : kThemeIndicators) {
        view.Call(SCI_INDICSETFORE, indicator, *IndicatorColor(g, indicator));
    }

    view.Call(SCI_SETPROPERTY, reinterpret_cast<uptr_t>("fold"), reinterpret_cast<sptr_t>("1"));
    view.Call(SCI_SETPROPERTY, reinterpret_cast<uptr_t>("fold.html"), reinterpret_cast<sptr_t>("1"));
    view.Call(SCI_MARKERENABLEHIGHLIGHT, 1);
    ApplyFoldMarkers(view, g);

    ApplySlots(view, styled);
    if (styled.id == kLangHtml) ApplyHtmlExtras(view);
    view.Call(SCI_COLOURISE, 0, -1);
    if (g_languageAppliedHook != nullptr) {
        g_languageAppliedHook(view, language);
    }
}

void ApplyLanguage(EditorView& view, int languageId) { ApplyLanguage(view, LanguageAt(languageId)); }

}  // namespace kelpo
