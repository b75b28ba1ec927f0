// The pad device on its own, one input update at a time (a match delivers four a frame;
// steering is tested in matches).

#include "input/pad_input.h"
#include "platform/host/headless/headless_pads.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

namespace {

constexpr SHORT kFull = 32767;

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

TEST_F(PadInputTest, ButtonsFollowThePadsChangesAndAPadThatGoesLetsGoOfThem)
{
    CPadInput input(1, XAxis, LList<CObject>(false, 0));
    input.SetButton(0, true);  // a press given by hand
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
