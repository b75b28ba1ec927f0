#include "input/input.h"
#include "model/controls.h"
#include "play/paddle_shapes.h"
#include "platform/user/input.h"
#include "support/field.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

class PaddleTest : public ::testing::Test {
protected:
    // A match of mouse players whose ball flies freely, far from every paddle; the
    // paddles stand where the pointer left them, at the start of their sides.
    CMainGame& FreeBallMatch()
    {
        field.Mice();
        CMainGame& game = field.Match();
        field.SkipCountdown();
        Ball().holder = nullptr;
        Ball().rect = Rect(150, 60, 174, 84);
        return game;
    }
    CBall& Ball() { return field.Ball(); }
    CInput& InputOf(CPaddle& paddle) { return *dynamic_cast<CInput*>(paddle.GetChild(str("CInput"), false, 1)); }
    void Place(CBall& ball, LONG left, LONG top, double vx, double vy)
    {
        ball.rect = Rect(left, top, left + 24, top + 24);
        ball.velocity = CVector(vx, vy);
    }

    Field field;
};

TEST_F(PaddleTest, SetPosKeepsThePaddleWithinTheSide)
{
    field.Match();
    CPaddle& bottom = *field.PaddleOn(SideBottom);
    const struct {
        unsigned int pos;
        LONG low, high;
    } cases[] = {{256, 194, 318}, {30, 0, 124}, {62, 0, 124}, {500, 388, 512}, {450, 388, 512}, {4000000000u, 388, 512}};
    for (const auto& c : cases) {
        bottom.SetPos(c.pos);
        EXPECT_EQ(bottom.rect.left, c.low) << c.pos;
        EXPECT_EQ(bottom.rect.right, c.high) << c.pos;
        EXPECT_EQ(bottom.rect.top, 462) << "the other edges never change";
        EXPECT_EQ(bottom.rect.bottom, 487);
    }
    CPaddle& left = *field.PaddleOn(SideLeft);
    left.SetPos(500);
    EXPECT_EQ(left.rect.top, 388);
    EXPECT_EQ(left.rect.bottom, 512);
    EXPECT_EQ(left.rect.left, 25);
}

TEST_F(PaddleTest, TheFirstPaddleStartsHoldingTheBallAndLetsGoWhenTheMeterRunsOut)
{
    // The mouse player still holds the button that clicked "Start".
    user::input::PointerButton(field.window, user::input::Button::Left, true, POINT{256, 300});
    CMainGame& game = field.Match();
    CPaddle& bottom = *field.PaddleOn(SideBottom);
    CPlayer& player = *bottom.player;
    EXPECT_EQ(Ball().holder, &bottom);
    EXPECT_TRUE(InputOf(bottom).GetButton(0)) << "held on the player's behalf";
    // The countdown: the paddle moves, holding the ball, and its meter does not drain.
    for (unsigned int i = 0; i < CCountdown::kFrames; ++i) {
        field.engine->MouseMove(100 + i, 300);
        field.engine->UpdateInput();
        game.Animate();
    }
    EXPECT_FALSE(game.countdown->Running());
    EXPECT_EQ(bottom.rect.left, 100 + static_cast<LONG>(CCountdown::kFrames) - 1 - 62) << "it followed the mouse";
    EXPECT_EQ(Ball().holder, &bottom);
    EXPECT_EQ(player.meter, 83u);
    int frame = 0;
    while (Ball().holder == &bottom && frame < 200) {
        ++frame;
        bottom.Animate();
    }
    EXPECT_EQ(frame, 84) << "83 frames drain the meter, the 84th lets go";
    EXPECT_EQ(player.meter, 0u);
    for (int i = 0; i < 60; ++i) bottom.Animate();
    EXPECT_EQ(player.meter, 0u) << "no refill while the button stays down";
}

