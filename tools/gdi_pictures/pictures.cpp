#include "tools/gdi_pictures/pictures.h"

#include "tools/gdi_pictures/canvas.h"

#include <cstddef>

namespace pictures {

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);

enum Side { Left, Top, Right, Bottom };

// Every pixel of a canvas, row by row.
Picture Read(const Canvas& canvas, const std::string& name)
{
    Picture picture{name, canvas.width, canvas.height, {}};
    picture.pixels.reserve(static_cast<std::size_t>(canvas.width) * canvas.height);
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) picture.pixels.push_back(GetPixel(canvas.dc, x, y) & 0xFFFFFF);
    return picture;
}

// A pen and a brush selected into a DC for as long as the object lives: the game's
// solid tools (a zero-width pen), or stock objects.
class Tools {
public:
    Tools(HDC dc, COLORREF pen, COLORREF brush)
        : dc(dc), pen(CreatePen(PS_SOLID, 0, pen)), brush(CreateSolidBrush(brush)),
          oldPen(SelectObject(dc, this->pen)), oldBrush(SelectObject(dc, this->brush))
    {
    }
    Tools(HDC dc, int stockPen, int stockBrush)
        : dc(dc), pen(nullptr), brush(nullptr), oldPen(SelectObject(dc, GetStockObject(stockPen))),
          oldBrush(SelectObject(dc, GetStockObject(stockBrush)))
    {
    }
    ~Tools()
    {
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        if (pen) DeleteObject(pen);
        if (brush) DeleteObject(brush);
    }
    Tools(const Tools&) = delete;
    Tools& operator=(const Tools&) = delete;

private:
    HDC dc;
    HPEN pen;
    HBRUSH brush;
    HGDIOBJ oldPen;
    HGDIOBJ oldBrush;
};

// The inner half of the ellipse that doubles `r` outward from `side`, as the game draws
// rounded paddles and buttons: the radial points sit just beside the flat edge, out to
// the far end of the field, and the arc direction keeps the half on the field's side.
void HalfEllipse(HDC dc, RECT r, Side side, int fieldEnd)
{
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    switch (side) {
    case Left:
        SetArcDirection(dc, AD_CLOCKWISE);
        Pie(dc, r.left - w, r.top, r.right, r.bottom, r.left - 2, 0, r.left, fieldEnd);
        break;
    case Top:
        SetArcDirection(dc, AD_COUNTERCLOCKWISE);
        Pie(dc, r.left, r.top - h, r.right, r.bottom, 0, r.top - 2, fieldEnd, r.top);
        break;
    case Right:
        SetArcDirection(dc, AD_COUNTERCLOCKWISE);
        Pie(dc, r.left, r.top, r.right + w, r.bottom, r.right - 2, 0, r.right, fieldEnd);
        break;
    case Bottom:
        SetArcDirection(dc, AD_CLOCKWISE);
        Pie(dc, r.left, r.top, r.right, r.bottom + h, 0, r.bottom - 2, fieldEnd, r.bottom);
        break;
    }
}

void Box(HDC dc, RECT r) { Rectangle(dc, r.left, r.top, r.right, r.bottom); }

// A rectangle `across` by `along` laid against `side` of a square field of `size`
// pixels, `inset` pixels from that side, centred along it.
RECT AgainstSide(Side side, int size, int along, int across, int inset)
{
    const int start = (size - along) / 2;
    switch (side) {
    case Left: return {inset, start, inset + across, start + along};
    case Top: return {start, inset, start + along, inset + across};
    case Right: return {size - inset - across, start, size - inset, start + along};
    default: return {start, size - inset - across, start + along, size - inset};
    }
}

// ---- the pictures ------------------------------------------------------------------

