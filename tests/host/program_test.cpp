// The demo program run end to end on the headless host, as the game will be.

#include "platform/host/headless/program.h"
#include "tools/demo/demo_program.h"

#include <gtest/gtest.h>

namespace {

class ProgramTest : public ::testing::Test {
protected:
    headless::Session session;
    headless::Program program{session, demo::Main};
};

TEST_F(ProgramTest, StartsPaintsTicksAndEndsWithEscape)
{
    ASSERT_FALSE(program.Finished());
    EXPECT_EQ(demo::Seen().activations, 1);
    EXPECT_GE(demo::Seen().paints, 1);
    EXPECT_EQ(session.Pixel(5, 5), demo::kBackground);
    EXPECT_EQ(session.Pixel(140, 135), demo::kBrick);

    program.Frames(5);
    EXPECT_EQ(demo::Seen().ticks, 5);
    EXPECT_EQ(session.Now(), 100u);  // five 20 ms periods

    program.Tap(VK_ESCAPE);
    EXPECT_TRUE(program.Finished());
    EXPECT_EQ(program.ExitCode(), 0);
}

TEST_F(ProgramTest, ClicksDoubleClicksAndTheCloseBox)
{
    program.Click(250, 330);
    program.Frames(30);  // 600 ms: too slow for a double click
    program.Click(250, 330);
    EXPECT_EQ(demo::Seen().clicks, 2);
    EXPECT_EQ(demo::Seen().doubleClicks, 0);
    program.Click(250, 330);  // a click held over a frame is still quick enough to double
    EXPECT_EQ(demo::Seen().clicks, 2);
    EXPECT_EQ(demo::Seen().doubleClicks, 1);

    session.Close();
    program.Run();
    EXPECT_TRUE(program.Finished());
}

TEST_F(ProgramTest, BossKeyMinimisesAndStopsTheClockUntilFocusReturns)
{
    program.Frames(2);
    program.Tap(VK_F1);
    EXPECT_EQ(demo::Seen().lastCommand, demo::kCommandBoss);
    EXPECT_EQ(demo::Seen().deactivations, 1);
    program.Frames(3);
    EXPECT_EQ(demo::Seen().ticks, 2);
    program.Focus(true);
    program.Frames(3);
    EXPECT_EQ(demo::Seen().ticks, 5);
}

TEST_F(ProgramTest, AboutBoxFromTheAcceleratorAndTheMenu)
{
    program.KeyDown(VK_MENU);
    program.Tap(VK_OEM_2);
    program.KeyUp(VK_MENU);
    ASSERT_EQ(session.Boxes().size(), 1u);
    EXPECT_EQ(session.Boxes()[0].text, "Quorvel window system demo");

    EXPECT_TRUE(program.Menu("About ..."));
    EXPECT_EQ(session.Boxes().size(), 2u);
    EXPECT_TRUE(program.Menu("Pause Game"));
    EXPECT_EQ(demo::Seen().lastCommand, demo::kCommandPause);
    EXPECT_FALSE(program.Menu("Nothing like it"));
    EXPECT_FALSE(program.Finished());
}

TEST(ProgramEndTest, AProgramLeftRunningIsClosedWhenItsRunnerGoes)
{
    headless::Session session;
    {
        headless::Program program(session, demo::Main);
        program.Frames(2);
    }
    EXPECT_EQ(session.Window(), nullptr);
}

}  // namespace
