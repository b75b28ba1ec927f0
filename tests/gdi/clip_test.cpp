// A DC clipped to a rectangle draws nothing outside it, whatever draws (shapes, lines,
// pixels, blits, text); the clip narrows, reports its box and goes again. GetDIBits reads
// the pixels back in either row order.

#include "tools/gdi_pictures/canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

// How many pixels of the canvas are not white, and whether all of them lie in `box`.
int Inked(const Canvas& canvas, const RECT& box, bool& inside)
{
    int count = 0;
    inside = true;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            if (GetPixel(canvas.dc, x, y) == White) continue;
            ++count;
            if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) inside = false;
        }
    return count;
}

TEST(Clip, NothingIsDrawnOutsideTheClipRectangle)
{
    const RECT box{10, 12, 30, 25};
    Canvas source(64, 64, false, Black);
    using Draw = void (*)(HDC, HDC);
    const Draw draws[] = {
        [](HDC dc, HDC) { Rectangle(dc, 0, 0, 64, 64); },
        [](HDC dc, HDC) { Ellipse(dc, 0, 0, 64, 64); },
        [](HDC dc, HDC) { Pie(dc, 0, 0, 64, 64, 0, 0, 64, 0); },
        [](HDC dc, HDC) { MoveToEx(dc, 0, 0, nullptr); LineTo(dc, 64, 64); },
        [](HDC dc, HDC) { for (int i = 0; i < 64; ++i) SetPixel(dc, i, 20, Black); },
        [](HDC dc, HDC from) { BitBlt(dc, 0, 0, 64, 64, from, 0, 0, SRCCOPY); },
        [](HDC dc, HDC) { SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)); TextOut(dc, 5, 10, "WWWWWWWW", 8); },
    };
    for (const Draw draw : draws) {
        Canvas canvas(64, 64);
        SelectObject(canvas.dc, GetStockObject(BLACK_BRUSH));
        EXPECT_EQ(IntersectClipRect(canvas.dc, box.left, box.top, box.right, box.bottom), SIMPLEREGION);
        draw(canvas.dc, source.dc);
        bool inside = false;
        EXPECT_GT(Inked(canvas, box, inside), 0);
        EXPECT_TRUE(inside);
    }
    EXPECT_EQ(SetPixel(source.dc, 70, 0, White), CLR_INVALID);
}

TEST(Clip, NarrowsReportsItsBoxAndGoes)
{
    Canvas canvas(64, 64);
    RECT clip{};
    EXPECT_EQ(GetClipBox(canvas.dc, &clip), SIMPLEREGION);
    EXPECT_EQ(clip.right, 64) << "no clip: the whole surface";
    IntersectClipRect(canvas.dc, 10, 10, 40, 40);
    IntersectClipRect(canvas.dc, 30, 0, 100, 20);
    GetClipBox(canvas.dc, &clip);
    EXPECT_EQ(clip.left, 30);
    EXPECT_EQ(clip.top, 10);
    EXPECT_EQ(clip.right, 40);
    EXPECT_EQ(clip.bottom, 20);
    EXPECT_EQ(IntersectClipRect(canvas.dc, 50, 50, 60, 60), NULLREGION);
    EXPECT_EQ(SetPixel(canvas.dc, 55, 55, Black), CLR_INVALID) << "an empty clip draws nothing";
    EXPECT_EQ(SelectClipRgn(canvas.dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(SetPixel(canvas.dc, 55, 55, Black), Black);
}

TEST(Clip, GetDIBitsReadsRowsTopDownOrBottomUp)
{
    Canvas canvas(3, 2);
    SetPixel(canvas.dc, 0, 0, RGB(1, 2, 3));
    SetPixel(canvas.dc, 2, 1, RGB(4, 5, 6));
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(canvas.dc, OBJ_BITMAP));
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 3, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(6);
    ASSERT_EQ(GetDIBits(canvas.dc, bitmap, 0, 2, pixels.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixels[0], 0x010203u);
    EXPECT_EQ(pixels[5], 0x040506u);
    info.bmiHeader.biHeight = 2;
    GetDIBits(canvas.dc, bitmap, 0, 2, pixels.data(), &info, DIB_RGB_COLORS);
    EXPECT_EQ(pixels[3], 0x010203u) << "bottom-up: the top row last";
    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(GetDIBits(canvas.dc, bitmap, 0, 2, pixels.data(), &info, DIB_RGB_COLORS), 0);
}

}  // namespace
