#include "tools/gdi_pictures/canvas.h"
#include "platform/gdi/font.h"
#include "platform/gdi/surface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);

// A font made as the program makes its turned texts, selected into a DC while alive.
class FontIn {
public:
    FontIn(HDC dc, const char* face, LONG height, LONG escapement = 0) : dc(dc)
    {
        LOGFONT description{};
        description.lfHeight = height;
        description.lfEscapement = escapement;
        description.lfOrientation = escapement;
        description.lfWeight = FW_NORMAL;
        std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
        font = CreateFontIndirect(&description);
        old = SelectObject(dc, font);
    }
    ~FontIn()
    {
        SelectObject(dc, old);
        DeleteObject(font);
    }
    FontIn(const FontIn&) = delete;
    FontIn& operator=(const FontIn&) = delete;

    HDC dc;
    HFONT font;
    HGDIOBJ old;
};

SIZE Extent(HDC dc, const std::string& text)
{
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size));
    return size;
}

std::string FamilyOf(HGDIOBJ font)
{
    gdi::FontFace* face = gdi::FindAs<gdi::Font>(font, gdi::Kind::Font)->Face();
    return face ? gdi::FamilyName(*face) : "";
}

struct FaceCase {
    const char* face;
    LONG height;
    const char* family;
};

TEST(Text, EachFaceOfTheProgramMeasuresStablyInItsMappedFont)
{
    const FaceCase faces[] = {
        {"Magneto", 48, "Lobster Two"},
        {"Impact", 62, "Roboto Condensed"},
        {"Curier New", 18, "Liberation Mono"},
    };
    for (const FaceCase& c : faces) {
        Canvas canvas(300, 100);
        FontIn font(canvas.dc, c.face, c.height);
        EXPECT_EQ(FamilyOf(font.font), c.family) << c.face;
        const SIZE first = Extent(canvas.dc, "Quorvel!");
        EXPECT_GT(first.cx, 0) << c.face;
        EXPECT_EQ(first.cy, c.height) << c.face << ": a positive height is the cell height";
        TextOut(canvas.dc, 0, 0, "Quorvel!", 8);
        const SIZE again = Extent(canvas.dc, "Quorvel!");
        EXPECT_EQ(again.cx, first.cx) << c.face;
        EXPECT_EQ(again.cy, first.cy) << c.face;
    }
}

TEST(Text, StockFontsAreSmallSansAndFixedPitch)
{
    Canvas canvas(100, 30);
    SelectObject(canvas.dc, GetStockObject(DEFAULT_GUI_FONT));
    const SIZE gui = Extent(canvas.dc, "Start");
    EXPECT_GE(gui.cy, 11);
    EXPECT_LE(gui.cy, 15) << "an 8-point UI font";
    EXPECT_GT(gui.cx, 15);
    SelectObject(canvas.dc, GetStockObject(ANSI_FIXED_FONT));
    EXPECT_EQ(Extent(canvas.dc, "iii").cx, Extent(canvas.dc, "WWW").cx) << "fixed pitch";
    EXPECT_GT(Extent(canvas.dc, "W").cx, 0);
}

TEST(Text, UnknownAndOverlongFaceNamesFallBackToTheDefaultSans)
{
    Canvas canvas(200, 40);
    LOGFONT description{};
    description.lfHeight = 20;
    std::memset(description.lfFaceName, 'x', LF_FACESIZE);  // no terminator at all
    HFONT font = CreateFontIndirect(&description);
    HGDIOBJ old = SelectObject(canvas.dc, font);
    EXPECT_GT(Extent(canvas.dc, "text").cx, 0);
    EXPECT_TRUE(TextOut(canvas.dc, 2, 2, "text", 4));
    EXPECT_NE(canvas.Painted().right, 0) << "the text is drawn, not dropped";
    SelectObject(canvas.dc, old);
    DeleteObject(font);
}

// Where the reference point (100, 100) puts a text w wide and h high for each
// escapement: the box of the turned text cell.
RECT Expected(LONG escapement, SIZE s)
{
    switch (escapement) {
    case 900: return RECT{100, 100 - s.cx, 100 + s.cy, 100};
    case 1800: return RECT{100 - s.cx, 100 - s.cy, 100, 100};
    case 2700: return RECT{100 - s.cy, 100, 100, 100 + s.cx};
    default: return RECT{100, 100, 100 + s.cx, 100 + s.cy};
    }
}

// Ink in the quarter of the box nearest each of its sides: left, top, right, bottom.
std::array<int, 4> InkBySide(const Canvas& canvas, const RECT& box)
{
    std::array<int, 4> ink{};
    const LONG w = box.right - box.left, h = box.bottom - box.top;
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left; x < box.right; ++x) {
            if (GetPixel(canvas.dc, x, y) == White) continue;
            ink[0] += x < box.left + w / 4;
            ink[1] += y < box.top + h / 4;
            ink[2] += x >= box.right - w / 4;
            ink[3] += y >= box.bottom - h / 4;
        }
    return ink;
}