TEST_F(PaddleTest, WithTheButtonUpTheMeterRefillsEveryTwentyFramesUpTo251)
{
    FreeBallMatch();
    CPaddle& top = *field.PaddleOn(SideTop);
    CPlayer& player = *top.player;
    player.meter = 249;
    top.frames = 0;
    for (int i = 0; i < 19; ++i) top.Animate();
    EXPECT_EQ(player.meter, 249u);
    top.Animate();
    EXPECT_EQ(player.meter, 250u);
    for (int i = 0; i < 100; ++i) top.Animate();
    EXPECT_EQ(player.meter, 251u);
}

// A paddle holding the ball stops short of the ends of its side (it may still move
// inwards from nearer the end, where it caught the ball); a free paddle goes all the way.
TEST_F(PaddleTest, AHeldBallIsCarriedNoNearerTheEndsOfTheSide)
{
    FreeBallMatch();
    CPaddle& top = *field.PaddleOn(SideTop);
    const auto centreAfter = [&](unsigned int pointer) {
        field.engine->MouseMove(pointer, 300);
        field.engine->UpdateInput();
        top.Animate();
        return (top.rect.left + top.rect.right) / 2;
    };
    EXPECT_EQ(centreAfter(256), 256);
    InputOf(top).SetButton(0, true);
    top.player->meter = 200;
    Ball().holder = &top;
    Ball().holderSide = SideTop;
    EXPECT_EQ(centreAfter(0), CPaddle::kHeldFromEnd);
    EXPECT_EQ(centreAfter(511), 512 - CPaddle::kHeldFromEnd);
    Ball().holder = nullptr;
    EXPECT_EQ(centreAfter(80), 80);
    Ball().holder = &top;
    EXPECT_EQ(centreAfter(0), 80) << "caught nearer the end: no further out";
    EXPECT_EQ(centreAfter(100), 100) << "but inwards";
    InputOf(top).SetButton(0, false);
    EXPECT_EQ(centreAfter(0), 100) << "the frame it lets go, the ball leaves from within the limit";
    EXPECT_EQ(centreAfter(0), CPaddle::kLength / 2) << "then the paddle goes on";
}

TEST_F(PaddleTest, AnEmptyMeterWithTheButtonDownReleasesTheHeldBall)
{
    FreeBallMatch();
    CPaddle& top = *field.PaddleOn(SideTop);
    InputOf(top).SetButton(0, true);
    top.player->meter = 1;
    Ball().holder = &top;
    Ball().holderSide = SideTop;
    top.Animate();
    EXPECT_EQ(top.player->meter, 0u);
    EXPECT_EQ(Ball().holder, &top);
    top.Animate();
    EXPECT_EQ(Ball().holder, nullptr);
}

TEST_F(PaddleTest, AHitWithTheButtonDownCatchesTheBallAndMakesItThePlayers)
{
    FreeBallMatch();
    CPaddle& top = *field.PaddleOn(SideTop);
    InputOf(top).SetButton(0, true);
    Place(Ball(), 50, 40, 0, -5);  // over the paddle at 0..124
    top.Animate();
    EXPECT_EQ(Ball().holder, &top);
    EXPECT_EQ(Ball().holderSide, SideTop);
    EXPECT_EQ(Ball().owner, top.player);
    EXPECT_GT(Ball().velocity.dVy(), 0) << "sent back into the field";
}

TEST_F(PaddleTest, AGrabPressedAndLetGoBetweenTwoFramesCatchesTheBallForOneFrame)
{
    for (SPlayerOptions& player : field.data->players) player.input->SetMouse(0);
    FreeBallMatch();
    CPaddle& top = *field.PaddleOn(SideTop);
    Place(Ball(), 50, 40, 0, -5);  // over the paddle at 0..124
    field.engine->MouseDown(0, true);
    field.engine->MouseDown(0, false);
    top.Animate();
    EXPECT_EQ(Ball().holder, &top);
    field.engine->UpdateInput();
    top.Animate();
    EXPECT_EQ(Ball().holder, nullptr) << "the click was seen in one frame only";
}

TEST_F(PaddleTest, AHitWhileAnotherPaddleHoldsTheBallChangesNothing)
{
    FreeBallMatch();
    CPaddle& top = *field.PaddleOn(SideTop);
    CPaddle& left = *field.PaddleOn(SideLeft);
    Place(Ball(), 50, 40, 0, -5);
    Ball().holder = &left;
    top.Animate();
    EXPECT_EQ(Ball().velocity.dVy(), -5);
    EXPECT_EQ(Ball().owner, nullptr);
    EXPECT_EQ(Ball().holder, &left);
}

