// The defaults and view options of editor views: margins for line numbers, bookmarks and folds,
// the highlight indicators, and the switches the View menu toggles.
#include "lang/view_setup.h"

#include <algorithm>

#include "base/app_state.h"
#include "base/config_bits.h"
#include "lang/language_catalogue.h"
#include "lang/view_language.h"
#include "lang/view_notifications.h"

namespace kelpo {
namespace {

constexpr int kLineNumberMargin = 0;
constexpr int kBookmarkMargin = 1;
constexpr int kFoldMargin = 2;
constexpr int kBookmarkMarker = 1;
constexpr int kUnderlineMarker = 4;
constexpr int kSideMarginWidth = 14;
// Markers 1 to 4: the bookmark and the marks that edit commands set.
constexpr int kBookmarkMarginMask = 0x1E;
constexpr int kFoldBelowLine = 16;
constexpr int kIndicatorAlpha = 100;
constexpr int kMarkerAlpha = 70;
constexpr int kMaxListRows = 20;
constexpr int kMinLineNumberDigits = 4;
constexpr int kLineNumberPadding = 8;
constexpr int kIndicatorsInOrder[] = {29, 31, 28, 27, 26, 25, 24, 23, 22, 21};

constexpr sptr_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

int DecimalDigits(sptr_t number) {
    int digits = 1;
    for (; number >= 10; number /= 10) ++digits;
    return digits;
}

}  // namespace

void CreateDefaults(EditorView& view) {
    view.Call(SCI_SETUNDOCOLLECTION, 0);
    view.Call(SCI_USEPOPUP, SC_POPUP_NEVER);

    view.Call(SCI_SETMARGINMASKN, kFoldMargin, SC_MASK_FOLDERS);
    view.Call(SCI_SETMARGINWIDTHN, kBookmarkMargin, kSideMarginWidth);
    view.Call(SCI_SETMARGINWIDTHN, kFoldMargin, kSideMarginWidth);
    view.Call(SCI_SETMARGINMASKN, kBookmarkMargin, kBookmarkMarginMask);

    view.Call(SCI_MARKERSETALPHA, kBookmarkMarker, kMarkerAlpha);
    view.Call(SCI_MARKERDEFINE, kUnderlineMarker, SC_MARK_UNDERLINE);
    view.Call(SCI_MARKERSETBACK, kUnderlineMarker, Rgb(0x77, 0xCC, 0x77));

    view.Call(SCI_SETMARGINMASKN, kFoldMargin, SC_MASK_FOLDERS);
    view.Call(SCI_SETMARGINSENSITIVEN, kFoldMargin, 1);
    view.Call(SCI_SETMARGINSENSITIVEN, kBookmarkMargin, 1);

    view.Call(SCI_SETFOLDFLAGS, kFoldBelowLine);

    view.Call(SCI_SETSCROLLWIDTHTRACKING, 1);
    view.Call(SCI_SETSCROLLWIDTH, 1);

    view.Call(SCI_MARKERSETFORE, kBookmarkMarker, Rgb(0, 0, 0));
    view.Call(SCI_MARKERSETBACK, kBookmarkMarker, Rgb(0x00, 0xFF, 0xFF));
    view.Call(SCI_MARKERDEFINE, kBookmarkMarker, SC_MARK_CIRCLE);
    view.Call(SCI_SETMARGINSENSITIVEN, kBookmarkMargin, 1);

    for (const int indicator : kIndicatorsInOrder) {
        view.Call(SCI_INDICSETSTYLE, indicator, INDIC_ROUNDBOX);
        view.Call(SCI_INDICSETALPHA, indicator, kIndicatorAlpha);
        view.Call(SCI_INDICSETUNDER, indicator, 1);
    }

    view.Call(SCI_AUTOCSETMAXHEIGHT, kMaxListRows);
    view.Call(SCI_SETMODEVENTMASK, kHandledModifications);
    view.Call(SCI_SETCODEPAGE, SC_CP_UTF8);
}

void SetUpViewForEditing(EditorView& view) {
    CreateDefaults(view);
    ApplyViewOptions(view);
    ApplyLanguage(view, LanguageAt(kLangText));
}

bool LineNumbersShown() { return (App().settings.config1 & kC1LineNumbers) != 0; }

void ApplyViewOptions(EditorView& view) {
    const std::uint32_t config1 = App().settings.config1;
    UpdateLineNumberMargin(view, (config1 & kC1LineNumbers) != 0);
    view.Call(SCI_SETVIEWWS, (config1 & kC1WhiteSpace) ? SCWS_VISIBLEALWAYS : SCWS_INVISIBLE);
    view.Call(SCI_SETVIEWEOL, (config1 & kC1LineEnds) ? 1 : 0);
    view.Call(SCI_SETINDENTATIONGUIDES, (config1 & kC1IndentGuides) ? SC_IV_LOOKBOTH : SC_IV_NONE);
    view.Call(SCI_SETWRAPMODE, (config1 & kC1WordWrap) ? SC_WRAP_WORD : SC_WRAP_NONE);
    view.Call(SCI_SETWRAPVISUALFLAGS, SC_WRAPVISUALFLAG_END);
    view.Call(SCI_SETZOOM, App().settings.zoomLevel);
}

void UpdateLineNumberMargin(EditorView& view, bool show) {
    int width = 0;
    if (show) {
        const int digits = std::max(kMinLineNumberDigits, DecimalDigits(view.Call(SCI_GETLINECOUNT)));
        const auto digitWidth = static_cast<int>(view.Call(SCI_TEXTWIDTH, STYLE_LINENUMBER,
                                                           reinterpret_cast<sptr_t>("8")));
        width = digitWidth * digits + kLineNumberPadding;
    }
    // Runs on every repaint: an unchanged width must not cause another repaint.
    if (view.Call(SCI_GETMARGINWIDTHN, kLineNumberMargin) != width) {
        view.Call(SCI_SETMARGINWIDTHN, kLineNumberMargin, width);
    }
}

}  // namespace kelpo
