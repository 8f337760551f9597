// Each picture is a shape in a colour, so that kinds sharing a shape still differ at a glance.
#include "aids/symbol_images.h"

#include <array>

#include "base/handles.h"

namespace kelpo {
namespace {

constexpr int kSize = 16;
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

enum class Shape { Circle, SmallCircle, Square, Diamond, Triangle, Bar };

struct Picture {
    Shape shape;
    COLORREF fill;
};

// Indexed by image number: function, member, class, structure, interface, enum, macro, typedef,
// variable, namespace, union, property, unknown, port, register, constant.
constexpr std::array<Picture, kSymbolImageCount> kPictures = {{
    {Shape::Circle, RGB(128, 64, 192)},     {Shape::SmallCircle, RGB(0, 150, 180)},
    {Shape::Square, RGB(230, 140, 20)},     {Shape::Square, RGB(40, 100, 200)},
    {Shape::Diamond, RGB(40, 160, 60)},     {Shape::Square, RGB(210, 180, 30)},
    {Shape::Bar, RGB(110, 110, 110)},       {Shape::Triangle, RGB(0, 140, 130)},
    {Shape::SmallCircle, RGB(40, 90, 210)}, {Shape::Diamond, RGB(150, 90, 40)},
    {Shape::Square, RGB(220, 90, 160)},     {Shape::Circle, RGB(60, 170, 90)},
    {Shape::Circle, RGB(160, 160, 160)},    {Shape::Triangle, RGB(200, 50, 50)},
    {Shape::Square, RGB(70, 70, 90)},       {Shape::Diamond, RGB(200, 160, 0)},
}};

void DrawPicture(HDC dc, int left, const Picture& picture) {
    const unique_hbrush brush(::CreateSolidBrush(picture.fill));
    ScopedSelectObject selectedBrush(dc, brush.get());
    ScopedSelectObject selectedPen(dc, ::GetStockObject(BLACK_PEN));
    switch (picture.shape) {
    case Shape::Circle:
        ::Ellipse(dc, left + 2, 2, left + 14, 14);
        break;
    case Shape::SmallCircle:
        ::Ellipse(dc, left + 4, 4, left + 12, 12);
        break;
    case Shape::Square:
        ::Rectangle(dc, left + 2, 2, left + 14, 14);
        break;
    case Shape::Bar:
        ::Rectangle(dc, left + 2, 5, left + 14, 11);
        break;
    case Shape::Diamond: {
        const POINT points[] = {{left + 8, 1}, {left + 15, 8}, {left + 8, 15}, {left + 1, 8}};
        ::Polygon(dc, points, 4);
        break;
    }
    case Shape::Triangle: {
        const POINT points[] = {{left + 8, 2}, {left + 14, 14}, {left + 2, 14}};
        ::Polygon(dc, points, 3);
        break;
    }
    }
}

}  // namespace

HIMAGELIST CreateSymbolImages() {
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) return nullptr;
    HDC dc = ::CreateCompatibleDC(screen);
    unique_hbitmap strip(::CreateCompatibleBitmap(screen, kSize * kSymbolImageCount, kSize));
    ::ReleaseDC(nullptr, screen);
    if (dc == nullptr || !strip) {
        if (dc != nullptr) ::DeleteDC(dc);
        return nullptr;
    }
    {
        ScopedSelectObject selected(dc, strip.get());
        const RECT all{0, 0, kSize * kSymbolImageCount, kSize};
        const unique_hbrush mask(::CreateSolidBrush(kMaskColour));
        ::FillRect(dc, &all, mask.get());
        for (int i = 0; i < kSymbolImageCount; ++i) DrawPicture(dc, i * kSize, kPictures[i]);
    }
    ::DeleteDC(dc);
    HIMAGELIST images = ::ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, kSymbolImageCount, 0);
    if (images != nullptr && ::ImageList_AddMasked(images, strip.get(), kMaskColour) < 0) {
        ::ImageList_Destroy(images);
        return nullptr;
    }
    return images;
}

}  // namespace kelpo