TEST_F(PaddleTest, TheBallLeavesOnlyThroughTheEdgeOfThePaddlesOwnSide)
{
    FreeBallMatch();
    CPaddle& left = *field.PaddleOn(SideLeft);
    const Rect& field512 = field.data->client;
    Place(Ball(), -1, 200, 0, 0);
    EXPECT_TRUE(left.BallGone(field512));
    EXPECT_FALSE(field.PaddleOn(SideTop)->BallGone(field512));
    Place(Ball(), 0, 200, 0, 0);
    EXPECT_FALSE(left.BallGone(field512));
    Place(Ball(), 300, 489, 0, 0);
    EXPECT_TRUE(field.PaddleOn(SideBottom)->BallGone(field512));
    EXPECT_FALSE(field.PaddleOn(SideRight)->BallGone(field512));
}

TEST_F(PaddleTest, DyingGivesATenthOfTheScoreToTheBallsOwner)
{
    CMainGame& game = FreeBallMatch();
    CPlayer& owner = field.PlayerOn(SideTop);
    CPlayer& loser = field.PlayerOn(SideBottom);
    owner.score = 40;
    loser.score = 95;
    Ball().owner = &owner;
    Place(Ball(), 300, 500, 0, 0);
    field.PaddleOn(SideBottom)->Animate();
    EXPECT_EQ(owner.score, 49u);
    EXPECT_EQ(field.PaddleOn(SideBottom), nullptr);
    EXPECT_EQ(field.Find<CPlayers>("CPlayers")->count, 3u);
    EXPECT_FALSE(game.gameOver);

    // Without an owner nobody gains.
    CPlayer& next = field.PlayerOn(SideLeft);
    next.score = 129;
    Ball().owner = nullptr;
    Place(Ball(), -5, 300, 0, 0);
    field.PaddleOn(SideLeft)->Animate();
    EXPECT_EQ(owner.score, 49u);
    EXPECT_EQ(field.PaddleOn(SideLeft), nullptr);
}

TEST_F(PaddleTest, ADestroyedPaddleLetsGoOfTheBall)
{
    FreeBallMatch();
    CPaddle* right = field.PaddleOn(SideRight);
    Ball().holder = right;
    Ball().holderSide = SideRight;
    delete right->player;
    EXPECT_EQ(Ball().holder, nullptr);
    Ball().Animate();  // flies again instead of following a paddle that is gone
}

// ---- Shapes -------------------------------------------------------------------------

TEST_F(PaddleTest, ARectangularPaddleMirrorsTheFaceItWasHitOn)
{
    field.data->players[0].padType = PadRectangular;
    FreeBallMatch();
    auto& bottom = dynamic_cast<CRectPaddle&>(*field.PaddleOn(SideBottom));
    bottom.SetPos(256);

    Place(Ball(), 250, 455, 3, 4);  // overlap 24 wide, 17 tall, nearer the top face
    ASSERT_TRUE(bottom.BallHitting());
    bottom.ReflectBall();
    EXPECT_EQ(Ball().velocity.dVx(), 3);
    EXPECT_EQ(Ball().velocity.dVy(), -4);

    Place(Ball(), 300, 470, 3, -4);  // the lower right corner: overlap 18 x 17, a tie
    bottom.ReflectBall();
    EXPECT_EQ(Ball().velocity.dVy(), 4) << "a tie goes downward";
    EXPECT_EQ(Ball().velocity.dV(), 5);

    Place(Ball(), 310, 465, -3, 0);  // overlap 8 wide, 22 tall: the right face
    bottom.ReflectBall();
    EXPECT_EQ(Ball().velocity.dVx(), 3);

    Place(Ball(), 250, 438, 3, 4);  // B.bottom == P.top: touching is no hit
    EXPECT_FALSE(bottom.BallHitting());
}

