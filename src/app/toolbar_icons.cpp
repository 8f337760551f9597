#include "app/toolbar_icons.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "app/command_icons.h"
#include "app/icon_strip.h"

namespace kelpo {
namespace {

// A bitmap of the strip's shape holding a copy of its pixels, prepared by `prepare`.
template <typename Prepare>
unique_hbitmap PreparedCopy(const DIBSECTION& source, Prepare prepare) {
    const auto size =
        static_cast<std::size_t>(source.dsBm.bmWidthBytes) * static_cast<std::size_t>(source.dsBm.bmHeight);
    const auto* from = static_cast<const std::uint8_t*>(source.dsBm.bmBits);
    std::vector<std::uint8_t> pixels(from, from + size);
    prepare(std::span<std::uint8_t>(pixels));
    return CreatePixelBitmap(pixels, source.dsBm.bmWidth, source.dsBmih.biHeight);
}

}  // namespace

std::unique_ptr<ToolbarIcons> ToolbarIcons::FromStrip(HBITMAP strip) {
    DIBSECTION section{};
    if (strip == nullptr || ::GetObjectW(strip, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBits == nullptr || section.dsBmih.biBitCount != 32 || section.dsBm.bmHeight <= 0) {
        return nullptr;
    }
    ::GdiFlush();
    std::unique_ptr<ToolbarIcons> icons(new ToolbarIcons());
    icons->cellSize_ = section.dsBm.bmHeight;
    icons->cellCount_ = StripCellCount({section.dsBm.bmWidth, section.dsBm.bmHeight});
    icons->normal_ = PreparedCopy(section, [](std::span<std::uint8_t> pixels) { PremultiplyAlpha(pixels); });
    icons->disabled_ = PreparedCopy(section, [](std::span<std::uint8_t> pixels) {
        GreyOut(pixels);
        PremultiplyAlpha(pixels);
    });
    icons->normalDc_ = ::CreateCompatibleDC(nullptr);
    icons->disabledDc_ = ::CreateCompatibleDC(nullptr);
    if (!icons->normal_ || !icons->disabled_ || icons->normalDc_ == nullptr || icons->disabledDc_ == nullptr) {
        return nullptr;
    }
    icons->normalOld_ = ::SelectObject(icons->normalDc_, icons->normal_.get());
    icons->disabledOld_ = ::SelectObject(icons->disabledDc_, icons->disabled_.get());
    return icons;
}

ToolbarIcons::~ToolbarIcons() {
    if (normalDc_ != nullptr) {
        ::SelectObject(normalDc_, normalOld_);
        ::DeleteDC(normalDc_);
    }
    if (disabledDc_ != nullptr) {
        ::SelectObject(disabledDc_, disabledOld_);
        ::DeleteDC(disabledDc_);
    }
}

void ToolbarIcons::Draw(HDC dc, int icon, int x, int y, bool disabled) const {
    if (icon < 0 || icon >= cellCount_) {
        return;
    }
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, x, y, cellSize_, cellSize_, disabled ? disabledDc_ : normalDc_, icon * cellSize_, 0,
                    cellSize_, cellSize_, blend);
}

LRESULT DrawToolbarIcons(const NMTBCUSTOMDRAW& draw, const ToolbarIcons* icons, int buttonWidth) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return icons != nullptr ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPOSTPAINT: {
        const int icon = IconOfToolbarData(draw.nmcd.lItemlParam);
        if (icons == nullptr || icon < 0) {
            return CDRF_DODEFAULT;
        }
        const RECT& button = draw.nmcd.rc;
        const int width = std::min<int>(buttonWidth, button.right - button.left);
        const int pressed = (draw.nmcd.uItemState & (CDIS_SELECTED | CDIS_CHECKED)) != 0 ? 1 : 0;
        const int x = button.left + (width - icons->CellSize()) / 2 + pressed;
        const int y = button.top + (button.bottom - button.top - icons->CellSize()) / 2 + pressed;
        icons->Draw(draw.nmcd.hdc, icon, x, y, (draw.nmcd.uItemState & CDIS_DISABLED) != 0);
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

}  // namespace kelpo