Picture Rectangles()
{
    Canvas canvas(72, 40, false, kGrey);
    {
        Tools tools(canvas.dc, BLACK_PEN, WHITE_BRUSH);
        Box(canvas.dc, {2, 2, 13, 9});    // odd sizes
        Box(canvas.dc, {16, 2, 28, 10});  // even sizes
        Box(canvas.dc, {31, 2, 32, 3});   // one pixel
        Box(canvas.dc, {35, 2, 37, 4});   // two by two
        Box(canvas.dc, {40, 2, 43, 5});   // three by three
        Box(canvas.dc, {31, 6, 32, 11});  // one pixel wide
        Box(canvas.dc, {35, 8, 41, 9});   // one pixel high
    }
    {
        Tools tools(canvas.dc, kRed, kRed);  // the game's solid look
        Box(canvas.dc, {2, 14, 13, 21});
        Box(canvas.dc, {16, 14, 28, 22});
    }
    {
        Tools tools(canvas.dc, NULL_PEN, WHITE_BRUSH);  // fill without the right column and bottom row
        Box(canvas.dc, {2, 26, 13, 33});
        Box(canvas.dc, {16, 26, 28, 34});
        Box(canvas.dc, {31, 26, 33, 28});
    }
    {
        Tools tools(canvas.dc, kBlue, kYellow);
        Box(canvas.dc, {46, 2, 70, 38});
        Tools inner(canvas.dc, WHITE_PEN, GRAY_BRUSH);
        Box(canvas.dc, {50, 6, 66, 34});
    }
    return Read(canvas, "rectangles");
}

Picture Ellipses()
{
    Canvas canvas(100, 44, false, kGrey);
    {
        Tools tools(canvas.dc, BLACK_PEN, WHITE_BRUSH);
        int x = 2;
        for (int size = 1; size <= 9; ++size) {
            Ellipse(canvas.dc, x, 2, x + size, 2 + size);
            x += size + 2;
        }
        Ellipse(canvas.dc, 2, 14, 17, 24);   // odd by even
        Ellipse(canvas.dc, 20, 14, 36, 25);  // even by odd
        Ellipse(canvas.dc, 40, 14, 64, 22);  // flat
        Ellipse(canvas.dc, 66, 2, 74, 42);   // tall
    }
    {
        Tools tools(canvas.dc, kCyan, kCyan);  // the ball: 2 * radius across
        Ellipse(canvas.dc, 76, 2, 100, 26);
    }
    {
        Tools tools(canvas.dc, NULL_PEN, WHITE_BRUSH);
        Ellipse(canvas.dc, 2, 28, 15, 41);
        Ellipse(canvas.dc, 20, 28, 34, 42);
    }
    return Read(canvas, "ellipses");
}

// A pie in both arc directions, for radial points on every side and beyond the box.
Picture Pies(int direction, const char* name)
{
    Canvas canvas(120, 64, false, kGrey);
    SetArcDirection(canvas.dc, direction);
    Tools tools(canvas.dc, kBlue, kGreen);
    struct Case {
        RECT box;
        POINT from, to;
    };
    const Case cases[] = {
        {{2, 2, 27, 27}, {40, 14}, {14, -10}},     // a quarter (or three)
        {{30, 2, 56, 28}, {43, -20}, {43, 60}},    // a half through the centre
        {{60, 2, 85, 19}, {0, 10}, {120, 11}},     // a flat half
        {{88, 2, 118, 30}, {103, 16}, {118, 16}},  // from the centre itself
        {{2, 32, 29, 61}, {15, 32}, {15, 32}},     // both points the same: the whole ellipse
        {{32, 32, 60, 62}, {60, 47}, {32, 62}},
        {{64, 34, 90, 58}, {77, 34}, {64, 46}},
        {{94, 34, 101, 41}, {94, 34}, {101, 41}},  // tiny
    };
    for (const Case& c : cases)
        Pie(canvas.dc, c.box.left, c.box.top, c.box.right, c.box.bottom, c.from.x, c.from.y, c.to.x, c.to.y);
    return Read(canvas, name);
}

