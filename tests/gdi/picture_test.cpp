// Draws one picture with every shape and the four turned texts and writes it as
// gdi_picture.png in the working directory, for a person to look at.

#include "tools/gdi_pictures/canvas.h"
#include "png.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void PaddlePies(HDC dc)
{
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 255));
    HBRUSH brush = CreateSolidBrush(RGB(0, 200, 0));
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    SetArcDirection(dc, AD_CLOCKWISE);
    Pie(dc, 194, 462, 318, 512, 0, 485, 512, 487);
    Pie(dc, 0, 194, 50, 318, 23, 0, 25, 512);
    SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    Pie(dc, 194, 0, 318, 50, 0, 23, 512, 25);
    Pie(dc, 462, 194, 512, 318, 485, 0, 487, 512);
    Ellipse(dc, 240, 240, 264, 264);
    for (int i = 0; i < 4; ++i) Rectangle(dc, 130 + 30 * i, 130, 155 + 30 * i, 155);
    MoveToEx(dc, 130, 170, nullptr);
    LineTo(dc, 250, 200);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
}

void Turned(HDC dc, const char* face, LONG height, LONG escapement, int x, int y, const char* text)
{
    LOGFONT description{};
    description.lfHeight = height;
    description.lfEscapement = escapement;
    description.lfWeight = FW_NORMAL;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirect(&description);
    HGDIOBJ old = SelectObject(dc, font);
    TextOut(dc, x, y, text, static_cast<int>(std::strlen(text)));
    SelectObject(dc, old);
    DeleteObject(font);
}

TEST(Picture, ShapesAndTurnedTextsAsPng)
{
    Canvas canvas(512, 512);
    SelectObject(canvas.dc, GetStockObject(GRAY_BRUSH));
    Rectangle(canvas.dc, 0, 0, 512, 512);
    PaddlePies(canvas.dc);
    SetBkMode(canvas.dc, TRANSPARENT);
    Turned(canvas.dc, "Curier New", 18, 0, 220, 465, "Bottom");
    Turned(canvas.dc, "Curier New", 18, 2700, 45, 220, "Left");
    Turned(canvas.dc, "Curier New", 18, 1800, 290, 45, "Top");
    Turned(canvas.dc, "Curier New", 18, 900, 467, 290, "Right");
    Turned(canvas.dc, "Magneto", 48, 0, 120, 60, "Quorvel!");
    Turned(canvas.dc, "Impact", 62, 0, 80, 300, "Sudden Death");
    SelectObject(canvas.dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT button{200, 400, 275, 420};
    DrawText(canvas.dc, "Start", -1, &button, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    EXPECT_TRUE(png::Write("gdi_picture.png", *gdi::SurfaceOf(canvas.dc)));
}

}  // namespace
