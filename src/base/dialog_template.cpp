// The DLGTEMPLATE layout: header, menu, class, title, font, then one aligned item per control.
#include "base/dialog_template.h"

namespace kelpo {
namespace {

constexpr std::size_t kItemCountWord = 4;  // after the style and extended-style double words

}  // namespace

DialogTemplate::DialogTemplate(DWORD style, short width, short height, const wchar_t* title) {
    AddDword(style | DS_SETFONT);
    AddDword(0);
    AddWord(0);  // item count
    AddWord(0);
    AddWord(0);
    AddWord(static_cast<WORD>(width));
    AddWord(static_cast<WORD>(height));
    AddWord(0);  // no menu
    AddWord(0);  // the standard dialog class
    AddText(title);
    AddWord(8);  // point size
    AddText(L"MS Shell Dlg");
}

void DialogTemplate::AddDword(DWORD value) {
    AddWord(LOWORD(value));
    AddWord(HIWORD(value));
}

void DialogTemplate::AddText(const wchar_t* text) {
    for (const wchar_t* c = text; c != nullptr && *c != L'\0'; ++c) {
        AddWord(static_cast<WORD>(*c));
    }
    AddWord(0);
}

void DialogTemplate::AlignToDword() {
    if (words_.size() % 2 != 0) {
        AddWord(0);
    }
}

void DialogTemplate::AddControl(const wchar_t* className, const wchar_t* text, WORD id, DWORD style, short x,
                                short y, short width, short height, DWORD exStyle) {
    AlignToDword();
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(exStyle);
    AddWord(static_cast<WORD>(x));
    AddWord(static_cast<WORD>(y));
    AddWord(static_cast<WORD>(width));
    AddWord(static_cast<WORD>(height));
    AddWord(id);
    AddText(className);
    AddText(text);
    AddWord(0);  // no creation data
    ++words_[kItemCountWord];
}

}  // namespace kelpo
