// The runner that the replay tool and the end-to-end tests stand on: the game's own
// WinMain on its own thread, handing control back and forth with the test.

#include "platform/host/headless/program.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kIntroBackground = RGB(128, 128, 128);
constexpr COLORREF kNewGameGreen = RGB(0, 255, 0);

class ProgramTest : public ::testing::Test {
protected:
    headless::Session session;
    headless::Program program{session};
};

TEST_F(ProgramTest, StartsPaintedAndEachFrameIsOneTimerPeriod)
{
    ASSERT_FALSE(program.Finished());
    EXPECT_EQ(session.Pixel(5, 5), kIntroBackground);
    EXPECT_EQ(session.Pixel(221, 324), kNewGameGreen);
    const DWORD start = session.Now();
    program.Frames(5);
    EXPECT_EQ(session.Now() - start, 100u);  // five 20 ms periods

    program.Tap(VK_ESCAPE);
    EXPECT_TRUE(program.Finished());
    EXPECT_EQ(program.ExitCode(), 0);
}

TEST_F(ProgramTest, TheCloseBoxEndsTheProgram)
{
    session.Close();
    program.Run();
    EXPECT_TRUE(program.Finished());
    EXPECT_EQ(program.ExitCode(), 0);
}

TEST_F(ProgramTest, MenuItemsAreFoundByTheirText)
{
    EXPECT_TRUE(program.Menu("About ..."));
    EXPECT_EQ(session.Boxes().size(), 1u);
    EXPECT_TRUE(program.Menu("Pause Game"));
    EXPECT_FALSE(program.Menu("Nothing like it"));
    EXPECT_FALSE(program.Finished());
}

TEST(ProgramEndTest, AProgramLeftRunningIsClosedWhenItsRunnerGoes)
{
    headless::Session session;
    {
        headless::Program program(session);
        program.Frames(2);
    }
    EXPECT_EQ(session.Window(), nullptr);
}

}  // namespace