// Rounded and square paddles and buttons against one side of a small field, in every
// look the game gives them. The paddle stands against the edge, so its outer half is
// clipped away as on the playfield.
Picture SideShapes(Side side, const char* name)
{
    constexpr int kField = 200;
    Canvas canvas(kField, kField, false, kGrey);
    const HDC dc = canvas.dc;
    {
        Tools paddle(dc, kRed, kRed);
        HalfEllipse(dc, AgainstSide(side, kField, 124, 25, 0), side, kField);
    }
    {
        Tools grabbing(dc, WHITE_PEN, BLACK_BRUSH);
        HalfEllipse(dc, AgainstSide(side, kField, 60, 12, 32), side, kField);
        Box(dc, AgainstSide(side, kField, 31, 9, 48));
    }
    {
        Tools button(dc, kBlue, kGreen);  // a button: blue outline
        HalfEllipse(dc, AgainstSide(side, kField, 73, 17, 64), side, kField);
        Box(dc, AgainstSide(side, kField, 73, 17, 120));
    }
    {
        Tools hover(dc, kYellow, kYellow);
        HalfEllipse(dc, AgainstSide(side, kField, 74, 18, 90), side, kField);
    }
    {
        Tools disabled(dc, kBlack, kYellow);
        HalfEllipse(dc, AgainstSide(side, kField, 36, 10, 150), side, kField);
        HalfEllipse(dc, AgainstSide(side, kField, 37, 11, 170), side, kField);
    }
    return Read(canvas, name);
}

// Shapes that cross every edge of the picture.
Picture Clipped()
{
    Canvas canvas(48, 48, false, kGrey);
    Tools tools(canvas.dc, BLACK_PEN, WHITE_BRUSH);
    Box(canvas.dc, {-6, -4, 9, 11});
    Box(canvas.dc, {40, -3, 55, 8});
    Ellipse(canvas.dc, -7, 36, 10, 53);
    Ellipse(canvas.dc, 37, 38, 58, 57);
    Ellipse(canvas.dc, 14, -9, 34, 9);
    Box(canvas.dc, {-3, 18, 51, 30});
    SetArcDirection(canvas.dc, AD_CLOCKWISE);
    Pie(canvas.dc, 14, 36, 34, 60, 0, 47, 48, 47);
    return Read(canvas, "clipped");
}

Picture Lines()
{
    Canvas canvas(64, 64, false, kGrey);
    Tools tools(canvas.dc, kWhite, kWhite);
    const POINT ends[] = {{60, 32}, {60, 4},  {32, 4},   {4, 4},   {4, 32}, {4, 60}, {32, 60}, {60, 60},
                          {60, 20}, {44, 4},  {20, 4},   {4, 44},  {20, 60}, {60, 43}};
    for (const POINT& end : ends) {
        MoveToEx(canvas.dc, 32, 32, nullptr);
        LineTo(canvas.dc, end.x, end.y);
    }
    Tools black(canvas.dc, BLACK_PEN, BLACK_BRUSH);
    MoveToEx(canvas.dc, -10, 2, nullptr);  // through the left and right edges
    LineTo(canvas.dc, 80, 8);
    MoveToEx(canvas.dc, 2, -10, nullptr);  // through the top and bottom edges
    LineTo(canvas.dc, 9, 80);
    MoveToEx(canvas.dc, 10, 62, nullptr);  // a caret: a vertical line to the bottom edge
    LineTo(canvas.dc, 10, 64);
    return Read(canvas, "lines");
}

// Lines that pass exactly half way between two pixels, in all eight directions.
Picture LineTies()
{
    Canvas canvas(72, 20, false, kGrey);
    Tools tools(canvas.dc, kWhite, kWhite);
    const RECT ties[] = {{1, 2, 15, 7},   {15, 12, 1, 7},  {17, 7, 31, 2},  {31, 12, 17, 17},
                         {34, 2, 39, 16}, {46, 16, 41, 2}, {48, 16, 53, 2}, {60, 2, 55, 16}};
    for (const RECT& tie : ties) {
        MoveToEx(canvas.dc, tie.left, tie.top, nullptr);
        LineTo(canvas.dc, tie.right, tie.bottom);
    }
    return Read(canvas, "line_ties");
}

