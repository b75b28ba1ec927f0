#include "tools/gdi_pictures/canvas.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Green = RGB(0, 255, 0);

// Draws with a one-pixel blue pen and a green brush, or the given stock pen and brush.
class Tools {
public:
    Tools(HDC dc, HGDIOBJ penChoice = nullptr, HGDIOBJ brushChoice = nullptr)
        : dc(dc), pen(CreatePen(PS_SOLID, 0, Blue)), brush(CreateSolidBrush(Green))
    {
        oldPen = SelectObject(dc, penChoice ? penChoice : pen);
        oldBrush = SelectObject(dc, brushChoice ? brushChoice : brush);
    }
    ~Tools()
    {
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }

private:
    HDC dc;
    HPEN pen;
    HBRUSH brush;
    HGDIOBJ oldPen, oldBrush;
};

std::string Colours(const Canvas& canvas)
{
    std::string picture;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const COLORREF c = GetPixel(canvas.dc, x, y);
            picture += c == White ? '.' : c == Blue ? 'o' : c == Green ? '+' : c == Black ? '#' : '?';
        }
        picture += '\n';
    }
    return picture;
}

bool Same(const RECT& r, const RECT& expected)
{
    return r.left == expected.left && r.top == expected.top && r.right == expected.right &&
           r.bottom == expected.bottom;
}

TEST(Rectangle, PenBordersLeftToRightMinusOneAndFillsInside)
{
    Canvas canvas(8, 6);
    Tools tools(canvas.dc);
    EXPECT_TRUE(Rectangle(canvas.dc, 6, 4, 1, 1)) << "corners in either order";
    EXPECT_EQ(Colours(canvas),
              "........\n"
              ".ooooo..\n"
              ".o+++o..\n"
              ".ooooo..\n"
              "........\n"
              "........\n");
}

TEST(Rectangle, NullPenFillLosesRightColumnAndBottomRow)
{
    Canvas canvas(8, 6);
    Tools tools(canvas.dc, GetStockObject(NULL_PEN));
    Rectangle(canvas.dc, 1, 1, 6, 4);
    EXPECT_EQ(Colours(canvas),
              "........\n"
              ".++++...\n"
              ".++++...\n"
              "........\n"
              "........\n"
              "........\n");
}

TEST(Rectangle, NullBrushDrawsTheBorderOnly)
{
    Canvas canvas(6, 5);
    Tools tools(canvas.dc, nullptr, GetStockObject(NULL_BRUSH));
    Rectangle(canvas.dc, 0, 0, 5, 4);
    EXPECT_EQ(Colours(canvas),
              "ooooo.\n"
              "o...o.\n"
              "o...o.\n"
              "ooooo.\n"
              "......\n");
}

TEST(Rectangle, ClippedAtEveryEdge)
{
    Canvas canvas(4, 4);
    Tools tools(canvas.dc);
    EXPECT_TRUE(Rectangle(canvas.dc, -3, -3, 7, 7));
    EXPECT_EQ(Colours(canvas), "++++\n++++\n++++\n++++\n") << "the border lies outside";
    EXPECT_TRUE(Rectangle(canvas.dc, -100, 2, -50, 3)) << "wholly outside draws nothing";
    EXPECT_TRUE(Rectangle(canvas.dc, 2, 2, 2, 9)) << "an empty box draws nothing";
}

TEST(Ellipse, FitsTheBoxWithTheOutlineOverTheFill)
{
    Canvas canvas(10, 8);
    Tools tools(canvas.dc);
    EXPECT_TRUE(Ellipse(canvas.dc, 0, 0, 10, 8));
    EXPECT_EQ(Colours(canvas),
              "...oooo...\n"
              ".oo++++oo.\n"
              "o++++++++o\n"
              "o++++++++o\n"
              "o++++++++o\n"
              "o++++++++o\n"
              ".oo++++oo.\n"
              "...oooo...\n");
}

// The curve is traced a pixel at a time through the box's edges, as Windows draws it
// (this picture is Windows' own): the top and bottom runs are wider than the pixel
// centres inside the exact ellipse would make them.
TEST(Ellipse, OutlineIsWindowsTracedCurve)
{
    Canvas canvas(15, 10);
    Tools tools(canvas.dc, GetStockObject(BLACK_PEN), GetStockObject(NULL_BRUSH));
    Ellipse(canvas.dc, 0, 0, 15, 10);
    EXPECT_EQ(canvas.Picture(RGB(0, 0, 0)),
              "....#######....\n"
              "..##.......##..\n"
              ".#...........#.\n"
              "#.............#\n"
              "#.............#\n"
              "#.............#\n"
              "#.............#\n"
              ".#...........#.\n"
              "..##.......##..\n"
              "....#######....\n");
}

