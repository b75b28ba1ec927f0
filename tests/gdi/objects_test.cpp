#include "tools/gdi_pictures/canvas.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"

#include <gtest/gtest.h>

namespace {

std::size_t LiveObjects() { return gdi::CreatedObjectCount(); }

TEST(GdiObjects, CountReturnsToStartAfterCreatingSelectingAndDeletingEveryKind)
{
    const std::size_t start = LiveObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP colour = CreateBitmap(8, 8, 1, 32, nullptr);
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 255));
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    LOGFONT description{};
    description.lfHeight = 18;
    HFONT font = CreateFontIndirect(&description);
    gdi::Surface surface(4, 4, false);
    HDC window = gdi::CreateSurfaceDC(&surface);
    EXPECT_EQ(LiveObjects(), start + 7);

    HGDIOBJ oldBitmap = SelectObject(dc, colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldFont = SelectObject(dc, font);
    EXPECT_EQ(SelectObject(dc, mono), colour) << "selecting returns the previous object";
    EXPECT_FALSE(DeleteObject(pen)) << "a selected object cannot be deleted";
    SelectObject(dc, oldBitmap);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldFont);

    for (HGDIOBJ object : {static_cast<HGDIOBJ>(colour), static_cast<HGDIOBJ>(mono), static_cast<HGDIOBJ>(pen),
                           static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(font)})
        EXPECT_TRUE(DeleteObject(object));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteDC(window));
    EXPECT_EQ(LiveObjects(), start);
}

TEST(GdiObjects, StockObjectsAreSharedUncountedAndNeverDeleted)
{
    const std::size_t start = LiveObjects();
    for (int index : {WHITE_BRUSH, GRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN, BLACK_PEN, NULL_PEN,
                      DEFAULT_GUI_FONT, ANSI_FIXED_FONT}) {
        HGDIOBJ stock = GetStockObject(index);
        ASSERT_NE(stock, nullptr) << index;
        EXPECT_EQ(GetStockObject(index), stock);
        EXPECT_TRUE(DeleteObject(stock)) << "deleting a stock object is a harmless success";
        EXPECT_NE(GetObjectType(stock), 0u) << "and the object lives on";
    }
    for (int index : {-1, 9, 255, 0xFF00}) EXPECT_EQ(GetStockObject(index), nullptr) << index;
    EXPECT_EQ(LiveObjects(), start);
}

TEST(GdiObjects, BadHandlesAndSizesFailWithoutHarm)
{
    Canvas canvas(4, 4);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush)) << "deleted twice";
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_EQ(SelectObject(canvas.dc, brush), nullptr);
    EXPECT_EQ(SelectObject(nullptr, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_FALSE(DeleteObject(canvas.dc)) << "a DC is released with DeleteDC";
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(canvas.bitmap)));
    EXPECT_EQ(CreateBitmap(0, 4, 1, 1, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, -1, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 1, 8, nullptr), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(canvas.dc, -3, 4), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 3, 4), nullptr);
    EXPECT_EQ(CreatePen(PS_SOLID, 3, 0), nullptr);
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);

    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_FALSE(DeleteDC(gone));
    EXPECT_FALSE(Rectangle(gone, 0, 0, 2, 2));
    EXPECT_FALSE(LineTo(gone, 1, 1));
    EXPECT_FALSE(BitBlt(canvas.dc, 0, 0, 2, 2, gone, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(gone, 0, 0, 2, 2, canvas.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(canvas.dc, 0, 0, 2, 2, canvas.dc, 0, 0, 0x00550009)) << "unsupported raster operation";
    EXPECT_FALSE(BitBlt(canvas.dc, 0, 0, -2, 2, canvas.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(gone, 0, 0), CLR_INVALID);
    EXPECT_EQ(SetBkMode(gone, TRANSPARENT), 0);
    EXPECT_EQ(gdi::SurfaceOf(gone), nullptr);
    EXPECT_EQ(GetPixel(canvas.dc, 4, 0), CLR_INVALID) << "outside the surface";
    EXPECT_EQ(SetPixel(canvas.dc, -1, 0, 0), CLR_INVALID);
}

TEST(GdiObjects, BitmapLivesInOneMemoryDcAtATime)
{
    Canvas canvas(4, 4);
    HDC other = CreateCompatibleDC(canvas.dc);
    EXPECT_EQ(SelectObject(other, canvas.bitmap), nullptr);
    gdi::Surface surface(4, 4, false);
    HDC window = gdi::CreateSurfaceDC(&surface);
    HBITMAP spare = CreateCompatibleBitmap(window, 2, 2);
    EXPECT_EQ(SelectObject(window, spare), nullptr) << "a window DC draws on its own surface";
    EXPECT_EQ(GetObjectType(window), OBJ_DC);
    EXPECT_EQ(GetObjectType(other), OBJ_MEMDC);
    EXPECT_EQ(gdi::SurfaceOf(window), &surface);
    DeleteObject(spare);
    DeleteDC(window);
    DeleteDC(other);
}

TEST(GdiObjects, CompatibleBitmapTakesTheKindOfTheDcsSurface)
{
    gdi::Surface surface(4, 4, false);
    HDC window = gdi::CreateSurfaceDC(&surface);
    HDC fresh = CreateCompatibleDC(window);
    HBITMAP colour = CreateCompatibleBitmap(window, 3, 3);
    // A fresh memory DC holds a 1 x 1 monochrome bitmap, so its compatible bitmaps are
    // monochrome, as on Windows.
    HBITMAP mono = CreateCompatibleBitmap(fresh, 3, 3);
    SelectObject(fresh, colour);
    EXPECT_FALSE(gdi::SurfaceOf(fresh)->Monochrome());
    SelectObject(fresh, mono);
    EXPECT_TRUE(gdi::SurfaceOf(fresh)->Monochrome());
    SelectObject(fresh, GetStockObject(BLACK_PEN));
    DeleteDC(fresh);
    EXPECT_TRUE(DeleteObject(colour));
    EXPECT_TRUE(DeleteObject(mono)) << "deleting the DC released its bitmap";
    DeleteDC(window);
}

TEST(GdiObjects, AttributesReturnTheirPreviousValues)
{
    Canvas canvas(2, 2);
    EXPECT_EQ(GetMapMode(canvas.dc), MM_TEXT);
    EXPECT_EQ(SetMapMode(canvas.dc, MM_TEXT), MM_TEXT);
    EXPECT_EQ(SetBkMode(canvas.dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(GetBkMode(canvas.dc), TRANSPARENT);
    EXPECT_EQ(SetBkColor(canvas.dc, RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(SetTextColor(canvas.dc, RGB(4, 5, 6)), RGB(0, 0, 0));
    EXPECT_EQ(SetArcDirection(canvas.dc, AD_CLOCKWISE), AD_COUNTERCLOCKWISE);
    EXPECT_EQ(SetArcDirection(canvas.dc, 7), 0);
    EXPECT_EQ(GetArcDirection(canvas.dc), AD_CLOCKWISE);
}

TEST(GdiObjects, MonochromePixelsReadAsBlackAndWhite)
{
    Canvas mono(2, 1, true);
    EXPECT_EQ(SetPixel(mono.dc, 0, 0, RGB(200, 190, 180)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(mono.dc, 1, 0, RGB(100, 10, 0)), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mono.dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(gdi::SurfaceOf(mono.dc)->Row(0)[0], 1u);
}

}  // namespace
