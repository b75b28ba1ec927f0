#include "input/keyboard_input.h"
#include "input/mouse_input.h"
#include "input/pad_input.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

LList<CObject> None() { return LList<CObject>(false, 0); }

TEST(KeyboardInput, MovesByFiveOrTwentyAndStopsAtTheEnds)
{
    const unsigned int keys[5] = {VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT};
    CKeyboardInput input(keys, None());
    EXPECT_EQ(input.GetPos(), 256u);
    input.KeyDown(VK_LEFT, true);
    input.UpdateInput();
    EXPECT_EQ(input.GetPos(), 251u);
    input.KeyDown(VK_SHIFT, true);
    input.UpdateInput();
    EXPECT_EQ(input.GetPos(), 231u);
    input.position = 3;
    input.KeyDown(VK_SHIFT, false);
    input.UpdateInput();
    EXPECT_EQ(input.GetPos(), 0u);
    input.KeyDown(VK_LEFT, false);
    input.KeyDown(VK_RIGHT, true);
    input.position = 510;
    input.UpdateInput();
    input.UpdateInput();
    EXPECT_EQ(input.GetPos(), 512u);
}

TEST(KeyboardInput, BothKeysCancelAndAKeyBoundTwiceSetsBoth)
{
    const unsigned int keys[5] = {VK_UP, VK_DOWN, VK_SPACE, VK_UP, VK_SHIFT};
    CKeyboardInput input(keys, None());
    input.KeyDown(VK_UP, true);
    EXPECT_TRUE(input.GetButton(1)) << "Special shares the Up key";
    input.KeyDown(VK_DOWN, true);
    input.UpdateInput();
    EXPECT_EQ(input.GetPos(), 256u);
    EXPECT_FALSE(input.GetButton(0));
    input.KeyDown(VK_SPACE, true);
    EXPECT_TRUE(input.GetButton(0));
    EXPECT_FALSE(input.GetButton(3));
    input.SetButton(3, true);
    input.SetButton(2, true);
    EXPECT_TRUE(input.GetButton(2));
    EXPECT_FALSE(input.GetButton(3));
}

TEST(KeyboardInput, WithoutKeysNothingIsBound)
{
    CKeyboardInput input(nullptr, None());
    for (unsigned int k : input.keys) EXPECT_EQ(k, 0u);
    input.KeyDown(VK_LEFT, true);
    input.UpdateInput();
    EXPECT_EQ(input.GetPos(), 256u);
}

TEST(MouseInput, AxesChooseWhatThePositionMeans)
{
    CMouseInput x(XAxis, None()), y(YAxis, None()), both(BothAxes, None()), none(NoAxis, None());
    for (CMouseInput* m : {&x, &y, &both, &none}) m->MouseMove(30, 40);
    EXPECT_EQ(x.GetPos(), 30u);
    EXPECT_EQ(y.GetPos(), 40u);
    EXPECT_EQ(both.GetPos(), 0u);
    EXPECT_EQ(both.GetPoint().x, 30);
    EXPECT_EQ(both.GetPoint().y, 40);
    EXPECT_EQ(none.GetPoint().x, 0) << "no axis ignores the pointer";
    none.MouseDown(2, true);
    EXPECT_TRUE(none.GetButton(2)) << "but still records buttons";
    none.MouseDown(5, true);
    EXPECT_FALSE(none.GetButton(5));
    none.SetButton(3, true);
    EXPECT_FALSE(none.GetButton(3));
}

// A press and release that both arrive between two input updates count as one frame of
// a held button or key; a press let go by hand is forgotten.
TEST(QuickPresses, AreHeldUntilTheNextUpdateAndSeenOnce)
{
    CMouseInput mouse(BothAxes, None());
    mouse.MouseDown(0, true);
    mouse.MouseDown(0, false);
    EXPECT_TRUE(mouse.GetButton(0));
    EXPECT_FALSE(mouse.GetButton(1));
    mouse.UpdateInput();
    EXPECT_FALSE(mouse.GetButton(0));
    mouse.MouseDown(2, true);
    mouse.SetButton(2, false);
    EXPECT_FALSE(mouse.GetButton(2));

    const unsigned int keys[5] = {VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT};
    CKeyboardInput keyboard(keys, None());
    keyboard.KeyDown(VK_SPACE, true);
    keyboard.KeyDown(VK_SPACE, false);
    keyboard.KeyDown(VK_LEFT, true);
    keyboard.KeyDown(VK_LEFT, false);
    EXPECT_TRUE(keyboard.GetButton(0));
    keyboard.UpdateInput();
    EXPECT_EQ(keyboard.GetPos(), 251u) << "a tapped arrow moves one step";
    EXPECT_FALSE(keyboard.GetButton(0));
    keyboard.UpdateInput();
    EXPECT_EQ(keyboard.GetPos(), 251u);
    keyboard.KeyDown(VK_SPACE, true);
    keyboard.SetButton(0, false);
    EXPECT_FALSE(keyboard.GetButton(0));
}

}  // namespace
