#include "support/menu_tree.h"
#include "ui/color_block.h"
#include "ui/slider.h"
#include "ui/text.h"

#include <gtest/gtest.h>

namespace {

TEST(Interpolate, LimitsTheInputToItsRangeFirst)
{
    EXPECT_EQ(Interpolate(300, 0, 255, 150, 250), 250u);
    EXPECT_EQ(Interpolate(0, 0, 255, 150, 250), 150u);
    EXPECT_EQ(Interpolate(128, 0, 255, 150, 250), 200u);
    EXPECT_EQ(Interpolate(10, 100, 200, 0, 255), 0u);
}

TEST(Interpolate, AnEmptyRangeMapsOntoTheStartInsteadOfDividingByZero)
{
    EXPECT_EQ(Interpolate(0, 7, 7, 40, 90), 40u);
    EXPECT_EQ(Interpolate(1000, 7, 7, 40, 90), 40u);
}

class SliderTest : public ::testing::Test {
protected:
    // The red slider of the colour screen: its bottom pixel (y 249) is 0, its top one
    // (y 150) 255.
    CSlider* MakeVertical(unsigned int minimum = 0, unsigned int maximum = 255)
    {
        return new CSlider(166, 150, &value, tree.OnScreen(), Vertical, minimum, maximum);
    }
    void DragTo(CSlider* slider, unsigned int x, unsigned int y)
    {
        tree.Move(x, y);
        tree.Frame(*slider);
    }
    str Shown(CSlider* slider) { return dynamic_cast<CText*>(slider->GetChild(str("CText"), false, 1))->text; }

    unsigned int value = 0;
    MenuTree tree;
};

TEST_F(SliderTest, VerticalSliderSetsTheValueOfTheClickedHeight)
{
    CSlider* slider = MakeVertical();
    EXPECT_EQ(slider->rect.right - slider->rect.left, 30);
    EXPECT_EQ(slider->rect.bottom - slider->rect.top, 100);
    tree.Press();
    DragTo(slider, 180, 200);
    EXPECT_EQ(value, 126u);
    EXPECT_STREQ(Shown(slider), "126");
    DragTo(slider, 180, 150);
    EXPECT_EQ(value, 255u) << "the top pixel reaches the maximum";
    DragTo(slider, 180, 249);
    EXPECT_EQ(value, 0u);
}

TEST_F(SliderTest, DragThatLeavesTheSliderPinsTheNearerEndUntilRelease)
{
    CSlider* slider = MakeVertical();
    tree.Press();
    DragTo(slider, 180, 200);
    DragTo(slider, 400, 480);
    EXPECT_TRUE(slider->dragging);
    EXPECT_EQ(value, 0u);
    DragTo(slider, 10, 5);
    EXPECT_EQ(value, 255u);

    tree.Release();
    tree.Frame(*slider);
    EXPECT_FALSE(slider->dragging);
    tree.Press();
    DragTo(slider, 400, 480);
    EXPECT_EQ(value, 255u) << "a press outside the slider starts no drag";
    DragTo(slider, 180, 200);
    EXPECT_EQ(value, 126u) << "but moving onto it with the button held does";
}

TEST_F(SliderTest, ReversedRangeIsReorderedAndTheVariableLimitedAtConstruction)
{
    value = 300;
    CSlider* slider = MakeVertical(255, 0);
    EXPECT_EQ(slider->minimum, 0u);
    EXPECT_EQ(slider->maximum, 255u);
    EXPECT_EQ(value, 255u);
    EXPECT_STREQ(Shown(slider), "255");
}

TEST_F(SliderTest, HorizontalSliderGrowsToTheRight)
{
    auto* slider = new CSlider(100, 100, &value, tree.OnScreen(), Horizontal, 10, 20);
    EXPECT_EQ(slider->rect.right, 200);
    EXPECT_EQ(slider->rect.bottom, 130);
    tree.Press();
    DragTo(slider, 150, 110);
    EXPECT_EQ(value, 15u);
}

TEST_F(SliderTest, SliderWithAnEmptyRangeStaysAtItsValue)
{
    value = 9;
    CSlider* slider = MakeVertical(42, 42);
    tree.Press();
    DragTo(slider, 180, 200);
    EXPECT_EQ(value, 42u);
    tree.PaintOnce();
}

// The mark is a notch from each long edge that leaves the number in the middle clear.
TEST_F(SliderTest, PaintsAWhiteBoxWithNotchesAtTheValue)
{
    value = 51;  // 19 pixels above the bottom one
    MakeVertical();
    tree.PaintOnce();
    EXPECT_EQ(tree.Pixel(166, 150), RGB(0, 0, 0)) << "black border";
    EXPECT_EQ(tree.Pixel(170, 160), RGB(255, 255, 255));
    EXPECT_EQ(tree.Pixel(170, 230), RGB(0, 0, 0)) << "the notch on the left";
    EXPECT_EQ(tree.Pixel(192, 230), RGB(0, 0, 0)) << "and on the right";
    EXPECT_EQ(tree.Pixel(181, 230), RGB(255, 255, 255)) << "not across the middle";
}

TEST(ColorBlock, ShowsTheMixtureWithoutBorderAndFreesItsBrush)
{
    MenuTree tree;
    unsigned int red = 255, green = 128, blue = 0;
    new CColorBlock(&red, &green, &blue, 206, 300, tree.OnScreen());
    const DWORD before = GdiObjects();
    tree.PaintOnce();
    EXPECT_EQ(tree.Pixel(206, 300), RGB(255, 128, 0));
    EXPECT_EQ(tree.Pixel(250, 350), RGB(255, 128, 0));
    EXPECT_NE(tree.Pixel(305, 399), RGB(255, 128, 0)) << "the null pen's fill leaves the last column";
    EXPECT_EQ(GdiObjects(), before);

    green = 0;
    tree.PaintOnce();
    EXPECT_EQ(tree.Pixel(250, 350), RGB(255, 0, 0));
}

}  // namespace
