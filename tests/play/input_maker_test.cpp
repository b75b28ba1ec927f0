// Making a player's device from the player's controls.

#include "input/keyboard_input.h"
#include "input/mouse_input.h"
#include "input/pad_input.h"
#include "play/computer_input.h"
#include "play/input_maker.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

namespace {

LList<CObject> None() { return LList<CObject>(false, 0); }

TEST(InputMaker, BuildsTheDeviceOfItsKindForTheAxis)
{
    CObject root(None());
    auto* maker = new CControls(LList<CObject>(false, 1, &root));
    maker->SetKeyboard(VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT);
    auto* vertical = dynamic_cast<CKeyboardInput*>(MakeInput(*maker, YAxis, LList<CObject>(false, 1, &root)));
    ASSERT_NE(vertical, nullptr);
    EXPECT_EQ(vertical->keys[0], VK_UP);
    EXPECT_EQ(vertical->keys[1], VK_DOWN);
    auto* horizontal = dynamic_cast<CKeyboardInput*>(MakeInput(*maker, XAxis, LList<CObject>(false, 1, &root)));
    ASSERT_NE(horizontal, nullptr);
    EXPECT_EQ(horizontal->keys[0], VK_LEFT);
    EXPECT_EQ(horizontal->keys[4], VK_SHIFT);

    maker->SetMouse(0);
    auto* mouse = dynamic_cast<CMouseInput*>(MakeInput(*maker, XAxis, LList<CObject>(false, 1, &root)));
    ASSERT_NE(mouse, nullptr);
    EXPECT_EQ(mouse->axis, XAxis);
    EXPECT_TRUE(mouse->HasType(str("CInput")));

    maker->SetPad(2);
    auto* pad = dynamic_cast<CPadInput*>(MakeInput(*maker, YAxis, LList<CObject>(false, 1, &root)));
    ASSERT_NE(pad, nullptr);
    EXPECT_EQ(pad->pad, 2u);
    EXPECT_EQ(pad->axis, YAxis);
    EXPECT_THROW(maker->SetPad(4), XDomainError);
    EXPECT_EQ(maker->pad, 2u) << "a refused slot changes nothing";
    maker->SetNet();
    auto* standIn = dynamic_cast<CComputerInput*>(MakeInput(*maker, XAxis, LList<CObject>(false, 1, &root)));
    ASSERT_NE(standIn, nullptr) << "a place nobody on another machine took is the computer's";
    EXPECT_EQ(standIn->level, ComputerFair);
}

}  // namespace
