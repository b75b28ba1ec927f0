#include "app/gamer.h"
#include "app/main_window.h"
#include "app/resources.h"
#include "app/version.h"
#include "play/ball.h"
#include "play/countdown.h"
#include "play/main_game.h"
#include "platform/host/headless/program.h"
#include "platform/host/headless/session.h"
#include "model/data.h"
#include "ui/game.h"
#include "screens/intro.h"
#include "support/pause_check.h"
#include "ui/get_key.h"

#include <gtest/gtest.h>

namespace {

using headless::Program;
using headless::Session;

class Shell : public ::testing::Test {
protected:
    CGamer& Engine()
    {
        CGamer* engine = CurrentGamer();
        if (!engine) throw std::runtime_error("no engine");
        return *engine;
    }

    Session session;
};

TEST_F(Shell, WindowHasA512ClientCentredInTheWorkArea)
{
    Program program(session);
    RECT client{}, frame{};
    GetClientRect(session.Window(), &client);
    EXPECT_EQ(client.right - client.left, 512);
    EXPECT_EQ(client.bottom - client.top, 512);
    POINT origin{0, 0};
    ClientToScreen(session.Window(), &origin);
    EXPECT_EQ(origin.x, (1920 - 512) / 2);
    EXPECT_EQ(origin.y, (1080 - 512) / 2);
    GetWindowRect(session.Window(), &frame);
    EXPECT_GT(frame.bottom - frame.top, 512) << "the menu bar sits above the client area";
    program.Tap(VK_ESCAPE);
}

TEST_F(Shell, OddExcessWidthGivesOneMorePixel)
{
    session.SetWorkArea(RECT{0, 0, 1279, 1024});
    Program program(session);
    RECT client{};
    GetClientRect(session.Window(), &client);
    EXPECT_EQ(client.right - client.left, 513);
    EXPECT_EQ(client.bottom - client.top, 512);
    program.Tap(VK_ESCAPE);
}

TEST_F(Shell, ActivationDrivesTheClockAndPauseSurvivesAFocusChange)
{
    Program program(session);
    EXPECT_TRUE(Engine().running) << "showing the window activates it";
    program.Focus(false);
    EXPECT_FALSE(Engine().running);
    program.Focus(true);
    EXPECT_TRUE(Engine().running);

    program.Tap(VK_F3);
    EXPECT_TRUE(Engine().paused);
    EXPECT_FALSE(Engine().running);
    program.Focus(false);
    program.Focus(true);
    EXPECT_FALSE(Engine().running) << "switching back does not resume a paused game";
    program.Tap(VK_F3);
    EXPECT_TRUE(Engine().running);
    program.Tap(VK_ESCAPE);
}

TEST_F(Shell, BossKeyMinimisesAndStopsTheClock)
{
    Program program(session);
    program.Tap(VK_F1);
    EXPECT_FALSE(Engine().running);
    EXPECT_FALSE(Engine().paused);
    program.Focus(true);
    EXPECT_TRUE(Engine().running) << "restoring resumes an unpaused game";
    program.Tap(VK_ESCAPE);
}

// Every way the clock stops and starts again during a match counts down before the ball
// moves: the player pausing, the window losing its focus, the boss key. The ball stayed
// where it was; in the old game it flew on the instant the window came back.
TEST_F(Shell, AMatchCountsDownAgainWheneverItGoesOnAndSaysWhenItIsPaused)
{
    Program program(session);
    program.Click(255, 330);
    program.Frames(30);
    program.Click(255, 460);  // Start
    program.Frames(2);
    auto* match = dynamic_cast<CMainGame*>(Engine().GetGame());
    ASSERT_NE(match, nullptr);
    CBall& ball = *dynamic_cast<CBall*>(match->FindChild(str("CBall"), true, 1));
    EXPECT_TRUE(match->countdown->Running());
    program.Frames(CCountdown::kFrames + 30);
    ASSERT_FALSE(match->countdown->Running());
    ASSERT_EQ(ball.holder, nullptr) << "served";

    const auto stillFor = [&](const char* how) {
        const Rect at = ball.rect;
        EXPECT_TRUE(match->countdown->Running()) << how;
        program.Frames(CCountdown::kFrames - 2);
        EXPECT_TRUE(EqualRect(&at, &ball.rect)) << how << ": the ball waits through the countdown";
        program.Frames(3);
        EXPECT_FALSE(EqualRect(&at, &ball.rect)) << how << ": then it flies on";
    };
    program.Tap(VK_F3);
    EXPECT_TRUE(Engine().paused);
    EXPECT_TRUE(PauseChecked(session.Window()));
    program.Tap(VK_F3);
    EXPECT_FALSE(PauseChecked(session.Window()));
    stillFor("after a pause");

    program.Focus(false);
    program.Focus(true);
    stillFor("after a focus loss");

    program.Tap(VK_F1);
    program.Command(resources::kPauseGame);  // F3 on a minimised window
    EXPECT_FALSE(Engine().paused) << "nothing toggles unseen";
    EXPECT_FALSE(PauseChecked(session.Window()));
    program.Focus(true);
    stillFor("after the boss key");
    program.Tap(VK_ESCAPE);
}

TEST_F(Shell, NewGameReplacesTheScreenWithAFreshIntro)
{
    Program program(session);
    program.Frames(2);
    CGame* before = Engine().GetGame();
    program.Click(255, 330);  // "New Game" on the intro leads to the options
    program.Frames(2);
    ASSERT_FALSE(Engine().GetGame()->IsType(str("CIntro")));
    program.Tap(VK_F2);
    CGame* after = Engine().GetGame();
    EXPECT_TRUE(after->IsType(str("CIntro")));
    EXPECT_NE(after, before);
    EXPECT_EQ(Engine().children.Count(), 8u)
        << "settings, the replays, the records, four input makers and one screen";
    EXPECT_TRUE(Engine().running);
    program.Frames(3);
    EXPECT_EQ(session.Pixel(255, 330), RGB(255, 255, 0)) << "the intro's button, lit by the pointer still on it";
    program.Tap(VK_ESCAPE);
}

// A click whose press and release both arrive between two ticks still lands, and a
// screen's buttons see the pointer where it already is: a second foot button on the
// same spot works without moving the mouse.
TEST_F(Shell, AClickShorterThanAFrameLandsAndTheNextScreenKnowsWhereThePointerIs)
{
    using user::input::Button;
    Program program(session);
    program.Frames(2);
    program.MoveTo(255, 330);
    program.Press(Button::Left);
    program.Release(Button::Left);
    program.Frames(2);
    ASSERT_TRUE(Engine().GetGame()->IsType(str("COptions")));
    program.Click(250, 410);
    program.Frames(2);
    program.Click(250, 310);
    program.Frames(2);
    ASSERT_TRUE(Engine().GetGame()->IsType(str("CColorOptions")));
    program.Click(250, 460);
    program.Frames(2);
    ASSERT_TRUE(Engine().GetGame()->IsType(str("CPlayerOptions")));
    program.Frames(30);  // past the double-click time
    program.Press(Button::Left);
    program.Release(Button::Left);
    program.Frames(2);
    EXPECT_TRUE(Engine().GetGame()->IsType(str("COptions"))) << "the player screen's Back, under the pointer";
    program.Tap(VK_ESCAPE);
}

// Esc while a key-capture field waits ends the wait and keeps the stored key; the next
// Esc ends the program.
TEST_F(Shell, EscDuringKeyCaptureCancelsTheCaptureNotTheProgram)
{
    Program program(session);
    program.Frames(2);
    program.Click(250, 330);
    program.Frames(2);
    program.Click(250, 410);
    program.Frames(2);
    program.Click(150, 180);
    program.Frames(2);
    program.Click(300, 150);  // the first field: Up
    program.Frames(2);
    auto* field = dynamic_cast<CGetKey*>(Engine().FindChild(str("CGetKey"), true, 1));
    ASSERT_NE(field, nullptr) << "the keyboard screen";
    ASSERT_TRUE(field->active);
    const unsigned int key = *field->key;
    program.Tap(VK_ESCAPE);
    program.Frames(2);
    EXPECT_FALSE(program.Finished());
    EXPECT_FALSE(field->active);
    EXPECT_EQ(*field->key, key) << "Esc is not captured";
    program.Tap(VK_ESCAPE);
    EXPECT_TRUE(program.Finished());
}

TEST_F(Shell, TiltWithoutABallChangesNothing)
{
    Program program(session);
    program.Frames(2);
    CGame* game = Engine().GetGame();
    const unsigned int frames = Engine().frames;
    program.Tap(VK_F12);
    EXPECT_FALSE(Engine().Tilt());
    EXPECT_EQ(Engine().GetGame(), game);
    EXPECT_EQ(Engine().frames, frames);
    EXPECT_TRUE(session.Boxes().empty());
    program.Tap(VK_ESCAPE);
}

TEST_F(Shell, EscapeEndsTheProgramWithExitCodeZero)
{
    Program program(session);
    program.Frames(3);
    program.Tap(VK_ESCAPE);
    EXPECT_TRUE(program.Finished());
    EXPECT_EQ(program.ExitCode(), 0);
    EXPECT_EQ(CurrentGamer(), nullptr) << "the engine went with the window";
}

TEST_F(Shell, AboutBoxOpensFromAltSlashAndAltQuestionMark)
{
    Program program(session);
    program.KeyDown(VK_MENU);
    program.Tap(VK_OEM_2);
    program.KeyUp(VK_MENU);
    ASSERT_EQ(session.Boxes().size(), 1u);
    EXPECT_EQ(session.Boxes()[0].text, QUORVEL_ABOUT_VERSION_LINE "\n" QUORVEL_LICENCE_LINE);
    EXPECT_EQ(session.Boxes()[0].caption, "About Quorvel");
    program.KeyDown(VK_MENU);
    program.KeyDown(VK_SHIFT);
    program.Tap(VK_OEM_2);
    program.KeyUp(VK_SHIFT);
    program.KeyUp(VK_MENU);
    EXPECT_EQ(session.Boxes().size(), 2u);
    program.Tap(VK_ESCAPE);
}

// A graphic that fails in one frame.
class Faulty : public CGraphic {
public:
    explicit Faulty(const LList<CObject>& parents) : CGraphic(parents, Rect()) { type.Load("Faulty"); }
    void Animate() override
    {
        CGraphic::Animate();
        if (frames == failAt) throw XDomainError(type + str("::Animate"));
    }
    unsigned int failAt = 0;
};

TEST_F(Shell, AnExceptionInAFrameIsShownOnceAndTheGameGoesOn)
{
    Program program(session);
    auto* faulty = new Faulty(LList<CObject>(false, 1, Engine().GetGame()));
    faulty->failAt = faulty->frames + 2;
    program.Frames(5);
    ASSERT_EQ(session.Boxes().size(), 1u);
    EXPECT_EQ(session.Boxes()[0].caption, "Exception Caught");
    EXPECT_EQ(session.Boxes()[0].text, "Faulty::Animate: The value of a parameter was not within its domain.");
    EXPECT_EQ(session.Boxes()[0].type & MB_ICONERROR, MB_ICONERROR);
    const unsigned int frames = faulty->frames;
    program.Frames(3);
    EXPECT_EQ(faulty->frames, frames + 3) << "the next frames run";
    EXPECT_EQ(program.Finished(), false);
    program.Tap(VK_ESCAPE);
    EXPECT_EQ(program.ExitCode(), 0);
}

}  // namespace