TEST(Text, EscapementsTurnTheTextAboutItsReferencePoint)
{
    // Capital T has its ink at the top of the letters, which shows where their tops face.
    const std::string text = "TTTTT";
    for (const LONG escapement : {0, 900, 1800, 2700}) {
        Canvas canvas(200, 200);
        FontIn font(canvas.dc, "Curier New", 18, escapement);
        SetBkMode(canvas.dc, TRANSPARENT);
        const SIZE size = Extent(canvas.dc, text);
        ASSERT_TRUE(TextOut(canvas.dc, 100, 100, text.c_str(), static_cast<int>(text.size())));
        const RECT box = Expected(escapement, size), painted = canvas.Painted();
        EXPECT_GE(painted.left, box.left) << escapement;
        EXPECT_GE(painted.top, box.top) << escapement;
        EXPECT_LE(painted.right, box.right) << escapement;
        EXPECT_LE(painted.bottom, box.bottom) << escapement;
        const std::array<int, 4> ink = InkBySide(canvas, box);
        const int tops = escapement == 0 ? 1 : escapement == 900 ? 0 : escapement == 1800 ? 3 : 2;
        EXPECT_GT(ink[static_cast<std::size_t>(tops)], 2 * ink[static_cast<std::size_t>((tops + 2) % 4)])
            << escapement << ": the letters' tops face the expected side";
    }
}

// A clip box whose four edges cut through the text keeps exactly the pixels of the
// unclipped text that lie inside it, whichever way the text is turned.
TEST(Text, TurnedTextUnderAClipBoxKeepsTheUnclippedPixelsInsideIt)
{
    const std::string text = "Quorvel";
    for (const LONG escapement : {0, 900, 1800, 2700}) {
        Canvas whole(200, 200), clipped(200, 200);
        RECT clip{};
        for (Canvas* canvas : {&whole, &clipped}) {
            FontIn font(canvas->dc, "Curier New", 18, escapement);
            SetBkMode(canvas->dc, TRANSPARENT);
            const RECT box = Expected(escapement, Extent(canvas->dc, text));
            const LONG w = box.right - box.left, h = box.bottom - box.top;
            clip = RECT{box.left + w / 4, box.top + h / 4, box.right - w / 4, box.bottom - h / 4};
            if (canvas == &clipped) IntersectClipRect(canvas->dc, clip.left, clip.top, clip.right, clip.bottom);
            ASSERT_TRUE(TextOut(canvas->dc, 100, 100, text.c_str(), static_cast<int>(text.size())));
        }
        int inked = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                const COLORREF expected = inside ? GetPixel(whole.dc, x, y) : White;
                ASSERT_EQ(GetPixel(clipped.dc, x, y), expected) << escapement << " at " << x << "," << y;
                inked += inside && expected != White;
            }
        EXPECT_GT(inked, 0) << escapement << ": the box cuts through the text";
    }
}

