// Painting only what changed: a still screen paints nothing, a graphic that moves or
// changes its look is painted again where it was and where it is, one that goes is
// painted over, a state that jumps is painted right, and the paint check names a
// graphic whose look leaves out something it paints.

#include "support/field.h"

#include "gfx/background.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A 10 x 10 square in a colour that its look names, or (when `honest` is false) leaves
// out.
class Square : public CGraphic {
public:
    Square(const LList<CObject>& parents, bool honest) : CGraphic(parents, Rect(100, 100, 110, 110)), honest(honest)
    {
        type.Load("Square");
    }
    bool Paint(HDC dc) override
    {
        if (!CGraphic::Paint(dc)) return false;
        HBRUSH brush = CreateSolidBrush(color);
        SelectObject(dc, brush);
        SelectObject(dc, GetStockObject(NULL_PEN));
        Rectangle(dc, rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(brush);
        return true;
    }
    void DescribeLook(PaintLook& look) override
    {
        if (honest) look.Add(color);
    }
    COLORREF color = RGB(255, 0, 0);
    bool honest;
};

class Board : public CGame {
public:
    Board(const LList<CObject>& parents, bool honest) : CGame(parents)
    {
        new CBackground(LList<CObject>(false, 1, this), RequireData(this, "::Board").client);
        square = new Square(LList<CObject>(false, 1, this), honest);
    }
    Square* square;
};

class PartialPaint : public ::testing::Test {
protected:
    Board& Open(bool honest)
    {
        auto* board = new Board(LList<CObject>(false, 1, field.engine), honest);
        field.engine->InitPaint();
        Frame();
        return *board;
    }
    void Frame()
    {
        field.engine->Animate();
        field.engine->Paint();
    }
    const std::vector<RECT>& Parts() { return field.engine->parts; }
    COLORREF Pixel(int x, int y) { return GetPixel(field.engine->memDC, x, y); }

    Field field;
};

bool Holds(const std::vector<RECT>& parts, const RECT& area)
{
    for (const RECT& part : parts)
        if (part.left <= area.left && part.top <= area.top && part.right >= area.right && part.bottom >= area.bottom)
            return true;
    return false;
}

TEST_F(PartialPaint, OnlyWhatChangedIsPaintedAgain)
{
    Board& board = Open(true);
    Frame();
    EXPECT_TRUE(Parts().empty()) << "nothing moved: nothing is painted";

    OffsetRect(&board.square->rect, 20, 0);
    board.square->rect.Recalc();
    Frame();
    ASSERT_EQ(Parts().size(), 2u) << "where it was and where it is, apart";
    EXPECT_TRUE(Holds(Parts(), RECT{100, 100, 110, 110}));
    EXPECT_TRUE(Holds(Parts(), RECT{120, 100, 130, 110}));
    EXPECT_EQ(Pixel(105, 105), RGB(128, 128, 128));
    EXPECT_EQ(Pixel(125, 105), RGB(255, 0, 0));

    board.square->color = RGB(0, 0, 255);
    Frame();
    ASSERT_EQ(Parts().size(), 1u) << "a new look where it stands";
    EXPECT_EQ(Pixel(125, 105), RGB(0, 0, 255));

    delete board.square;
    Frame();
    EXPECT_TRUE(Holds(Parts(), RECT{120, 100, 130, 110})) << "what went is painted over";
    EXPECT_EQ(Pixel(125, 105), RGB(128, 128, 128));
}

TEST_F(PartialPaint, AMatchWhoseBallJumpsIsPaintedRight)
{
    field.Mice();
    field.Match(true);
    field.SkipCountdown();
    for (int i = 0; i < 5; ++i) field.Frame();
    CBall& ball = field.Ball();
    const COLORREF inside = Pixel((ball.rect.left + ball.rect.right) / 2, (ball.rect.top + ball.rect.bottom) / 2);
    const POINT was{(ball.rect.left + ball.rect.right) / 2, (ball.rect.top + ball.rect.bottom) / 2};
    OffsetRect(&ball.rect, 290 - ball.rect.left, 430 - ball.rect.top);  // as a seek or a correction would
    ball.rect.Recalc();
    field.engine->Paint();
    EXPECT_EQ(Pixel((ball.rect.left + ball.rect.right) / 2, (ball.rect.top + ball.rect.bottom) / 2), inside);
    EXPECT_NE(Pixel(was.x, was.y), inside);
}

TEST(PaintCheckDeathTest, AGraphicWhoseLookLeavesOutItsColourIsNamed)
{
    EXPECT_DEATH(
        {
            setenv("QUORVEL_PAINT_CHECK", "1", 1);
            Field field;
            auto* board = new Board(LList<CObject>(false, 1, field.engine), false);
            field.engine->InitPaint();
            field.engine->Paint();
            board->square->color = RGB(0, 0, 255);
            field.engine->Paint();
        },
        "pixel \\(100, 100\\).*painted there last: CBackground, Square");
}

}  // namespace
