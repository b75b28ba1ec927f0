#include "support/field.h"
#include "ui/text.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class TextTest : public ::testing::Test {
protected:
    // The name text on the paddle of `side`, placed in its own font (the frame after the
    // paint cycle opened).
    CAngleText& NameOn(Side side)
    {
        return *dynamic_cast<CAngleText*>(field.PaddleOn(side)->GetChild(str("CText"), false, 1));
    }
    CGraphic& Box(const Rect& r)
    {
        auto* box = new CGraphic(LList<CObject>(false, 1, field.Screen()), r);
        return *box;
    }
    // The difference between the room left and right (or above and below) of `inner`.
    static LONG OffCentreX(const Rect& inner, const Rect& outer)
    {
        return (inner.left - outer.left) - (outer.right - inner.right);
    }
    // The rightmost pixel darker than the grey field left of x = 120 in rows top to
    // bottom, or -1.
    static int RightmostInk(HDC dc, int top, int bottom)
    {
        int rightmost = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 120; ++x)
                if (GetGValue(GetPixel(dc, x, y)) < 100 && x > rightmost) rightmost = x;
        return rightmost;
    }
    static LONG OffCentreY(const Rect& inner, const Rect& outer)
    {
        return (inner.top - outer.top) - (outer.bottom - inner.bottom);
    }

    Field field;
};

TEST_F(TextTest, NamesOnPaddlesAreTurnedToTheMiddleAndCentred)
{
    field.Match(true);
    field.Frame();
    const struct {
        Side side;
        const char* type;
        bool upright;  // runs along x
    } cases[] = {{SideBottom, "CLRText", true},
                 {SideLeft, "CUDText", false},
                 {SideTop, "CRLText", true},
                 {SideRight, "CDUText", false}};
    for (const auto& c : cases) {
        CAngleText& name = NameOn(c.side);
        const Rect& paddle = field.PaddleOn(c.side)->rect;
        EXPECT_STREQ(name.type, c.type);
        EXPECT_STREQ(name.face, "Curier New");
        EXPECT_EQ(name.height, 18u);
        EXPECT_EQ(name.rect.width, paddle.width) << "the text keeps its parent's size";
        EXPECT_EQ(name.rect.height, paddle.height);
        const Rect& box = name.extent;
        EXPECT_GT(c.upright ? box.width : box.height, c.upright ? box.height : box.width) << c.type;
        EXPECT_GT(std::min(box.width, box.height), 8) << "measured in the 18-pixel font";
        EXPECT_LE(std::abs(OffCentreX(box, paddle)), 1) << c.type;
        EXPECT_LE(std::abs(OffCentreY(box, paddle)), 1) << c.type;
    }
}

// The reference corner is where the unturned text cell's top-left corner is drawn.
TEST_F(TextTest, TheReferenceCornerFollowsTheTurn)
{
    field.Match(true);
    field.Frame();
    {
        CAngleText& t = NameOn(SideBottom);
        const Rect& p = field.PaddleOn(SideBottom)->rect;
        EXPECT_EQ(t.rect.left, p.left + (p.width - t.extent.width) / 2);
        EXPECT_EQ(t.rect.top, p.top + (p.height - t.extent.height) / 2);
    }
    {
        CAngleText& t = NameOn(SideLeft);  // top to bottom: the cell hangs left of the point
        const Rect& p = field.PaddleOn(SideLeft)->rect;
        EXPECT_EQ(t.rect.left, p.right - (p.width - t.extent.width) / 2);
        EXPECT_EQ(t.rect.top, p.top + (p.height - t.extent.height) / 2);
        EXPECT_EQ(t.extent.right, t.rect.left);
    }
    {
        CAngleText& t = NameOn(SideTop);  // upside down: the cell lies left of and above the point
        const Rect& p = field.PaddleOn(SideTop)->rect;
        EXPECT_EQ(t.rect.left, p.right - (p.width - t.extent.width) / 2);
        EXPECT_EQ(t.rect.top, p.bottom - (p.height - t.extent.height) / 2);
        EXPECT_EQ(t.extent.bottom, t.rect.top);
    }
    {
        CAngleText& t = NameOn(SideRight);  // bottom to top: the cell stands above the point
        const Rect& p = field.PaddleOn(SideRight)->rect;
        EXPECT_EQ(t.rect.left, p.left + (p.width - t.extent.width) / 2);
        EXPECT_EQ(t.rect.top, p.bottom - (p.height - t.extent.height) / 2);
        EXPECT_EQ(t.extent.bottom, t.rect.top);
    }
}

// The longest name, of the widest letters: drawn smaller so that it stays on its paddle,
// still centred, and back at full size once the score (short) takes its place.
TEST_F(TextTest, ANameLongerThanItsPaddleIsDrawnSmallerToFitIt)
{
    field.data->players[0].name = str("MMMMMMMMMMMMMMM");
    field.data->players[1].name = str("Bartholomew the Unbreakable");
    field.Match(true);
    field.Frame();
    const LONG fullHeight = NameOn(SideTop).extent.height;
    field.Frame();
    for (Side side : {SideBottom, SideLeft}) {
        const Rect& box = NameOn(side).extent;
        const Rect& paddle = field.PaddleOn(side)->rect;
        EXPECT_LE(side == SideBottom ? box.width : box.height, side == SideBottom ? paddle.width : paddle.height);
        EXPECT_LT(side == SideBottom ? box.height : box.width, fullHeight) << "a smaller size of the face";
        EXPECT_GE(side == SideBottom ? box.height : box.width, 8) << "still a size that can be read";
        const LONG off = side == SideBottom ? OffCentreX(box, paddle) : OffCentreY(box, paddle);
        EXPECT_LE(std::abs(off), 1) << side;
    }
    NameOn(SideBottom).text = str("50");
    field.Frame();
    EXPECT_EQ(NameOn(SideBottom).extent.height, fullHeight) << "a short text is drawn full size again";
}

