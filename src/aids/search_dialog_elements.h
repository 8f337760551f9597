// The regular-expression element menus of the Find and Replace fields: the chosen element goes
// where the field's selection was when it last lost the focus.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kelpo {

enum class ElementMenu { Find, Replace };

struct ElementInsertion {
    std::wstring text;
    int caret = 0;  // offset of the caret in the inserted text
};

// The Find menu's eleven elements and the Replace menu's tagged-part references "\1" to "\9",
// by item number from 1; nothing for another number.
std::optional<ElementInsertion> RegexElement(ElementMenu menu, int item);

// Keeps the field's selection; the dialogs call it whenever the field loses the focus.
void SaveFieldSelection(HWND dialog, ElementMenu menu);
// Inserts the element in place of the saved selection and puts the caret as the element says.
void InsertRegexElement(HWND dialog, ElementMenu menu, int item);
// Pops the menu up under its button and inserts what is chosen.
void ChooseRegexElement(HWND dialog, ElementMenu menu);

}  // namespace kelpo
