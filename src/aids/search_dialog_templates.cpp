// Layouts of the three search dialogs, in dialog units.
#include "aids/search_dialog_templates.h"

#include <initializer_list>
#include <utility>

namespace kelpo {
namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr WORD kLabelId = 0xFFFF;
constexpr DWORD kHistoryField = WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD kBox = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr short kButtonsX = 244;
constexpr short kButtonWidth = 80;

void AddField(DialogTemplate& dialog, const wchar_t* label, int id, short y, short width) {
    dialog.AddControl(L"Static", label, kLabelId, SS_LEFT, 7, static_cast<short>(y + 2), 48, 8);
    // The height of a combo box in a template is that of its dropped-down list.
    dialog.AddControl(L"ComboBox", L"", static_cast<WORD>(id), kHistoryField, 58, y, width, 120);
}

void AddButton(DialogTemplate& dialog, const wchar_t* text, int id, short y, DWORD style = 0) {
    dialog.AddControl(L"Button", text, static_cast<WORD>(id), WS_TABSTOP | style, kButtonsX, y, kButtonWidth, 14);
}

void AddBox(DialogTemplate& dialog, const wchar_t* text, int id, short y) {
    dialog.AddControl(L"Button", text, static_cast<WORD>(id), kBox, 7, y, 110, 10);
}

using Radios = std::initializer_list<std::pair<const wchar_t*, int>>;

// A group frame with its radio buttons, one per line.
void AddRadios(DialogTemplate& dialog, const wchar_t* title, short y, Radios radios) {
    const auto height = static_cast<short>(18 + 13 * radios.size());
    dialog.AddControl(L"Button", title, kLabelId, BS_GROUPBOX, 125, y, 112, height);
    DWORD first = WS_GROUP | WS_TABSTOP;
    short radioY = static_cast<short>(y + 13);
    for (const auto& [text, id] : radios) {
        dialog.AddControl(L"Button", text, static_cast<WORD>(id), BS_AUTORADIOBUTTON | first, 133, radioY, 98, 10);
        first = 0;
        radioY = static_cast<short>(radioY + 13);
    }
}

void AddElementButton(DialogTemplate& dialog, int id, short y) {
    dialog.AddControl(L"Button", L">", static_cast<WORD>(id), WS_TABSTOP, 221, y, 16, 13);
}

}  // namespace

DialogTemplate FindDialogTemplate() {
    DialogTemplate dialog(kDialogStyle, 331, 114, L"Find");
    AddField(dialog, L"Fi&nd what:", kFindFieldId, 7, 160);
    AddElementButton(dialog, kFindElementsId, 7);
    AddBox(dialog, L"Match c&ase", kMatchCaseBoxId, 28);
    AddBox(dialog, L"Match &whole word", kWholeWordBoxId, 41);
    AddBox(dialog, L"&Regular expression", kRegexBoxId, 54);
    AddBox(dialog, L"&Escape sequences", kEscapesBoxId, 67);
    AddBox(dialog, L"Wra&p around", kWrapBoxId, 80);
    AddRadios(dialog, L"Find All results to", 26,
              {{L"Find Results &1", kPane1RadioId}, {L"Find Results &2", kPane2RadioId}});
    AddButton(dialog, L"Find &Next", IDOK, 7, WS_GROUP | BS_DEFPUSHBUTTON);
    AddButton(dialog, L"&Bookmark All", kBookmarkAllId, 25);
    AddButton(dialog, L"&Highlight All", kHighlightAllId, 42);
    AddButton(dialog, L"Find All in &Current", kFindAllId, 59);
    AddButton(dialog, L"Find All in &Open Tabs", kFindAllDocumentsId, 76);
    AddButton(dialog, L"Close", IDCANCEL, 93);
    return dialog;
}

DialogTemplate ReplaceDialogTemplate() {
    DialogTemplate dialog(kDialogStyle, 331, 130, L"Replace");
    AddField(dialog, L"Fi&nd what:", kFindFieldId, 7, 160);
    AddElementButton(dialog, kFindElementsId, 7);
    AddField(dialog, L"Re&place with:", kReplaceFieldId, 25, 160);
    AddElementButton(dialog, kReplaceElementsId, 25);
    AddBox(dialog, L"Match &case", kMatchCaseBoxId, 46);
    AddBox(dialog, L"Match &whole word", kWholeWordBoxId, 59);
    AddBox(dialog, L"Re&gular expression", kRegexBoxId, 72);
    AddBox(dialog, L"&Escape sequences", kEscapesBoxId, 85);
    AddBox(dialog, L"Wrap ar&ound", kWrapBoxId, 98);
    AddRadios(dialog, L"Replace All in", 44,
              {{L"Current &document", kScopeDocumentRadioId}, {L"&Selection", kScopeSelectionRadioId},
               {L"All open &tabs", kScopeAllRadioId}});
    AddButton(dialog, L"Find &Next", IDOK, 7, WS_GROUP | BS_DEFPUSHBUTTON);
    AddButton(dialog, L"&Replace", kReplaceId, 25);
    AddButton(dialog, L"Replace &All", kReplaceAllId, 43);
    AddButton(dialog, L"Close", IDCANCEL, 61);
    dialog.AddControl(L"Static", L"Replacements made: %d", kReplaceStatusId, SS_LEFT, 7, 114, 317, 9);
    return dialog;
}

DialogTemplate FindInFilesDialogTemplate() {
    DialogTemplate dialog(kDialogStyle, 331, 112, L"Find in Files");
    AddField(dialog, L"Fi&nd what:", kFindFieldId, 7, 179);
    AddField(dialog, L"Files of &type:", kFilterFieldId, 25, 179);
    AddField(dialog, L"&In folder:", kLocationFieldId, 43, 160);
    dialog.AddControl(L"Button", L"...", kBrowseFolderId, WS_TABSTOP, 221, 43, 16, 13);
    AddBox(dialog, L"Match &case", kMatchCaseBoxId, 64);
    AddBox(dialog, L"Match &whole word", kWholeWordBoxId, 77);
    AddBox(dialog, L"Include &subfolders", kSubfoldersBoxId, 90);
    AddRadios(dialog, L"Results to", 62,
              {{L"Find Results &1", kPane1RadioId}, {L"Find Results &2", kPane2RadioId}});
    AddButton(dialog, L"&Find", IDOK, 7, WS_GROUP | BS_DEFPUSHBUTTON);
    AddButton(dialog, L"Close", IDCANCEL, 25);
    return dialog;
}

}  // namespace kelpo
