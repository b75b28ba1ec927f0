#include "play/heading.h"
#include "support/field.h"

#include <gtest/gtest.h>

namespace {

void ExpectRect(const Rect& r, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

class BallTest : public ::testing::Test {
protected:
    CBall& NewBall() { return *new CBall(62, 62, LList<CObject>(false, 1, field.engine)); }

    Field field;
};

TEST_F(BallTest, ServesFromItsCornerMovingRightAndUp)
{
    CBall& ball = NewBall();
    ExpectRect(ball.rect, 50, 50, 74, 74);
    EXPECT_EQ(ball.owner, nullptr);
    EXPECT_EQ(ball.color, RGB(255, 255, 255));
    ball.Animate();
    ExpectRect(ball.rect, 55, 45, 79, 69);
}

TEST_F(BallTest, EdgesTurnItBackInTheFrameItStandsOutside)
{
    CBall& ball = NewBall();
    ball.rect = Rect(-3, 100, 21, 124);
    ball.velocity = CVector(-5, 0);
    ball.Animate();
    EXPECT_EQ(ball.velocity.dVx(), 5);
    EXPECT_EQ(ball.rect.left, 2);

    // Outside two edges at once: both components turn in the same frame.
    ball.rect = Rect(495, 495, 519, 519);
    ball.velocity = CVector(3, 4);
    ball.Animate();
    EXPECT_EQ(ball.velocity.dVx(), -3);
    EXPECT_EQ(ball.velocity.dVy(), -4);
    ExpectRect(ball.rect, 492, 491, 516, 515);
}

TEST_F(BallTest, ComponentsBelowOnePixelNeverMoveIt)
{
    CBall& ball = NewBall();
    ball.velocity = CVector(0.9, -0.9);
    for (int i = 0; i < 10; ++i) ball.Animate();
    ExpectRect(ball.rect, 50, 50, 74, 74);
    ball.velocity = CVector(-4.9, 4.9);
    ball.Animate();
    ExpectRect(ball.rect, 46, 54, 70, 78);
}

// A ball that no paddle touches for long, here running flat between the walls of empty
// sides, turns by itself as Tilt turns it, at the same speed.
TEST_F(BallTest, ABallNoPaddleTouchesForLongTiltsByItself)
{
    CBall& ball = NewBall();
    ball.rect = Rect(100, 244, 124, 268);
    ball.velocity = CVector(5, 0);
    for (unsigned int i = 1; i < CBall::kStuckFrames; ++i) ball.Animate();
    EXPECT_EQ(ball.velocity.dVy(), 0) << "still flat";
    ball.Animate();
    EXPECT_TRUE(MovesOnBothAxes(ball.velocity)) << "tilted";
    EXPECT_NEAR(ball.velocity.dV(), 5, 1e-9);
    EXPECT_TRUE(ball.Stuck());
}

// The held ball sits centred in front of its paddle: overlapping a top or left paddle by
// one pixel, just touching a bottom or right one.
TEST_F(BallTest, AHeldBallSitsInFrontOfItsPaddle)
{
    field.Match();
    CBall& ball = field.Ball();
    struct {
        Side side;
        RECT expected;
    } const cases[] = {
        {SideBottom, {244, 438, 268, 462}},
        {SideLeft, {49, 244, 73, 268}},
        {SideTop, {244, 49, 268, 73}},
        {SideRight, {438, 244, 462, 268}},
    };
    for (const auto& c : cases) {
        ball.holder = field.PaddleOn(c.side);
        ball.holderSide = c.side;
        ball.Animate();
        ExpectRect(ball.rect, c.expected.left, c.expected.top, c.expected.right, c.expected.bottom);
    }
}

TEST_F(BallTest, ANewOwnerRepaintsItAtOnceAndItTakesAnExtraStep)
{
    CMainGame& game = field.Match(true);
    field.SkipCountdown();
    CBall& ball = field.Ball();
    ball.holder = nullptr;
    ball.rect = Rect(200, 200, 224, 224);
    ball.velocity = CVector(5, 0);
    const unsigned int frames = ball.frames;
    CPlayer& player = field.PlayerOn(SideBottom);
    ball.SetPlayer(&player);
    EXPECT_EQ(ball.color, player.options.color);
    EXPECT_EQ(ball.frames, frames + 1);
    EXPECT_EQ(ball.rect.left, 205);
    game.Paint(field.engine->memDC);
    EXPECT_EQ(GetPixel(field.engine->memDC, 217, 212), player.options.color);

    ball.SetPlayer(nullptr);
    EXPECT_EQ(ball.owner, nullptr);
    game.Paint(field.engine->memDC);
    EXPECT_EQ(GetPixel(field.engine->memDC, 222, 212), RGB(255, 255, 255));
}

}  // namespace
