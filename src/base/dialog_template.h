// A dialog template built in memory, so that the document layer's dialogs need no resource script.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace kelpo {

// Sizes are in dialog units. The template uses the shell dialog font.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const wchar_t* title);

    void AddControl(const wchar_t* className, const wchar_t* text, WORD id, DWORD style, short x, short y,
                    short width, short height, DWORD exStyle = 0);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void AddWord(WORD value) { words_.push_back(value); }
    void AddDword(DWORD value);
    void AddText(const wchar_t* text);
    // Every item starts on a four-byte boundary of the template.
    void AlignToDword();

    std::vector<WORD> words_;
};

}  // namespace kelpo
