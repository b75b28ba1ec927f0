// The pad device on its own, one input update at a time (a match delivers four a frame).

#include "input/pad_input.h"
#include "platform/host/headless/headless_pads.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

namespace {

constexpr SHORT kFull = 32767;
constexpr SHORT kDeadZone = XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE;

class PadInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        xinput::InstallPadHost(&pads);
        pads.Connect(1, "Pad");
    }
    void TearDown() override { xinput::InstallPadHost(nullptr); }

    // The position after `updates` input updates.
    unsigned int After(CPadInput& input, int updates)
    {
        for (int i = 0; i < updates; ++i) input.UpdateInput();
        return input.GetPos();
    }

    headless::HeadlessPads pads;
    CObject root{LList<CObject>(false, 0)};
};

TEST_F(PadInputTest, StickMovesAtTheKeyboardsPaceOutsideTheDeadZoneAndStopsAtTheEnds)
{
    CPadInput input(1, XAxis, LList<CObject>(false, 0));
    EXPECT_EQ(input.GetPos(), 256u);
    pads.Stick(1, kDeadZone, -kDeadZone);
    EXPECT_EQ(After(input, 10), 256u) << "inside the dead zone";
    pads.Stick(1, kFull, 0);
    EXPECT_EQ(After(input, 1), 261u) << "full deflection: the keyboard's 5";
    pads.Stick(1, -32768, 0);
    EXPECT_EQ(After(input, 1), 256u) << "the most negative value is full deflection too";
    pads.Stick(1, static_cast<SHORT>(kDeadZone + (kFull - kDeadZone) / 2), 0);
    EXPECT_EQ(After(input, 4), 266u) << "half-way past the dead zone: half the pace";
    pads.Press(1, XINPUT_GAMEPAD_RIGHT_SHOULDER, true);
    EXPECT_EQ(After(input, 1), 276u) << "speed: four times";
    pads.Press(1, XINPUT_GAMEPAD_RIGHT_SHOULDER, false);
    pads.Trigger(1, true, 255);
    pads.Stick(1, kFull, 0);
    EXPECT_EQ(After(input, 1), 296u) << "the right trigger is speed as well";
    EXPECT_EQ(After(input, 20), 512u);
    pads.Trigger(1, true, 0);
    pads.Stick(1, -kFull, kFull);
    EXPECT_EQ(After(input, 103), 0u) << "the y of the stick means nothing across";

    CPadInput vertical(1, YAxis, LList<CObject>(false, 0));
    pads.Stick(1, kFull, kFull);
    EXPECT_EQ(After(vertical, 2), 246u) << "stick up: towards 0";
    pads.Stick(1, 0, -kFull);
    EXPECT_EQ(After(vertical, 2), 256u);
}

TEST_F(PadInputTest, DpadMovesAtFullPaceAndOutranksTheStick)
{
    CPadInput across(1, XAxis, LList<CObject>(false, 0));
    CPadInput down(1, YAxis, LList<CObject>(false, 0));
    pads.Stick(1, -kFull, 0);
    pads.Press(1, XINPUT_GAMEPAD_DPAD_RIGHT | XINPUT_GAMEPAD_DPAD_DOWN, true);
    EXPECT_EQ(After(across, 2), 266u);
    EXPECT_EQ(After(down, 2), 266u);
    pads.Press(1, XINPUT_GAMEPAD_DPAD_LEFT, true);
    EXPECT_EQ(After(across, 2), 256u) << "both ends held: the stick again";
    pads.Stick(1, 0, 0);
    EXPECT_EQ(After(across, 2), 256u) << "both ends held cancel out";
    pads.Press(1, XINPUT_GAMEPAD_DPAD_RIGHT | XINPUT_GAMEPAD_DPAD_DOWN, false);
    pads.Press(1, XINPUT_GAMEPAD_DPAD_UP, true);
    EXPECT_EQ(After(down, 1), 261u);
}

TEST_F(PadInputTest, ButtonsFollowThePadsChangesAndAPadThatGoesLetsGoOfThem)
{
    CPadInput input(1, XAxis, LList<CObject>(false, 0));
    input.SetButton(0, true);  // the match hands the first paddle the ball this way
    input.UpdateInput();
    EXPECT_TRUE(input.GetButton(0)) << "held until the player presses and lets go";
    pads.Press(1, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_B, true);
    input.UpdateInput();
    EXPECT_TRUE(input.GetButton(0));
    EXPECT_TRUE(input.GetButton(1));
    EXPECT_FALSE(input.GetButton(2));
    pads.Press(1, XINPUT_GAMEPAD_A, false);
    pads.Press(1, XINPUT_GAMEPAD_LEFT_SHOULDER, true);
    input.UpdateInput();
    EXPECT_FALSE(input.GetButton(0));
    EXPECT_TRUE(input.GetButton(2));
    EXPECT_FALSE(input.GetButton(3));
    input.SetButton(3, true);
    EXPECT_FALSE(input.GetButton(3));

    pads.Stick(1, kFull, 0);
    input.UpdateInput();
    pads.Disconnect(1);
    input.UpdateInput();
    EXPECT_EQ(input.GetPos(), 276u) << "the paddle stays where it is";
    for (unsigned int b = 0; b < 3; ++b) EXPECT_FALSE(input.GetButton(b)) << b;
    pads.Connect(1, "Pad");
    pads.Stick(1, -kFull, 0);
    EXPECT_EQ(After(input, 1), 271u) << "plugged in again, it goes on from there, speed let go";

    CPadInput nowhere(7, XAxis, LList<CObject>(false, 0));
    nowhere.SetButton(0, true);
    EXPECT_EQ(After(nowhere, 3), 256u) << "a slot outside 0 to 3 reads as no pad";
    EXPECT_FALSE(nowhere.GetButton(0));
}

}  // namespace
