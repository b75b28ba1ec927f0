// Computer players on the real engine and window system: how well each level returns
// the ball, that they keep to a keyboard player's rules, and that four of them play a
// whole match by themselves, the same way every time for the same seed.

#include "play/computer_input.h"
#include "input/keyboard_input.h"
#include "play/brick.h"
#include "support/field.h"
#include "ui/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kServeSpeed = 7.0710678118;
constexpr int kServeFrames = 400;
constexpr int kMatchFrameLimit = 40000;

CComputerInput* ComputerOf(CPaddle* paddle)
{
    return paddle ? dynamic_cast<CComputerInput*>(paddle->GetChild(str("CComputerInput"), true, 1)) : nullptr;
}

class ComputerTest : public ::testing::Test {
protected:
    // One frame as the window procedure runs it, without the repaint, which changes
    // nothing in the match.
    void Frame()
    {
        field.engine->Animate();
        field.engine->UpdateInput();
    }

    CMainGame* Game() { return dynamic_cast<CMainGame*>(field.Screen()); }

    // Drops the current screen (a match, or the game-over screen that followed it), with
    // the paint cycle open on it.
    void DropScreen()
    {
        field.engine->EndPaint();
        delete field.Screen();
    }

    // A computer player at the bottom alone, without bricks: the ball comes down from the
    // middle of the field at a random place and angle, the paddle waits somewhere along
    // its side. Whether it sends the ball back before the ball leaves.
    bool Serve(unsigned int level, unsigned int seed)
    {
        std::srand(seed);
        field.data->players[0].input->SetComputer(level);
        field.Slots(1, 0, 0, 0);
        field.Match(true);
        delete field.Find<CBricks>("CBricks");
        CPaddle* paddle = field.PaddleOn(SideBottom);
        CComputerInput* computer = ComputerOf(paddle);
        CBall& ball = field.Ball();
        ball.Release(paddle);
        computer->SetButton(0, false);
        computer->position = computer->target = static_cast<unsigned int>(62 + std::rand() % 389);
        const int x = 100 + std::rand() % 313;
        const double angle = 0.4 + (std::rand() % 1000) / 1000.0 * (3.14159265 - 0.8);
        ball.rect = Rect(x - 12, 244, x + 12, 268);
        ball.velocity = CVector(kServeSpeed * std::cos(angle), kServeSpeed * std::sin(angle));
        CPlayer* player = paddle->player;
        bool returned = false;
        for (int frame = 0; frame < kServeFrames && Game() && !returned; ++frame) {
            Frame();
            returned = Game() && ball.owner == player && ball.velocity.dVy() < 0;
        }
        DropScreen();  // the match, or the game-over screen after a miss
        return returned;
    }

    double ReturnRate(unsigned int level, unsigned int serves)
    {
        unsigned int returned = 0;
        for (unsigned int seed = 1; seed <= serves; ++seed) returned += Serve(level, seed) ? 1 : 0;
        const double rate = static_cast<double>(returned) / serves;
        std::printf("%s returns %u of %u serves (%.0f %%)\n", ComputerLevelName(level), returned, serves, 100 * rate);
        return rate;
    }

    // Four computer players at the given levels (bottom, left, top, right) play a seeded
    // match to its end; the frames it took, or the limit.
    struct Outcome {
        int frames = 0;
        std::string winner;
        std::vector<long> trail;  // the ball's place every 50 frames
        bool operator==(const Outcome&) const = default;
    };

    Outcome PlayMatch(unsigned int seed, const std::vector<unsigned int>& levels)
    {
        std::srand(seed);
        for (unsigned int i = 0; i < CData::kPlayers; ++i) field.data->players[i].input->SetComputer(levels[i]);
        field.Match(true);
        Outcome outcome;
        while (Game() && outcome.frames < kMatchFrameLimit) {
            if (outcome.frames == kMatchFrameLimit - 1) {
                const CBall& b = field.Ball();
                std::printf("still going: the ball at (%d, %d) moving (%.2f, %.2f), %s; paddles left %d top %d bottom %d "
                            "right %d\n",
                            static_cast<int>(b.rect.left), static_cast<int>(b.rect.top), b.velocity.dVx(),
                            b.velocity.dVy(), b.holder ? "held" : "free", field.PaddleOn(SideLeft) != nullptr,
                            field.PaddleOn(SideTop) != nullptr, field.PaddleOn(SideBottom) != nullptr,
                            field.PaddleOn(SideRight) != nullptr);
            }
            if (outcome.frames % 50 == 0) outcome.trail.push_back(field.Ball().rect.left * 1000 + field.Ball().rect.top);
            Frame();
            ++outcome.frames;
        }
        if (!Game())
            for (unsigned int n = 1; auto* text = field.Find<CText>("CText", n); ++n)
                if (std::string(text->text).ends_with(" Wins!")) outcome.winner = std::string(text->text);
        DropScreen();
        return outcome;
    }