TEST(Text, DrawTextMeasuresLikeGetTextExtentAndPlacesTheLine)
{
    Canvas canvas(200, 60);
    SelectObject(canvas.dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(canvas.dc, TRANSPARENT);
    const SIZE size = Extent(canvas.dc, "Player 1");
    RECT calc{10, 20, 11, 21};
    EXPECT_EQ(DrawText(canvas.dc, "Player 1", -1, &calc, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_CENTER),
              size.cy);
    EXPECT_EQ(calc.left, 10);
    EXPECT_EQ(calc.top, 20);
    EXPECT_EQ(calc.right - calc.left, size.cx);
    EXPECT_EQ(calc.bottom - calc.top, size.cy);
    EXPECT_EQ(canvas.Painted().right, 0) << "measuring draws nothing";

    RECT box{20, 10, 180, 50};
    DrawText(canvas.dc, "Player 1", 8, &box, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    const RECT painted = canvas.Painted();
    const LONG left = 20 + (160 - size.cx) / 2, top = 10 + (40 - size.cy) / 2;
    EXPECT_GE(painted.left, left);
    EXPECT_LE(painted.right, left + size.cx);
    EXPECT_GE(painted.top, top);
    EXPECT_LE(painted.bottom, top + size.cy);

    Canvas right(200, 60);
    SelectObject(right.dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT label{0, 0, 95, 60};
    SetBkMode(right.dc, TRANSPARENT);
    DrawText(right.dc, "Name", 4, &label, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    EXPECT_LE(right.Painted().right, 95);
    EXPECT_GE(right.Painted().right, 90) << "right-aligned text ends at the edge";
}

TEST(Text, DrawTextWithoutSingleLineBreaksLinesAtNewlines)
{
    Canvas canvas(10, 10);
    FontIn font(canvas.dc, "Curier New", 18);
    RECT box{5, 5, 5, 5};
    EXPECT_EQ(DrawText(canvas.dc, "ab\r\nabcd\nc", -1, &box, DT_CALCRECT), 3 * 18);
    EXPECT_EQ(box.right - box.left, Extent(canvas.dc, "abcd").cx);
    EXPECT_EQ(box.bottom - box.top, 3 * 18);
}

TEST(Text, DrawTextClipsToItsRectangleUnlessToldNot)
{
    Canvas canvas(100, 40);
    FontIn font(canvas.dc, "Curier New", 18);
    SetBkMode(canvas.dc, TRANSPARENT);
    RECT box{10, 10, 30, 30};
    DrawText(canvas.dc, "MMMMMM", 6, &box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    const RECT clipped = canvas.Painted();
    EXPECT_GE(clipped.left, 10);
    EXPECT_LE(clipped.right, 30);
    DrawText(canvas.dc, "MMMMMM", 6, &box, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    EXPECT_LT(canvas.Painted().left, 10);
}

TEST(Text, AmpersandsAreMnemonicPrefixesUnlessDisabled)
{
    Canvas canvas(10, 10);
    FontIn font(canvas.dc, "Curier New", 18);
    RECT a{0, 0, 0, 0}, b{0, 0, 0, 0}, c{0, 0, 0, 0};
    DrawText(canvas.dc, "A&B", 3, &a, DT_CALCRECT | DT_SINGLELINE);
    DrawText(canvas.dc, "AB", 2, &b, DT_CALCRECT | DT_SINGLELINE);
    DrawText(canvas.dc, "A&B", 3, &c, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(a.right, b.right);
    EXPECT_GT(c.right, b.right);
}

TEST(Text, BackgroundModeDecidesWhetherTheCellIsFilled)
{
    Canvas canvas(60, 30);
    FontIn font(canvas.dc, "Curier New", 18);
    SetBkColor(canvas.dc, RGB(0, 0, 255));
    TextOut(canvas.dc, 0, 0, "i", 1);
    EXPECT_EQ(GetPixel(canvas.dc, 0, 0), RGB(0, 0, 255)) << "opaque fills the cell";
    SetBkMode(canvas.dc, TRANSPARENT);
    TextOut(canvas.dc, 30, 0, "i", 1);
    EXPECT_EQ(GetPixel(canvas.dc, 30, 0), White) << "transparent leaves it";
}

TEST(Text, MonochromeSurfacesGetSolidText)
{
    Canvas mono(60, 30, true);
    FontIn font(mono.dc, "Curier New", 18);
    SetBkMode(mono.dc, TRANSPARENT);
    TextOut(mono.dc, 2, 2, "HH", 2);
    const std::string picture = mono.Picture(RGB(0, 0, 0));
    EXPECT_NE(picture.find('#'), std::string::npos);
    EXPECT_EQ(picture.find('?'), std::string::npos);
}

TEST(Text, EachGlyphIsRenderedOncePerFontHoweverOftenDrawn)
{
    Canvas canvas(200, 60);
    const std::size_t start = gdi::GlyphRenderCount();
    {
        FontIn font(canvas.dc, "Curier New", 37);
        for (int i = 0; i < 5; ++i) TextOut(canvas.dc, 0, 0, "QzQz", 4);
        EXPECT_EQ(gdi::GlyphRenderCount(), start + 2);
    }
    {
        FontIn again(canvas.dc, "Curier New", 37);
        TextOut(canvas.dc, 0, 0, "zQ", 2);
        EXPECT_EQ(gdi::GlyphRenderCount(), start + 2) << "a font made again finds its glyphs";
    }
    FontIn other(canvas.dc, "Curier New", 38);
    TextOut(canvas.dc, 0, 0, "Qz", 2);
    EXPECT_EQ(gdi::GlyphRenderCount(), start + 4);
}

TEST(Text, BadArgumentsFail)
{
    Canvas canvas(10, 10);
    SIZE size{};
    RECT rect{0, 0, 5, 5};
    EXPECT_FALSE(TextOut(nullptr, 0, 0, "a", 1));
    EXPECT_FALSE(TextOut(canvas.dc, 0, 0, nullptr, 1));
    EXPECT_FALSE(TextOut(canvas.dc, 0, 0, "a", -2));
    EXPECT_TRUE(TextOut(canvas.dc, 0, 0, "", 0));
    EXPECT_FALSE(GetTextExtentPoint32(canvas.dc, "a", 1, nullptr));
    EXPECT_FALSE(GetTextExtentPoint(nullptr, "a", 1, &size));
    EXPECT_EQ(DrawText(canvas.dc, "a", 1, nullptr, DT_SINGLELINE), 0);
    EXPECT_EQ(DrawText(canvas.dc, nullptr, 1, &rect, DT_SINGLELINE), 0);
}

}  // namespace
