// Markers through a replacement that spans many lines. The component's undo history holds text
// only: such a replacement would leave the markers of its lines gathered on one line, after the
// change and again after undoing it. The markers of both sides are kept here instead.
#pragma once

#include <string_view>
#include <vector>

#include "lang/editor_view.h"

namespace kelpo {

// A line and its markers as SCI_MARKERGET reports them.
struct LineMarks {
    sptr_t line = 0;
    int mask = 0;
    friend bool operator==(const LineMarks&, const LineMarks&) = default;
};

// The lines of [first, first + count) that carry markers.
std::vector<LineMarks> MarkedLines(const EditorView& view, sptr_t first, sptr_t count);

// The lines that a replacement covers before and after it, and their markers on either side.
struct MarkerChange {
    sptr_t firstLine = 0;
    sptr_t linesBefore = 0;
    sptr_t linesAfter = 0;
    std::vector<LineMarks> before;
    std::vector<LineMarks> after;
};

// Replaces [start, end) with the text as one undo step and leaves the lines of the change with
// the markers of `after` alone; undoing the step puts `before` back, redoing it `after`. Undo and
// redo reach the markers through OnMarkerUndoStep. False, and nothing done, for a read-only text.
bool ReplaceKeepingMarkers(EditorView& view, sptr_t start, sptr_t end, std::string_view text, MarkerChange change);

// SCN_MODIFIED with SC_MOD_CONTAINER: one of those replacements was undone or redone.
void OnMarkerUndoStep(EditorView& view, sptr_t token, bool undone);

}  // namespace kelpo
