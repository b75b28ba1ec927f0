// Pads and the match clock, on the whole program: Start pauses and resumes, a pad that
// goes away pauses, a player who drops out feels a short rumble.

#include "app/gamer.h"
#include "app/main_window.h"
#include "model/controls.h"
#include "platform/host/headless/program.h"
#include "play/ball.h"
#include "model/data.h"
#include "ui/game.h"
#include "support/pause_check.h"

#include <gtest/gtest.h>

namespace {

class PadClock : public ::testing::Test {
protected:
    // From the intro to a match in which players 1 and 3 play at the bottom and the top
    // on pads 0 and 2; pad 2 is plugged in only with `thirdPad`.
    void StartPadMatch(bool thirdPad = true)
    {
        program.Click(250, 330);  // "New Game"
        program.Frames(2);
        CData& data = *FindData(Engine());
        const unsigned int slots[4] = {1, 0, 3, 0};
        for (unsigned int s = 0; s < 4; ++s) data.padPlayers[s] = slots[s];
        data.players[0].input->SetPad(0);
        data.players[2].input->SetPad(2);
        pads.Connect(0, "Pad one");
        if (thirdPad) pads.Connect(2, "Pad three");
        program.Click(250, 460);  // "Start"
        program.Frames(2);
        ASSERT_STREQ(Engine()->GetGame()->type, "CMatchScreen");
    }

    CGamer* Engine() { return CurrentGamer(); }
    unsigned int Frame() { return Engine()->frames; }

    void Tap(DWORD pad, WORD button)
    {
        pads.Press(pad, button, true);
        program.Frames(1);
        pads.Press(pad, button, false);
        program.Frames(1);
    }

    headless::Session session;
    headless::Program program{session};
    headless::HeadlessPads& pads = session.Pads();
};

TEST_F(PadClock, StartPausesAndResumesAndAPadThatGoesPausesUntilItIsBack)
{
    StartPadMatch();
    Tap(2, XINPUT_GAMEPAD_START);
    ASSERT_TRUE(Engine()->paused) << "Start on any pad in use pauses";
    const unsigned int stopped = Frame();
    program.Frames(10);
    EXPECT_EQ(Frame(), stopped) << "paused, nothing moves";
    const DWORD before = session.Now();
    program.Frames(5);
    EXPECT_EQ(session.Now() - before, 100u) << "the pads are watched at the frame rate";
    Tap(0, XINPUT_GAMEPAD_START);
    EXPECT_FALSE(Engine()->paused) << "and any resumes";
    program.Frames(3);
    EXPECT_GT(Frame(), stopped);

    pads.Disconnect(2);
    program.Frames(1);
    ASSERT_TRUE(Engine()->paused) << "unplugged";
    Tap(0, XINPUT_GAMEPAD_START);
    EXPECT_TRUE(Engine()->paused) << "not even from the other pad: pad 2's player would drop out at once";
    pads.Connect(2, "Pad three again");
    program.Frames(3);
    EXPECT_TRUE(Engine()->paused) << "plugging in does not resume by itself";
    Tap(0, XINPUT_GAMEPAD_START);
    EXPECT_FALSE(Engine()->paused) << "the other pad may resume once every pad is back";
    const unsigned int resumed = Frame();
    program.Frames(4);
    EXPECT_EQ(Frame(), resumed + 4) << "the pad timer is gone with the clock running: one tick, one frame";
    EXPECT_STREQ(Engine()->GetGame()->type, "CMatchScreen") << "nothing was lost";
}

// A pad that is already missing when the match starts counts as pulled out then: the
// match waits, saying so, until the pad is back and Start goes on.
TEST_F(PadClock, AMatchWhosePadIsMissingStartsPausedUntilThePadIsBack)
{
    StartPadMatch(false);
    ASSERT_TRUE(Engine()->paused) << "pad 2 was not plugged in";
    EXPECT_TRUE(PauseChecked(session.Window()));
    const unsigned int stopped = Frame();
    program.Frames(10);
    EXPECT_EQ(Frame(), stopped);
    EXPECT_EQ(session.Pixel(145, 255), RGB(0, 0, 0)) << "the stem of the P of \"Paused\"";
    pads.Connect(2, "Pad three");
    program.Frames(3);
    EXPECT_TRUE(Engine()->paused) << "plugging in does not resume by itself";
    Tap(2, XINPUT_GAMEPAD_START);
    EXPECT_FALSE(Engine()->paused);
    EXPECT_FALSE(PauseChecked(session.Window()));
}

// F3 does not go on while a pad in play is out: its player would drop out at once.
TEST_F(PadClock, F3WaitsForAMissingPadAndGoesOnOnceItIsBack)
{
    StartPadMatch(false);
    ASSERT_TRUE(Engine()->paused);
    program.Tap(VK_F3);
    program.Frames(5);
    EXPECT_TRUE(Engine()->paused) << "pad 2 is still out";
    pads.Connect(2, "Pad three");
    program.Frames(2);
    program.Tap(VK_F3);
    const unsigned int resumed = Frame();
    program.Frames(5);
    EXPECT_FALSE(Engine()->paused);
    EXPECT_EQ(Frame(), resumed + 5);
}

TEST_F(PadClock, StartOnAPadNobodyPlaysOnAMenuOrWithoutTheFocusDoesNothing)
{
    pads.Connect(1, "Spare pad");
    Tap(1, XINPUT_GAMEPAD_START);
    EXPECT_FALSE(Engine()->paused) << "on the intro";
    StartPadMatch();
    Tap(1, XINPUT_GAMEPAD_START);
    EXPECT_FALSE(Engine()->paused) << "a pad nobody plays with";
    pads.Disconnect(1);
    program.Frames(1);
    EXPECT_FALSE(Engine()->paused);

    program.Focus(false);
    Tap(0, XINPUT_GAMEPAD_START);
    EXPECT_FALSE(Engine()->paused) << "another window has the focus";
    program.Focus(true);
    Tap(0, XINPUT_GAMEPAD_START);
    EXPECT_TRUE(Engine()->paused);
    program.Focus(false);
    Tap(0, XINPUT_GAMEPAD_START);
    EXPECT_TRUE(Engine()->paused) << "nor does it resume in the background";
}

TEST_F(PadClock, APlayerWhoDropsOutFeelsAShortRumble)
{
    StartPadMatch();
    // Both paddles stand aside at the left end; the ball is let go and will leave.
    pads.Stick(0, -32768, 0);
    pads.Stick(2, -32768, 0);
    Tap(0, XINPUT_GAMEPAD_A);
    int frames = 0;
    auto rumbling = [&] { return pads.Motors(0).wLeftMotorSpeed != 0 || pads.Motors(2).wLeftMotorSpeed != 0; };
    while (!rumbling() && frames++ < 3000) program.Frames(1);
    ASSERT_TRUE(rumbling()) << "somebody dropped out";
    program.Frames(20);
    EXPECT_FALSE(rumbling()) << "a quarter of a second later the motors are still again";
}

}  // namespace
