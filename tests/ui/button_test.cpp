#include "support/menu_tree.h"
#include "ui/button.h"
#include "ui/text.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Calls {
    int count = 0;
    void* context = nullptr;
    CObject* screen = nullptr;
};
Calls calls;

bool Count(void* context, CObject* screen)
{
    ++calls.count;
    calls.context = context;
    calls.screen = screen;
    return true;
}

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override { calls = Calls{}; }

    // A red 75 x 20 button at (218, 452): x 218 to 292, y 452 to 471 are inside.
    CButton* MakeButton(const char* caption = "Start", EPadType shape = PadRectangular, Side side = SideBottom)
    {
        return new CButton(Count, &calls, 218, 452, str(caption), tree.OnScreen(), kRed, 75, 20, shape, side);
    }

    MenuTree tree;
};

TEST_F(ButtonTest, HeldLeftButtonCallsBackInEveryFrameWithContextAndScreen)
{
    CButton* button = MakeButton();
    tree.Move(250, 460);
    tree.Press();
    for (int frame = 0; frame < 3; ++frame) tree.Frame(*button);
    EXPECT_EQ(calls.count, 3);
    EXPECT_EQ(calls.context, &calls);
    EXPECT_EQ(calls.screen, tree.screen);

    tree.Release();
    tree.Frame(*button);
    EXPECT_EQ(calls.count, 3);
    EXPECT_TRUE(button->hover);
}

// A press and release that both arrive between two frames, as a quick click or a
// stalled machine delivers them, count as one frame of a held button: one call.
TEST_F(ButtonTest, AClickBetweenTwoFramesCallsBackExactlyOnce)
{
    CButton* button = MakeButton();
    tree.Move(250, 460);
    tree.Press();
    tree.Release();
    for (int frame = 0; frame < 3; ++frame) tree.Frame(*button);
    EXPECT_EQ(calls.count, 1);

    tree.Press();
    tree.Release();
    tree.Press();
    tree.Frame(*button);
    tree.Frame(*button);
    EXPECT_EQ(calls.count, 3) << "a press still held after a quick click keeps counting";
}

TEST_F(ButtonTest, LeftAndTopEdgesAreInsideRightAndBottomEdgesOutside)
{
    CButton* button = MakeButton();
    tree.Press();
    struct Probe {
        unsigned int x, y;
        bool inside;
    } probes[] = {{218, 452, true}, {292, 471, true}, {293, 460, false}, {250, 472, false}, {217, 460, false}};
    for (const Probe& p : probes) {
        calls.count = 0;
        tree.Move(p.x, p.y);
        button->Animate();
        EXPECT_EQ(button->hover, p.inside) << p.x << "," << p.y;
        EXPECT_EQ(calls.count, p.inside ? 1 : 0) << p.x << "," << p.y;
    }
}

TEST_F(ButtonTest, PressMadeElsewhereCountsOnceThePointerMovesOnto)
{
    CButton* button = MakeButton();
    tree.Move(10, 10);
    tree.Press();
    button->Animate();
    EXPECT_EQ(calls.count, 0);
    tree.Move(250, 460);
    button->Animate();
    EXPECT_EQ(calls.count, 1);
}

TEST_F(ButtonTest, ButtonBuiltWhileTheMouseIsHeldWaitsForANewPress)
{
    tree.Move(250, 460);
    tree.Press();
    CButton* button = MakeButton();
    button->Animate();
    EXPECT_FALSE(button->hover) << "the new button has seen no movement yet";
    tree.Move(251, 460);
    button->Animate();
    EXPECT_TRUE(button->hover);
    EXPECT_EQ(calls.count, 0);

    tree.Release();
    tree.Press();
    button->Animate();
    EXPECT_EQ(calls.count, 1);
}

TEST_F(ButtonTest, DisabledButtonNeverCallsBackAndKeepsItsLook)
{
    CButton* button = MakeButton();
    button->enabled = false;
    tree.Move(250, 460);
    tree.Press();
    for (int frame = 0; frame < 3; ++frame) button->Animate();
    EXPECT_EQ(calls.count, 0);
    EXPECT_FALSE(button->hover);

    tree.PaintOnce();
    EXPECT_EQ(tree.Pixel(218, 452), kBlack) << "black outline";
    EXPECT_EQ(tree.Pixel(250, 460), kYellow) << "yellow fill";
}

// Under the pointer a button is its own colour, paler, outlined in white; lit by a pad it
// is all yellow, which the pointer never makes it.
TEST_F(ButtonTest, NormalLookIsItsColourWithBlueOutlineHoverIsPalerAndLitIsYellow)
{
    CButton* button = MakeButton();
    tree.PaintOnce();
    EXPECT_EQ(tree.Pixel(218, 452), kBlue);
    EXPECT_EQ(tree.Pixel(292, 471), kBlue);
    EXPECT_EQ(tree.Pixel(225, 455), kRed);

    tree.Move(225, 455);
    tree.PaintOnce();  // the paint cycle animates once, which lights the button
    EXPECT_EQ(tree.Pixel(218, 452), kWhite);
    EXPECT_EQ(tree.Pixel(225, 455), RGB(255, 127, 127));

    button->lit = true;
    tree.PaintOnce();
    EXPECT_EQ(tree.Pixel(218, 452), kYellow);
    EXPECT_EQ(tree.Pixel(225, 455), kYellow);
}

