#include "tools/gdi_pictures/canvas.h"
#include "platform/gdi/surface.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

// A colour canvas whose pixel (x, y) has the colour RGB(x, y, 7).
void Gradient(Canvas& canvas)
{
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) SetPixel(canvas.dc, x, y, RGB(x, y, 7));
}

void Draw(HDC dc, int stockPen, int stockBrush, void (*shape)(HDC))
{
    HGDIOBJ pen = SelectObject(dc, GetStockObject(stockPen));
    HGDIOBJ brush = SelectObject(dc, GetStockObject(stockBrush));
    shape(dc);
    SelectObject(dc, pen);
    SelectObject(dc, brush);
}

TEST(BitBlt, MaskedPairShowsBackgroundOutsideTheDiscAndColourInside)
{
    const COLORREF background = RGB(10, 200, 30), ball = RGB(200, 0, 90);
    Canvas scene(64, 64, false, background);
    Canvas mask(24, 24, true);
    Canvas image(24, 24, false, Black);
    Draw(mask.dc, BLACK_PEN, BLACK_BRUSH, [](HDC dc) { Ellipse(dc, 0, 0, 24, 24); });
    HBRUSH brush = CreateSolidBrush(ball);
    HPEN pen = CreatePen(PS_SOLID, 0, ball);
    HGDIOBJ oldBrush = SelectObject(image.dc, brush), oldPen = SelectObject(image.dc, pen);
    Ellipse(image.dc, 0, 0, 24, 24);
    SelectObject(image.dc, oldBrush);
    SelectObject(image.dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);

    EXPECT_TRUE(BitBlt(scene.dc, 20, 10, 24, 24, mask.dc, 0, 0, SRCAND));
    EXPECT_TRUE(BitBlt(scene.dc, 20, 10, 24, 24, image.dc, 0, 0, SRCPAINT));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const bool opaque = GetPixel(mask.dc, x, y) == Black;
            ASSERT_EQ(GetPixel(scene.dc, 20 + x, 10 + y), opaque ? ball : background) << x << "," << y;
        }
    EXPECT_EQ(GetPixel(scene.dc, 20, 10), background) << "corner of the sprite box";
    EXPECT_EQ(GetPixel(scene.dc, 32, 22), ball) << "middle of the disc";
    EXPECT_EQ(GetPixel(scene.dc, 19, 22), background) << "beside the box";
}

TEST(BitBlt, MonochromeToColourUsesTheDestinationsBackgroundAndTextColours)
{
    Canvas mono(2, 1, true);
    SetPixel(mono.dc, 0, 0, White);
    SetPixel(mono.dc, 1, 0, Black);
    Canvas colour(2, 1);
    SetBkColor(colour.dc, RGB(1, 2, 3));
    SetTextColor(colour.dc, RGB(4, 5, 6));
    SetBkColor(mono.dc, RGB(9, 9, 9));  // the source's colours play no part
    ASSERT_TRUE(BitBlt(colour.dc, 0, 0, 2, 1, mono.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(colour.dc, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(colour.dc, 1, 0), RGB(4, 5, 6));
}

TEST(BitBlt, ColourToMonochromeMakesTheSourcesBackgroundColourWhite)
{
    Canvas colour(3, 1);
    SetPixel(colour.dc, 0, 0, RGB(10, 20, 30));
    SetPixel(colour.dc, 1, 0, White);
    SetPixel(colour.dc, 2, 0, RGB(10, 20, 31));
    SetBkColor(colour.dc, RGB(10, 20, 30));
    Canvas mono(3, 1, true, Black);
    ASSERT_TRUE(BitBlt(mono.dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(mono.Picture(Black, White), ".##\n");
}

TEST(BitBlt, AndAndOrCombineBitsOnColourAndMonochrome)
{
    Canvas a(1, 1, false, RGB(0x0F, 0xF0, 0x33)), b(1, 1, false, RGB(0x3C, 0x3C, 0x0F));
    BitBlt(a.dc, 0, 0, 1, 1, b.dc, 0, 0, SRCAND);
    EXPECT_EQ(GetPixel(a.dc, 0, 0), RGB(0x0C, 0x30, 0x03));
    BitBlt(a.dc, 0, 0, 1, 1, b.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(GetPixel(a.dc, 0, 0), RGB(0x3C, 0x3C, 0x0F));
    Canvas m(2, 1, true, White), n(2, 1, true, Black);
    SetPixel(n.dc, 1, 0, White);
    BitBlt(m.dc, 0, 0, 2, 1, n.dc, 0, 0, SRCAND);
    EXPECT_EQ(m.Picture(Black, White), "#.\n");
    BitBlt(n.dc, 0, 0, 2, 1, m.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(n.Picture(Black, White), "#.\n");
}

struct ClipCase {
    const char* what;
    int x, y, width, height, sx, sy;
};

TEST(BitBlt, ClipsAtEveryEdgeOfBothSurfaces)
{
    const ClipCase cases[] = {
        {"negative destination", -2, -3, 6, 6, 0, 0}, {"past right and bottom", 6, 5, 6, 6, 0, 0},
        {"source partly left and above", 1, 1, 6, 6, -2, -1}, {"source past its right and bottom", 0, 0, 8, 8, 4, 5},
        {"both at once", -1, 6, 9, 9, 5, -4},         {"wholly outside", 20, 20, 4, 4, 0, 0},
        {"source wholly outside", 0, 0, 4, 4, -9, 0},
    };
    for (const ClipCase& c : cases) {
        Canvas source(8, 8), dest(8, 8, false, Black);
        Gradient(source);
        ASSERT_TRUE(BitBlt(dest.dc, c.x, c.y, c.width, c.height, source.dc, c.sx, c.sy, SRCCOPY)) << c.what;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const int u = x - c.x + c.sx, v = y - c.y + c.sy;
                const bool copied = x - c.x >= 0 && x - c.x < c.width && y - c.y >= 0 && y - c.y < c.height &&
                                    u >= 0 && u < 8 && v >= 0 && v < 8;
                ASSERT_EQ(GetPixel(dest.dc, x, y), copied ? RGB(u, v, 7) : Black) << c.what << " at " << x << "," << y;
            }
    }
}

TEST(BitBlt, OverlappingCopyWithinOneSurfaceReadsTheOldPixels)
{
    Canvas canvas(8, 8);
    Gradient(canvas);
    ASSERT_TRUE(BitBlt(canvas.dc, 1, 1, 6, 6, canvas.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(canvas.dc, 6, 6), RGB(5, 5, 7));
    EXPECT_EQ(GetPixel(canvas.dc, 1, 1), RGB(0, 0, 7));
}

TEST(BitBlt, WindowSurfaceDcTakesPartLikeAnyOther)
{
    gdi::Surface window(4, 4, false);
    HDC dc = gdi::CreateSurfaceDC(&window);
    Canvas source(4, 4);
    Gradient(source);
    ASSERT_TRUE(BitBlt(dc, 0, 0, 4, 4, source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(window.Row(2)[3], gdi::PixelFromColor(RGB(3, 2, 7)));
    EXPECT_EQ(window.Row(2)[3], 0x030207u) << "surface pixels are 0x00RRGGBB";
    DeleteDC(dc);
}

}  // namespace