// Unlike a rectangle's, the fill of an ellipse without a pen reaches all four sides of
// its box (Windows' GDI draws it so); and a pen around a single pixel draws nothing.
TEST(Ellipse, NullPenFillsTheWholeBoxAndAOnePixelBoxStaysEmpty)
{
    Canvas canvas(10, 8);
    {
        Tools tools(canvas.dc, GetStockObject(NULL_PEN));
        Ellipse(canvas.dc, 0, 0, 10, 8);
    }
    EXPECT_TRUE(Same(canvas.Painted(), RECT{0, 0, 10, 8}));

    Canvas dot(4, 4);
    Tools pen(dot.dc, GetStockObject(BLACK_PEN));
    Ellipse(dot.dc, 1, 1, 2, 2);
    Rectangle(dot.dc, 2, 2, 3, 3);
    EXPECT_TRUE(Same(dot.Painted(), RECT{4, 4, 0, 0})) << "nothing painted";
}

TEST(Ellipse, MonochromeSurfaceGetsBlackAndWhite)
{
    Canvas mono(6, 6, true);
    Tools tools(mono.dc, GetStockObject(BLACK_PEN), GetStockObject(BLACK_BRUSH));
    Ellipse(mono.dc, 0, 0, 6, 6);
    EXPECT_EQ(mono.Picture(Black),
              "..##..\n"
              ".####.\n"
              "######\n"
              "######\n"
              ".####.\n"
              "..##..\n");
}

// For each quarter around the centre (5, 5) of a 10 x 10 box (top-right, top-left,
// bottom-left, bottom-right): 'X' when the pie covers all of the ellipse there, '-' when
// none of it.
std::string Quarters(const Canvas& pie)
{
    Canvas ellipse(10, 10);
    Ellipse(ellipse.dc, 0, 0, 10, 10);
    std::string quarters;
    const RECT boxes[] = {{5, 0, 10, 5}, {0, 0, 5, 5}, {0, 5, 5, 10}, {5, 5, 10, 10}};
    for (const RECT& box : boxes) {
        int painted = 0, all = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x) {
                const bool inEllipse = GetPixel(ellipse.dc, x, y) != White;
                all += inEllipse;
                painted += inEllipse && GetPixel(pie.dc, x, y) != White;
            }
        quarters += painted == all ? 'X' : painted == 0 ? '-' : '?';
    }
    return quarters;
}

struct PieCase {
    int direction;
    POINT first, second;
    const char* quarters;  // top-right, top-left, bottom-left, bottom-right
};

TEST(Pie, SweepsFromTheFirstRadialToTheSecondInTheArcDirection)
{
    const POINT right{10, 5}, up{5, 0}, left{0, 5}, down{5, 10};
    const PieCase cases[] = {
        {AD_COUNTERCLOCKWISE, right, up, "X---"},   {AD_COUNTERCLOCKWISE, up, left, "-X--"},
        {AD_COUNTERCLOCKWISE, left, down, "--X-"},  {AD_COUNTERCLOCKWISE, down, right, "---X"},
        {AD_CLOCKWISE, up, right, "X---"},          {AD_CLOCKWISE, left, up, "-X--"},
        {AD_CLOCKWISE, down, left, "--X-"},         {AD_CLOCKWISE, right, down, "---X"},
        {AD_CLOCKWISE, right, up, "-XXX"},          {AD_COUNTERCLOCKWISE, up, right, "-XXX"},
        {AD_COUNTERCLOCKWISE, right, left, "XX--"}, {AD_CLOCKWISE, right, left, "--XX"},
        {AD_COUNTERCLOCKWISE, right, right, "XXXX"},
    };
    for (const PieCase& c : cases) {
        Canvas canvas(10, 10);
        Tools tools(canvas.dc);
        SetArcDirection(canvas.dc, c.direction);
        EXPECT_TRUE(Pie(canvas.dc, 0, 0, 10, 10, c.first.x, c.first.y, c.second.x, c.second.y));
        EXPECT_EQ(Quarters(canvas), c.quarters)
            << "direction " << c.direction << " from (" << c.first.x << "," << c.first.y << ") to ("
            << c.second.x << "," << c.second.y << ")\n"
            << Colours(canvas);
    }
}

TEST(Pie, RadialPointsFarOutsideOnlyGiveDirections)
{
    Canvas near(10, 10), far(10, 10);
    {
        Tools tools(near.dc);
        Pie(near.dc, 0, 0, 10, 10, 10, 5, 5, 0);
    }
    Tools tools(far.dc);
    Pie(far.dc, 0, 0, 10, 10, 500, 5, 5, -300);
    EXPECT_EQ(Colours(near), Colours(far));
}

// A half-ellipse pie as the paddles and rounded buttons draw it: the shape must fill
// exactly the rectangle of the paddle or button, outlined along its flat edge.
struct HalfCase {
    const char* side;
    RECT ellipse;
    POINT first, second;
    int direction;
    RECT visible;
    POINT flatMiddle;
};

