// Pad players in matches on the real engine, their pads plugged into the headless host.

#include "model/controls.h"
#include "input/pad_input.h"
#include "support/field.h"

#include <gtest/gtest.h>

namespace {

constexpr SHORT kFull = 32767;

class PadMatchTest : public ::testing::Test {
protected:
    // Players 1 to 4 on their own pads (slots 0 to 3), plugged in.
    void PadPlayers(std::initializer_list<unsigned int> numbers)
    {
        for (unsigned int number : numbers) {
            field.data->players[number - 1].input->SetPad(number - 1);
            pads.Connect(number - 1, "Pad " + std::to_string(number));
        }
    }

    // Where the input of the paddle on the side has taken it; the paddle stands there
    // from the next frame on.
    unsigned int At(Side side) { return field.PaddleOn(side)->input->GetPos(); }

    // The middle of the paddle's long edge, which stops half a paddle short of the ends.
    LONG Middle(Side side)
    {
        const Rect& r = field.PaddleOn(side)->rect;
        return SideToOrientation[side] == Horizontal ? (r.left + r.right) / 2 : (r.top + r.bottom) / 2;
    }

    void Frames(int n)
    {
        for (int i = 0; i < n; ++i) field.Frame();
    }

    Field field;
    headless::HeadlessPads& pads = field.session.Pads();
};

// A frame delivers four input updates: 20 pixels a frame at full deflection (the
// keyboard's pace), 80 with speed.
TEST_F(PadMatchTest, StickAndDpadSteerPaddlesOnBothAxesToBothEnds)
{
    field.Slots(1, 2, 0, 0);
    PadPlayers({1, 2});
    field.Match(true);
    // Nobody holds the ball (it waits for the countdown), so no paddle is held back from
    // the ends of its side.
    field.Ball().holder = nullptr;
    Frames(1);
    EXPECT_EQ(At(SideBottom), 256u);
    EXPECT_NE(dynamic_cast<CPadInput*>(field.PaddleOn(SideLeft)->input), nullptr);

    pads.Stick(0, kFull, kFull);
    pads.Stick(1, kFull, kFull);
    Frames(2);
    EXPECT_EQ(At(SideBottom), 296u) << "stick right";
    EXPECT_EQ(At(SideLeft), 216u) << "stick up";
    pads.Stick(0, XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE, 0);
    pads.Stick(1, 0, -XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE);
    Frames(5);
    EXPECT_EQ(At(SideBottom), 296u) << "dead zone";
    EXPECT_EQ(At(SideLeft), 216u);
    constexpr SHORT kHalfWay = XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE + (kFull - XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE) / 2;
    pads.Stick(0, kHalfWay, kFull);
    pads.Stick(1, kFull, -32768);
    Frames(2);
    EXPECT_EQ(At(SideBottom), 316u) << "half-way past the dead zone, half the pace; y means nothing across";
    EXPECT_EQ(At(SideLeft), 256u) << "stick down all the way";
    pads.Stick(0, 0, 0);
    pads.Stick(1, 0, 0);

    pads.Press(0, XINPUT_GAMEPAD_DPAD_LEFT | XINPUT_GAMEPAD_LEFT_SHOULDER, true);
    pads.Press(1, XINPUT_GAMEPAD_DPAD_DOWN, true);
    pads.Trigger(1, true, 255);
    Frames(1);
    EXPECT_EQ(At(SideBottom), 236u) << "D-pad with a shoulder's speed";
    EXPECT_EQ(At(SideLeft), 336u) << "D-pad with the right trigger's speed";
    Frames(15);
    EXPECT_EQ(At(SideBottom), 0u) << "the left end";
    EXPECT_EQ(At(SideLeft), 512u) << "the bottom end";
    EXPECT_EQ(Middle(SideBottom), CPaddle::kLength / 2);
    EXPECT_EQ(Middle(SideLeft), 512 - CPaddle::kLength / 2);
    pads.Press(0, XINPUT_GAMEPAD_DPAD_LEFT | XINPUT_GAMEPAD_LEFT_SHOULDER, false);
    pads.Press(1, XINPUT_GAMEPAD_DPAD_DOWN, false);
    pads.Trigger(1, true, 0);
    pads.Stick(0, kFull, 0);
    pads.Stick(1, 0, kFull);
    Frames(30);
    EXPECT_EQ(At(SideBottom), 512u) << "the right end";
    EXPECT_EQ(At(SideLeft), 0u) << "the top end";
    EXPECT_EQ(Middle(SideBottom), 512 - CPaddle::kLength / 2);
    EXPECT_EQ(Middle(SideLeft), CPaddle::kLength / 2);
}

TEST_F(PadMatchTest, AHoldsTheServedBallUntilLetGoAndFourPadsSteerOnlyTheirOwnPaddles)
{
    PadPlayers({1, 2, 3, 4});
    pads.Press(0, XINPUT_GAMEPAD_A, true);  // held down as the match begins
    field.Match(true);
    field.SkipCountdown();
    CPaddle* bottom = field.PaddleOn(SideBottom);
    Frames(3);
    EXPECT_EQ(field.Ball().holder, bottom) << "the first paddle is served the ball";
    Frames(10);
    EXPECT_EQ(field.Ball().holder, bottom) << "held with A";
    pads.Press(0, XINPUT_GAMEPAD_A, false);
    Frames(2);
    EXPECT_EQ(field.Ball().holder, nullptr) << "let go with A";

    pads.Stick(0, kFull, 0);                           // bottom: right
    pads.Stick(2, -kFull, 0);                          // top: left
    pads.Press(3, XINPUT_GAMEPAD_DPAD_DOWN, true);     // right: down
    pads.Stick(1, 0, 0);                               // left: still
    Frames(3);
    EXPECT_EQ(At(SideBottom), 316u);
    EXPECT_EQ(At(SideLeft), 256u);
    EXPECT_EQ(At(SideTop), 196u);
    EXPECT_EQ(At(SideRight), 316u);
}

// The bottom pad player chases the ball with the D-pad and holds A when it comes down
// close; the mouse players on the other sides send it back.
TEST_F(PadMatchTest, APadPlayerCatchesAFreeBallWithA)
{
    PadPlayers({1});
    field.Match(true);
    field.SkipCountdown();
    CPaddle* bottom = field.PaddleOn(SideBottom);
    pads.Press(0, XINPUT_GAMEPAD_A, true);
    Frames(1);
    pads.Press(0, XINPUT_GAMEPAD_A, false);
    Frames(2);
    ASSERT_EQ(field.Ball().holder, nullptr);
    for (int frame = 0; frame < 3000 && field.Ball().holder != bottom; ++frame) {
        ASSERT_EQ(field.PaddleOn(SideBottom), bottom) << "the bottom player is still in";
        const Rect& ball = field.Ball().rect;
        const LONG x = (ball.left + ball.right) / 2;
        pads.Press(0, XINPUT_GAMEPAD_DPAD_LEFT, x < Middle(SideBottom) - 10);
        pads.Press(0, XINPUT_GAMEPAD_DPAD_RIGHT, x > Middle(SideBottom) + 10);
        pads.Press(0, XINPUT_GAMEPAD_A, ball.bottom > 400 && field.Ball().velocity.dVy() > 0);
        field.Follow();
        Frames(1);
    }
    EXPECT_EQ(field.Ball().holder, bottom) << "caught with A";
}

TEST_F(PadMatchTest, APlayerSwitchedBackToTheKeyboardPlaysAsBefore)
{
    field.Slots(1, 0, 2, 0);
    PadPlayers({1});
    field.data->players[0].input->SetKeyboard(VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT);
    field.Match(true);
    pads.Stick(0, kFull, 0);
    field.engine->KeyDown(VK_LEFT, true);
    Frames(2);
    EXPECT_EQ(At(SideBottom), 216u) << "the keys steer, the pad does not";
}

}  // namespace