    Field field;
};

TEST_F(ComputerTest, HardReturnsMostServesAndEasyFewer)
{
    constexpr unsigned int kServes = 200;
    const double easy = ReturnRate(ComputerEasy, kServes);
    const double fair = ReturnRate(ComputerFair, kServes);
    const double hard = ReturnRate(ComputerHard, kServes);
    EXPECT_GE(hard, 0.9);
    EXPECT_LT(easy, hard - 0.1);
    EXPECT_LE(easy, fair);
    EXPECT_LE(fair, hard);
    EXPECT_TRUE(field.session.Boxes().empty()) << "no exception reached the user";
}

// Every frame of a match of four computers: the ball is the same before and after the
// inputs had their say, no paddle moves faster than the keys would take it (and an Easy
// player never uses Speed), and no grab button is down on an empty meter.
TEST_F(ComputerTest, PlaysByAKeyboardPlayersRulesAndOnlyThroughItsPaddle)
{
    std::srand(5);
    for (unsigned int i = 0; i < CData::kPlayers; ++i)
        field.data->players[i].input->SetComputer(i % 2 ? ComputerEasy : ComputerHard);
    field.Match(true);
    const unsigned int perFrame = 4 * CKeyboardInput::StepSize(true);
    const unsigned int easyPerFrame = 4 * CKeyboardInput::StepSize(false);
    int grabs = 0, speeds = 0;
    for (int frame = 0; frame < 3000 && Game(); ++frame) {
        field.engine->Animate();
        if (!Game()) break;
        std::vector<std::pair<CComputerInput*, unsigned int>> before;
        for (unsigned int side = SideLeft; side <= SideRight; ++side)
            if (CComputerInput* computer = ComputerOf(field.PaddleOn(static_cast<Side>(side))))
                before.emplace_back(computer, computer->position);
        const CBall& ball = field.Ball();
        const Rect rect = ball.rect;
        const double vx = ball.velocity.dVx(), vy = ball.velocity.dVy();
        const CPaddle* holder = ball.holder;
        const CPlayer* owner = ball.owner;
        field.engine->UpdateInput();
        ASSERT_TRUE(EqualRect(&rect, &ball.rect)) << "frame " << frame;
        ASSERT_EQ(vx, ball.velocity.dVx());
        ASSERT_EQ(vy, ball.velocity.dVy());
        ASSERT_EQ(holder, ball.holder);
        ASSERT_EQ(owner, ball.owner);
        for (auto [computer, was] : before) {
            const unsigned int moved = computer->position > was ? computer->position - was : was - computer->position;
            ASSERT_LE(moved, computer->level == ComputerEasy ? easyPerFrame : perFrame) << "frame " << frame;
            auto* player = dynamic_cast<CPaddle*>(computer->GetParent())->player;
            if (computer->GetButton(0)) {
                ASSERT_GT(player->meter, 0u) << "frame " << frame;
            }
            grabs += computer->GetButton(0) ? 1 : 0;
            speeds += computer->GetButton(2) ? 1 : 0;
        }
    }
    EXPECT_GT(grabs, 0) << "the computers grab now and then";
    EXPECT_GT(speeds, 0) << "the Hard ones use Speed";
    if (Game()) DropScreen();
    EXPECT_TRUE(field.session.Boxes().empty());
}

TEST_F(ComputerTest, FourComputersFinishEveryMatchAndASeedPlaysTheSameMatchTwice)
{
    const std::vector<unsigned int> fair(4, ComputerFair);
    long total = 0;
    for (unsigned int seed = 1; seed <= 5; ++seed) {
        const Outcome outcome = PlayMatch(seed, seed % 2 ? fair : std::vector<unsigned int>{0, 1, 2, 2});
        ASSERT_LT(outcome.frames, kMatchFrameLimit) << "seed " << seed;
        EXPECT_TRUE(outcome.winner.ends_with(" Wins!")) << "seed " << seed;
        total += outcome.frames;
    }
    std::printf("five matches of four computers: %ld frames on average\n", total / 5);
    const Outcome first = PlayMatch(11, fair), second = PlayMatch(11, fair);
    EXPECT_EQ(first, second);
    EXPECT_TRUE(field.session.Boxes().empty());
}

}  // namespace