TEST(Pie, PaddleAndButtonHalvesFillTheirRectangles)
{
    const HalfCase cases[] = {
        {"bottom paddle", {194, 462, 318, 512}, {0, 485}, {512, 487}, AD_CLOCKWISE, {194, 462, 318, 487}, {256, 486}},
        {"left paddle", {0, 194, 50, 318}, {23, 0}, {25, 512}, AD_CLOCKWISE, {25, 194, 50, 318}, {25, 256}},
        {"top paddle", {194, 0, 318, 50}, {0, 23}, {512, 25}, AD_COUNTERCLOCKWISE, {194, 25, 318, 50}, {256, 25}},
        {"right paddle", {462, 194, 512, 318}, {485, 0}, {487, 512}, AD_COUNTERCLOCKWISE, {462, 194, 487, 318},
         {486, 256}},
        {"bottom button", {200, 400, 275, 440}, {0, 418}, {512, 420}, AD_CLOCKWISE, {200, 400, 275, 420}, {237, 419}},
        {"left button", {130, 100, 280, 120}, {203, 0}, {205, 512}, AD_CLOCKWISE, {205, 100, 280, 120}, {205, 110}},
        {"top button", {100, 60, 175, 100}, {0, 78}, {512, 80}, AD_COUNTERCLOCKWISE, {100, 80, 175, 100}, {137, 80}},
        {"right button", {300, 300, 450, 320}, {373, 0}, {375, 512}, AD_COUNTERCLOCKWISE, {300, 300, 375, 320},
         {374, 310}},
    };
    for (const HalfCase& c : cases) {
        Canvas canvas(512, 512);
        Tools tools(canvas.dc);
        SetArcDirection(canvas.dc, c.direction);
        Pie(canvas.dc, c.ellipse.left, c.ellipse.top, c.ellipse.right, c.ellipse.bottom, c.first.x, c.first.y,
            c.second.x, c.second.y);
        const RECT painted = canvas.Painted();
        EXPECT_TRUE(Same(painted, c.visible)) << c.side << ": painted " << painted.left << "," << painted.top
                                              << "," << painted.right << "," << painted.bottom;
        const RECT& v = c.visible;
        EXPECT_EQ(GetPixel(canvas.dc, c.flatMiddle.x, c.flatMiddle.y), Blue) << c.side;
        EXPECT_EQ(GetPixel(canvas.dc, (v.left + v.right) / 2, (v.top + v.bottom) / 2), Green) << c.side;
    }
}

TEST(Lines, LineToLeavesItsEndPixelAndMovesThePosition)
{
    Canvas canvas(6, 6);
    Tools tools(canvas.dc);
    POINT previous{};
    MoveToEx(canvas.dc, 1, 1, nullptr);
    LineTo(canvas.dc, 5, 1);
    LineTo(canvas.dc, 5, 4);
    MoveToEx(canvas.dc, 0, 5, &previous);
    EXPECT_EQ(previous.x, 5);
    EXPECT_EQ(previous.y, 4);
    LineTo(canvas.dc, 3, 2);
    EXPECT_EQ(Colours(canvas),
              "......\n"
              ".ooooo\n"
              ".....o\n"
              "..o..o\n"
              ".o....\n"
              "o.....\n");
}

TEST(Shapes, ExtremeCoordinatesAreClippedWithoutOverflow)
{
    Canvas canvas(4, 4);
    Tools tools(canvas.dc);
    const int low = INT32_MIN, high = INT32_MAX;
    EXPECT_TRUE(Rectangle(canvas.dc, low, low, high, high));
    EXPECT_EQ(GetPixel(canvas.dc, 3, 3), Green);
    EXPECT_TRUE(Ellipse(canvas.dc, low, low, high, high));
    EXPECT_TRUE(Pie(canvas.dc, low, low, high, high, 0, 0, high, low));
    SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    EXPECT_TRUE(Rectangle(canvas.dc, low, low, low, low));
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    MoveToEx(canvas.dc, low, 2, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc, high, 2)) << "a line from far left to far right takes no time";
    EXPECT_EQ(canvas.Picture(Black).substr(10, 4), "####");
}

TEST(Lines, NullPenMovesWithoutDrawingAndLinesClip)
{
    Canvas canvas(4, 4);
    Tools tools(canvas.dc, GetStockObject(NULL_PEN));
    MoveToEx(canvas.dc, 0, 0, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc, 3, 3));
    EXPECT_EQ(canvas.Picture(Blue), "....\n....\n....\n....\n");
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    MoveToEx(canvas.dc, -10, 1, nullptr);
    LineTo(canvas.dc, 10, 1);
    MoveToEx(canvas.dc, -1000000, -5, nullptr);
    LineTo(canvas.dc, 1000000, -5);
    EXPECT_EQ(canvas.Picture(Black), "....\n####\n....\n....\n");
}

}  // namespace
