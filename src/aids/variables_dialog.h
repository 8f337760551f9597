// The Variables dialog: the user's name, e-mail and company for snippets, and a preview of every
// variable's value.
#pragma once

#include <windows.h>

namespace kelpo {

inline constexpr int kVariablesAuthorId = 50;
inline constexpr int kVariablesEmailId = 51;
inline constexpr int kVariablesCompanyId = 52;
inline constexpr int kVariablesPreviewId = 53;

// Modal; OK writes the three values to the settings file (an empty field removes its key).
// Returns the button that closed it.
INT_PTR ShowVariablesDialog(HWND owner);

}  // namespace kelpo
