// Choosing the editor font: the font dialog, the list of font choices and applying a choice.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kelpo {

// The "Font" section of the settings file, or the built-in choices when it is empty.
std::vector<std::wstring> FontChoices();
// Takes a "Face, size" text as the editor font: writes `Font` and re-applies it to every view.
void ChooseFontText(const std::wstring& text);
// Command 183: the font dialog.
void ChooseEditorFontWithDialog(HWND owner);

}  // namespace kelpo