// A caption is drawn in white on a dark button, in black on a light one.
TEST_F(ButtonTest, ACaptionReadsOnItsButton)
{
    EXPECT_EQ(InkOn(kBlue), kWhite);
    EXPECT_EQ(InkOn(RGB(0, 0, 0)), kWhite);
    EXPECT_EQ(InkOn(kRed), kBlack);
    EXPECT_EQ(InkOn(RGB(0, 255, 0)), kBlack);
    EXPECT_EQ(InkOn(kYellow), kBlack);

    auto* blue = new CButton(Count, &calls, 218, 452, str("Harrow"), tree.OnScreen(), kBlue, 75, 20, PadRectangular,
                             SideBottom);
    const auto* caption = blue->GetChild<CText>();
    tree.PaintOnce();
    EXPECT_EQ(caption->ink, kWhite);
    int light = 0;  // the letters' pixels, smoothed at their edges
    for (int y = 453; y < 471; ++y)
        for (int x = 219; x < 292; ++x) light += GetRValue(tree.Pixel(x, y)) > 128;
    EXPECT_GT(light, 20) << "the letters";
    tree.Move(225, 455);
    tree.PaintOnce();
    EXPECT_EQ(caption->ink, kBlack) << "on the paler blue under the pointer";
}

TEST_F(ButtonTest, CaptionIsATextOnTheButtonAndTheScreenUnlessEmpty)
{
    CButton* captioned = MakeButton("Back");
    auto* text = dynamic_cast<CNormText*>(captioned->GetChild(str("CNormText"), true, 1));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text->text, "Back");
    EXPECT_EQ(text->GetParent(), captioned);
    EXPECT_TRUE(tree.screen->children.Contains(text));

    CButton* bare = MakeButton("");
    EXPECT_EQ(bare->GetChild(str("CText"), false, 1), nullptr);
}

TEST_F(ButtonTest, RoundedButtonsAreHalfEllipsesBulgingAwayFromTheirSide)
{
    struct Case {
        const char* what;
        unsigned int x, y, width, height;
        Side side;
        POINT flatEdge, filled, farEdge, corner, beyondFlatEdge;
    } cases[] = {
        {"left", 171, 118, 20, 75, SideLeft, {171, 155}, {180, 155}, {190, 155}, {189, 119}, {170, 155}},
        {"bottom", 193, 375, 125, 25, SideBottom, {255, 399}, {255, 390}, {255, 375}, {195, 377}, {255, 401}},
        {"top", 218, 71, 75, 20, SideTop, {255, 71}, {255, 75}, {255, 90}, {220, 89}, {255, 70}},
        {"right", 321, 118, 20, 75, SideRight, {340, 155}, {335, 155}, {321, 155}, {322, 119}, {341, 155}},
    };
    for (const Case& c : cases) {
        MenuTree fresh;
        new CButton(nullptr, nullptr, c.x, c.y, str(""), fresh.OnScreen(), kRed, c.width, c.height, PadRounded,
                    c.side);
        fresh.PaintOnce();
        const COLORREF background = fresh.Pixel(0, 0);
        EXPECT_EQ(fresh.Pixel(c.flatEdge.x, c.flatEdge.y), kBlue) << c.what << ": outline on the flat edge";
        EXPECT_EQ(fresh.Pixel(c.filled.x, c.filled.y), kRed) << c.what;
        EXPECT_NE(fresh.Pixel(c.farEdge.x, c.farEdge.y), background) << c.what << ": reaches the far edge";
        EXPECT_EQ(fresh.Pixel(c.corner.x, c.corner.y), background) << c.what << ": a corner of the box stays out";
        EXPECT_EQ(fresh.Pixel(c.beyondFlatEdge.x, c.beyondFlatEdge.y), background) << c.what;
    }
}

TEST_F(ButtonTest, DrawingObjectsAreGoneAfterThePaintCycleAndAfterDestruction)
{
    const DWORD before = GdiObjects();
    CButton* button = MakeButton();
    tree.PaintOnce();
    EXPECT_EQ(GdiObjects(), before);

    tree.screen->InitPaint(tree.dc);
    tree.screen->Paint(tree.dc);
    EXPECT_GT(GdiObjects(), before);
    delete button;  // still prepared, its pen and brush still selected
    EXPECT_EQ(GdiObjects(), before);
    EXPECT_NE(GetCurrentObject(tree.dc, OBJ_PEN), nullptr);
}

}  // namespace
