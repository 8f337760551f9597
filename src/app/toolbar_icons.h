// Toolbar icons drawn by the toolbar's owner. An image list draw costs about a third of a
// millisecond under Wine, and a toolbar of thirty buttons is drawn at every start and every
// state change; one alpha blend from a prepared strip costs a hundredth of that. The buttons
// carry no image of their own (I_IMAGENONE): their icon rides in the button's data, and the
// owner draws it when the toolbar has drawn the button.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "base/handles.h"

namespace kelpo {

class ToolbarIcons {
public:
    // The strip is a 32-bit DIB section with straight alpha, one row of square cells. Null when
    // it is not one.
    static std::unique_ptr<ToolbarIcons> FromStrip(HBITMAP strip);
    ~ToolbarIcons();
    ToolbarIcons(const ToolbarIcons&) = delete;
    ToolbarIcons& operator=(const ToolbarIcons&) = delete;

    int CellSize() const { return cellSize_; }
    void Draw(HDC dc, int icon, int x, int y, bool disabled) const;

private:
    ToolbarIcons() = default;

    int cellSize_ = 0;
    int cellCount_ = 0;
    unique_hbitmap normal_;
    unique_hbitmap disabled_;
    HDC normalDc_ = nullptr;
    HDC disabledDc_ = nullptr;
    HGDIOBJ normalOld_ = nullptr;
    HGDIOBJ disabledOld_ = nullptr;
};

// The button data that names an icon the owner draws; 0 names none.
inline DWORD_PTR ToolbarIconData(int icon) { return icon >= 0 ? static_cast<DWORD_PTR>(icon) + 1 : 0; }
inline int IconOfToolbarData(DWORD_PTR data) { return static_cast<int>(data) - 1; }

// The answer to a toolbar's NM_CUSTOMDRAW: asks for each button's drawing to be reported and,
// once a button is drawn, draws its icon centred in the part left of any drop-down arrow.
// `buttonWidth` is the width of a button without an arrow.
LRESULT DrawToolbarIcons(const NMTBCUSTOMDRAW& draw, const ToolbarIcons* icons, int buttonWidth);

}  // namespace kelpo