class RoundPaddleTest : public PaddleTest {
protected:
    CRoundPaddle& Bottom()
    {
        FreeBallMatch();
        auto& bottom = dynamic_cast<CRoundPaddle&>(*field.PaddleOn(SideBottom));
        bottom.SetPos(256);
        return bottom;
    }
};

TEST_F(RoundPaddleTest, TheEllipseIsThePaddleDoubledOutward)
{
    CRoundPaddle& bottom = Bottom();
    EXPECT_EQ(bottom.ellipse.left, 194);
    EXPECT_EQ(bottom.ellipse.top, 462);
    EXPECT_EQ(bottom.ellipse.right, 318);
    EXPECT_EQ(bottom.ellipse.bottom, 512);
    EXPECT_EQ(bottom.radials.top, 485);
    EXPECT_EQ(bottom.radials.bottom, 487);
    auto& left = dynamic_cast<CRoundPaddle&>(*field.PaddleOn(SideLeft));
    left.SetPos(256);
    EXPECT_EQ(left.ellipse.left, 0);
    EXPECT_EQ(left.ellipse.right, 50);
    EXPECT_EQ(left.ellipse.top, 194);
    EXPECT_EQ(left.radials.left, 23);
    EXPECT_EQ(left.radials.right, 25);
    EXPECT_EQ(left.radials.bottom, 512);
}

TEST_F(RoundPaddleTest, StraightDownOntoTheCentreGoesStraightUp)
{
    CRoundPaddle& bottom = Bottom();
    Place(Ball(), 244, 439, 0, 5);
    ASSERT_TRUE(bottom.BallHitting());
    bottom.ReflectBall();
    EXPECT_NEAR(Ball().velocity.dT(), 3 * kPi / 2, 1e-9);
    EXPECT_NEAR(Ball().velocity.dVx(), 0, 1e-9);
    EXPECT_NEAR(Ball().velocity.dVy(), -5, 1e-9);
}

TEST_F(RoundPaddleTest, WhereTheBallLandsSteersIt)
{
    CRoundPaddle& bottom = Bottom();
    Place(Ball(), 288, 448, 0, 5);  // centre 44 right of and 27 above the ellipse's centre
    ASSERT_TRUE(bottom.BallHitting());
    bottom.ReflectBall();
    EXPECT_NEAR(Ball().velocity.dT(), 5.8751, 1e-4);
    EXPECT_NEAR(Ball().velocity.dV(), 5, 1e-9);

    Place(Ball(), 200, 448, 0, 5);  // the mirror position on the left
    ASSERT_TRUE(bottom.BallHitting());
    bottom.ReflectBall();
    EXPECT_NEAR(Ball().velocity.dT(), 3.5497, 1e-4);

    Place(Ball(), 288, 445, 0, 5);  // three pixels further away: beside the curve
    EXPECT_FALSE(bottom.BallHitting());
    Place(Ball(), 244, 438, 0, 5);  // only touching the rectangle
    EXPECT_FALSE(bottom.BallHitting());
}

TEST_F(RoundPaddleTest, DirectionsOutOfTheFieldGoToTheNearerBound)
{
    EXPECT_EQ(CRoundPaddle::IntoField(0.1, SideBottom), 2 * kPi) << "slightly down and right: straight right";
    EXPECT_EQ(CRoundPaddle::IntoField(3.0, SideBottom), kPi) << "slightly down and left: straight left";
    EXPECT_EQ(CRoundPaddle::IntoField(-kPi / 2, SideBottom), 3 * kPi / 2);
    EXPECT_EQ(CRoundPaddle::IntoField(kPi / 2, SideBottom), 2 * kPi) << "straight down: a tie takes the upper bound";
    EXPECT_NEAR(CRoundPaddle::IntoField(0, SideLeft), 2 * kPi, 1e-12) << "left paddles may go past 2 pi";
    EXPECT_EQ(CRoundPaddle::IntoField(kPi + 0.2, SideTop), kPi);
    EXPECT_EQ(CRoundPaddle::IntoField(0.3, SideRight), kPi / 2);
}

}  // namespace