// The game-over title of the longest name, and a label too wide for its button.
TEST_F(TextTest, TitlesAndLabelsStayOnWhatTheyAreDrawnOn)
{
    CMainGame& game = field.Match(true);
    auto* title = new CLRText(str("MMMMMMMMMMMMMMM Wins!"), LList<CObject>(false, 1, &game), 48, str("Magneto"), Rect());
    const Rect button(100, 200, 180, 220);
    CText* label = MakeText(str("MMMMMMMMMMMMMMM (Network)"), TextNorm, LList<CObject>(false, 1, &Box(button)));
    field.Frame();
    field.Frame();
    EXPECT_GE(title->extent.left, 0);
    EXPECT_LE(title->extent.right, 512);
    EXPECT_GT(title->extent.width, 400) << "no smaller than it must be";
    EXPECT_LT(title->extent.height, 48) << "a smaller size of the face";
    ASSERT_TRUE(game.Paint(field.engine->memDC));
    EXPECT_GE(label->extent.left, button.left);
    EXPECT_LE(label->extent.right, button.right);
    EXPECT_GT(label->extent.width, 50) << "as much of it as fits";
}

TEST_F(TextTest, ATextFollowsItsParentWithoutDrifting)
{
    field.Match(true);
    field.Frame();
    CAngleText& name = NameOn(SideBottom);
    CPaddle& paddle = *field.PaddleOn(SideBottom);
    const LONG offset = name.rect.left - paddle.rect.left;
    paddle.SetPos(300);
    name.Animate();
    name.Animate();
    EXPECT_EQ(name.rect.left - paddle.rect.left, offset);
}

TEST_F(TextTest, AnEmptyTextMeasuresAtLeastTwoByTwo)
{
    field.Match(true);
    CText* text = MakeText(str(""), TextLR, LList<CObject>(false, 1, &Box(Rect(10, 10, 110, 40))));
    field.Frame();
    field.Frame();
    EXPECT_EQ(text->extent.width, 2);
    EXPECT_GE(text->extent.height, 2);
}

TEST_F(TextTest, ATitleIsCentredOnTheTopEdge)
{
    CMainGame& game = field.Match(true);
    CText* title = MakeText(str("Quorvel"), TextTitle, LList<CObject>(false, 1, &game));
    field.Frame();  // prepared at its first paint; measured in its font from the next frame
    field.Frame();
    EXPECT_STREQ(title->type, "CTitleText");
    EXPECT_EQ(title->rect.top, 0);
    EXPECT_EQ(title->rect.left, (512 - title->extent.width) / 2);
    EXPECT_GT(title->extent.height, 30) << "measured in the 48-pixel font";
}

TEST_F(TextTest, PlainTextsCentreOnTheParentOrEndFivePixelsBeforeIt)
{
    CMainGame& game = field.Match(true);
    const LList<CObject> inBox(false, 1, &Box(Rect(100, 200, 180, 220)));
    CText* centred = MakeText(str("Name"), TextNorm, inBox);
    auto* label = new CRightNormText(str("Label"), inBox, Rect());
    field.Frame();
    for (int repaint = 0; repaint < 3; ++repaint) {
        ASSERT_TRUE(game.Paint(field.engine->memDC));
        EXPECT_EQ(RightmostInk(field.engine->memDC, 200, 220), 94) << "however often it is painted";
    }
    EXPECT_EQ(label->extent.left, 15) << "measured from the drawing box's left edge";
    EXPECT_GT(label->extent.width, 10);
    EXPECT_LE(std::abs(OffCentreX(centred->extent, Rect(100, 200, 180, 220))), 1);
    EXPECT_LE(std::abs(OffCentreY(centred->extent, Rect(100, 200, 180, 220))), 1);
    EXPECT_GT(centred->extent.width, 10);
}

TEST_F(TextTest, MakeTextBuildsTheClassOfEachDirection)
{
    CMainGame& game = field.Match();
    const LList<CObject> here(false, 1, &game);
    const struct {
        ETextDir dir;
        const char* type;
        const char* face;
        unsigned int height;
        unsigned int angle;
    } cases[] = {{TextUD, "CUDText", "Curier New", 18, 2700}, {TextDU, "CDUText", "Curier New", 18, 900},
                 {TextLR, "CLRText", "Curier New", 18, 0},    {TextRL, "CRLText", "Curier New", 18, 1800},
                 {TextTitle, "CTitleText", "Magneto", 48, 0}};
    for (const auto& c : cases) {
        auto* text = dynamic_cast<CAngleText*>(MakeText(str("x"), c.dir, here));
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text->type, c.type);
        EXPECT_STREQ(text->face, c.face);
        EXPECT_EQ(text->height, c.height);
        EXPECT_EQ(text->angle, c.angle);
        EXPECT_TRUE(text->HasType(str("CGraphic")));
    }
    EXPECT_STREQ(MakeText(str("x"), TextNorm, here)->type, "CNormText");
    const unsigned int before = game.children.Count();
    EXPECT_EQ(MakeText(str("x"), static_cast<ETextDir>(6), here), nullptr);
    EXPECT_EQ(game.children.Count(), before);
}

TEST_F(TextTest, FontsLiveOnlyWhileTheScreenIsPainted)
{
    const DWORD start = Field::GdiObjects();
    CMainGame& game = field.Match(true);
    field.Frame();
    EXPECT_NE(NameOn(SideTop).font, nullptr);
    field.engine->EndPaint();
    EXPECT_EQ(NameOn(SideTop).font, nullptr);
    EXPECT_EQ(Field::GdiObjects(), start);
    delete &game;
}

}  // namespace