// Colour to monochrome: the source's background colour becomes 1, all else 0;
// monochrome to colour: 1 becomes the destination's background colour, 0 its text colour.
Picture MonochromeConversions()
{
    Canvas source(24, 16, false, kBlue);
    {
        Tools tools(source.dc, kRed, kRed);
        Box(source.dc, {3, 3, 12, 12});
        Tools white(source.dc, WHITE_PEN, WHITE_BRUSH);
        Ellipse(source.dc, 12, 2, 22, 14);
    }
    Canvas mask(24, 16, true);
    Canvas canvas(52, 36, false, kGrey);
    SetBkColor(source.dc, kBlue);
    BitBlt(mask.dc, 0, 0, 24, 16, source.dc, 0, 0, SRCCOPY);
    BitBlt(canvas.dc, 2, 2, 24, 16, mask.dc, 0, 0, SRCCOPY);  // white and black by default
    SetBkColor(source.dc, kRed);
    BitBlt(mask.dc, 0, 0, 24, 16, source.dc, 0, 0, SRCCOPY);
    SetTextColor(canvas.dc, kYellow);
    SetBkColor(canvas.dc, kCyan);
    BitBlt(canvas.dc, 28, 2, 24, 16, mask.dc, 0, 0, SRCCOPY);
    BitBlt(canvas.dc, 2, 19, 24, 16, mask.dc, 0, 0, SRCAND);
    BitBlt(canvas.dc, 28, 19, 24, 16, mask.dc, 0, 0, SRCPAINT);
    return Read(canvas, "monochrome");
}

// The game's sprites: a monochrome mask, white around a black shape, ANDed onto the
// picture, then the shape on black ORed in; at every edge of the destination too.
Picture Sprites()
{
    constexpr int kSize = 24;
    Canvas sprite(kSize, kSize, false, kBlack);  // black around the shape, as a fresh bitmap
    Canvas mask(kSize, kSize, true);
    {
        Tools white(mask.dc, WHITE_PEN, WHITE_BRUSH);
        Box(mask.dc, {0, 0, kSize, kSize});
        Tools black(mask.dc, BLACK_PEN, BLACK_BRUSH);
        Ellipse(mask.dc, 0, 0, kSize, kSize);
        Tools ball(sprite.dc, kCyan, kCyan);
        Ellipse(sprite.dc, 0, 0, kSize, kSize);
    }
    Canvas canvas(64, 64, false, kGrey);
    {
        Tools stripes(canvas.dc, kRed, kRed);
        for (int x = 0; x < 64; x += 8) Box(canvas.dc, {x, 0, x + 3, 64});
    }
    const POINT places[] = {{20, 20}, {-9, 5}, {50, -11}, {49, 30}, {10, 51}, {-12, -12}, {52, 52}};
    for (const POINT& p : places) {
        BitBlt(canvas.dc, p.x, p.y, kSize, kSize, mask.dc, 0, 0, SRCAND);
        BitBlt(canvas.dc, p.x, p.y, kSize, kSize, sprite.dc, 0, 0, SRCPAINT);
    }
    return Read(canvas, "sprites");
}

// Colour copies that cross every edge of the destination, and a part of the source.
Picture Copies()
{
    Canvas source(20, 14, false, kYellow);
    {
        Tools tools(source.dc, BLACK_PEN, GRAY_BRUSH);
        Box(source.dc, {2, 2, 18, 12});
        MoveToEx(source.dc, 0, 0, nullptr);
        LineTo(source.dc, 20, 14);
    }
    Canvas canvas(48, 40, false, kBlue);
    const POINT places[] = {{-7, -5}, {35, -6}, {-8, 30}, {36, 31}, {14, 13}};
    for (const POINT& p : places) BitBlt(canvas.dc, p.x, p.y, 20, 14, source.dc, 0, 0, SRCCOPY);
    BitBlt(canvas.dc, 40, 14, 6, 5, source.dc, 13, 8, SRCCOPY);
    return Read(canvas, "copies");
}

}  // namespace

std::vector<Picture> DrawAll()
{
    return {
        Rectangles(),
        Ellipses(),
        Pies(AD_COUNTERCLOCKWISE, "pies_counterclockwise"),
        Pies(AD_CLOCKWISE, "pies_clockwise"),
        SideShapes(Left, "shapes_left"),
        SideShapes(Top, "shapes_top"),
        SideShapes(Right, "shapes_right"),
        SideShapes(Bottom, "shapes_bottom"),
        Clipped(),
        Lines(),
        LineTies(),
        MonochromeConversions(),
        Sprites(),
        Copies(),
    };
}

}  // namespace pictures
