// Command 148: the go-to dialog that moves the active view's caret to a line and column.
#pragma once

#include <windows.h>

#include <optional>

namespace kelpo {

inline constexpr int kCmdGoTo = 148;
inline constexpr int kGoToLineField = 101;
inline constexpr int kGoToColumnField = 102;

struct LineColumn {
    int line = 1;    // 1-based
    int column = 1;  // 1-based
};

// The dialog, its fields showing `current`; nothing when it was cancelled. An empty or zero
// column means the line's start.
std::optional<LineColumn> AskLineColumn(HWND owner, LineColumn current);

// Asks for the active document and moves its caret there; false without an active document
// or when cancelled.
bool GoToWithDialog(HWND owner);

}  // namespace kelpo
