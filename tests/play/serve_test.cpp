// The opening serve and the turns that keep the ball moving: a ball never ends up
// skimming along a wall or bouncing between two walls without moving across.

#include "model/controls.h"
#include "play/heading.h"
#include "play/countdown.h"
#include "platform/user/input.h"
#include "support/field.h"

#include <gtest/gtest.h>

namespace {

class ServeTest : public ::testing::Test {
protected:
    Field field;
};

// A still keyboard player with a rounded paddle at the bottom lets the meter run out and
// the ball goes. Served on up and to the right, it came back off the nearest brick just
// past the thin end of the curve and left through the bottom.
TEST_F(ServeTest, AStillRoundedPaddleKeepsItsOwnServeInPlay)
{
    std::srand(3);
    field.data->players[0].input->SetKeyboard(VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT);
    field.data->players[0].padType = PadRounded;
    for (unsigned int i = 1; i < CData::kPlayers; ++i) field.data->players[i].input->SetMouse(0);  // still too
    field.Match(true);
    const int frames = CCountdown::kFrames + 84 + 200;
    for (int f = 0; f < frames; ++f) {
        field.Frame();
        ASSERT_NE(dynamic_cast<CMainGame*>(field.Screen()), nullptr) << "frame " << f;
        ASSERT_NE(field.PaddleOn(SideBottom), nullptr) << "the bottom player went out in frame " << f;
    }
    EXPECT_EQ(field.Ball().holder, nullptr) << "served";
}

// The first paddle holds the opening serve for its player only while the player's grab
// button is still down as the match begins; letting it go serves. A press already let go
// (a click on "Start" quicker than a frame) leaves nothing held, for every kind of device.
TEST(ServeHold, TheServeIsHeldOnlyWhileTheGrabButtonIsStillDown)
{
    enum Device { Mouse, Keyboard, Pad };
    for (Device device : {Mouse, Keyboard, Pad})
        for (bool down : {false, true}) {
            Field field;
            CControls& maker = *field.data->players[0].input;
            // The grab button as the player holds it, through the window system and the pad.
            auto grab = [&](bool held) {
                switch (device) {
                case Mouse:
                    user::input::PointerButton(field.window, user::input::Button::Left, held, POINT{256, 300});
                    if (!held) field.engine->MouseDown(0, false);
                    break;
                case Keyboard:
                    user::input::Key(VK_SPACE, held, false);
                    if (!held) field.engine->KeyDown(VK_SPACE, false);
                    break;
                case Pad: field.session.Pads().Press(0, XINPUT_GAMEPAD_A, held); break;
                }
            };
            if (device == Keyboard) maker.SetKeyboard(VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT);
            if (device == Pad) {
                maker.SetPad(0);
                field.session.Pads().Connect(0, "Pad");
            }
            if (down) grab(true);
            field.Match(true);
            field.SkipCountdown();
            for (int f = 0; f < 3; ++f) field.Frame();
            CPaddle* bottom = field.PaddleOn(SideBottom);
            EXPECT_EQ(field.Ball().holder, down ? bottom : nullptr) << "device " << device << ", down " << down;
            if (!down) continue;
            grab(false);
            field.Frame();  // a pad is read after the paddles have moved
            field.Frame();
            EXPECT_EQ(field.Ball().holder, nullptr) << "let go, device " << device;
        }
}

}  // namespace

namespace {

// A ball already leaving the rounded paddle that touches it keeps its direction. Mirrored,
// it headed back into the wall and was flattened along it: (5, -5) came out as (7.07, 0)
// and skimmed along the bottom for ever.
TEST_F(ServeTest, ARoundedPaddleLeavesALeavingBallsDirectionAlone)
{
    field.Match();
    field.SkipCountdown();
    CBall& ball = field.Ball();
    ball.holder = nullptr;
    ball.rect = Rect(244, 440, 268, 464);
    ball.velocity = CVector(5, -5);
    CPaddle& bottom = *field.PaddleOn(SideBottom);
    ASSERT_TRUE(bottom.HasType(str("CRoundPaddle")));
    field.engine->MouseMove(256, 300);  // the paddle stays in the middle
    field.engine->UpdateInput();
    bottom.Animate();
    EXPECT_EQ(ball.owner, bottom.player) << "touched";
    EXPECT_DOUBLE_EQ(ball.velocity.dVx(), 5);
    EXPECT_DOUBLE_EQ(ball.velocity.dVy(), -5);
}

// After a paddle's reflection the ball moves a whole pixel a frame away from the wall, and
// does not drift along it by less than a pixel; one going straight out, or into the wall
// past a paddle's corner, is left as it is. The speed stays.
TEST(KeepLeaving, NoBallIsLeftLevelByAPaddle)
{
    const struct {
        double vx, vy;
        Side side;
        int stepX, stepY;
    } cases[] = {
        {7.0710678, 0, SideBottom, 6, -1},       // flattened along the bottom
        {-7.0710678, 0.3, SideBottom, -7, -1},   // skimming towards the bottom wall
        {0.3, 7.0710678, SideLeft, 1, 7},        // flattened along the left side: moves right
        {7.00625, 0.955244, SideLeft, 7, 1},     // drifting along it by less than a pixel
        {-0.0000000001, -7.0710678, SideBottom, 0, -7},  // straight up from the middle
        {5, 5, SideBottom, 5, 5},                // into the wall past the corner
        {5, -5, SideTop, 5, -5},
    };
    for (const auto& c : cases) {
        CVector v(c.vx, c.vy);
        const double speed = v.dV();
        KeepLeaving(v, c.side);
        EXPECT_EQ(static_cast<int>(v.dVx()), c.stepX) << c.vx << ", " << c.vy;
        EXPECT_EQ(static_cast<int>(v.dVy()), c.stepY) << c.vx << ", " << c.vy;
        EXPECT_NEAR(v.dV(), speed, 1e-9);
    }
}

// A tilt turns the ball by 0.1 radian, and on in steps of 0.1 until it moves a whole
// pixel a frame on both axes: four tilts of a level ball used to leave it level.
TEST_F(ServeTest, TiltTurnsUntilTheBallMovesOnBothAxes)
{
    field.Match();
    field.SkipCountdown();
    CBall& ball = field.Ball();
    ball.velocity = CVector(7.0710678, 0);
    ASSERT_TRUE(field.engine->Tilt());
    EXPECT_NE(static_cast<int>(ball.velocity.dVx()), 0);
    EXPECT_NE(static_cast<int>(ball.velocity.dVy()), 0);
    EXPECT_NEAR(ball.velocity.dV(), 7.0710678, 1e-9);
    EXPECT_NEAR(ball.velocity.dT(), 0.2, 1e-9) << "two steps: 0.1 still moves 0 pixels down";

    ball.velocity = CVector(5, -5);
    const double before = ball.velocity.dT();
    field.engine->Tilt();
    EXPECT_NEAR(ball.velocity.dT(), before + 0.1, 1e-9) << "a ball on the move turns once";
}

}  // namespace
