// The program's command line.

#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, TheLastWindowChoiceWinsAndAnswersStopTheReading)
{
    using Action = program::CommandLine::Action;
    const char* windowLast[] = {"quorvel", "--fullscreen", "--window"};
    EXPECT_FALSE(program::ParseCommandLine(3, windowLast).fullscreen);
    const char* fullLast[] = {"quorvel", "--window", "--fullscreen"};
    const program::CommandLine full = program::ParseCommandLine(3, fullLast);
    EXPECT_EQ(full.action, Action::Play);
    EXPECT_TRUE(full.fullscreen);
    const char* help[] = {"quorvel", "-h", "--nonsense"};
    EXPECT_EQ(program::ParseCommandLine(3, help).action, Action::Help);
    const char* bad[] = {"quorvel", "--fullscreen", "", "--help"};
    const program::CommandLine error = program::ParseCommandLine(4, bad);
    EXPECT_EQ(error.action, Action::Error) << "an empty argument is no option";
    EXPECT_EQ(error.error, "unknown option ''");
}

TEST(CommandLineTest, WatchTakesTheFileThatFollows)
{
    using Action = program::CommandLine::Action;
    const char* watch[] = {"quorvel", "--watch", "--window"};
    EXPECT_EQ(program::ParseCommandLine(3, watch).watch, "--window");
    const char* missing[] = {"quorvel", "--watch"};
    const program::CommandLine error = program::ParseCommandLine(2, missing);
    EXPECT_EQ(error.action, Action::Error);
    EXPECT_EQ(error.error, "--watch needs the file of a replay");
}

}  // namespace
