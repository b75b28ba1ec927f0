// The game binary's answers on the command line, and without a display.

#include "app/version.h"
#include "tests/e2e/x_display.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs the game with the environment changes and arguments; its exit status and what
// it wrote to standard output and standard error together.
e2e::Output RunGame(const std::string& environment, const std::string& arguments)
{
    return e2e::Shell("(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ASAN_OPTIONS=detect_leaks=0 " +
                      environment + " " + e2e::Quote(QUORVEL_BINARY) + " " + arguments + " 2>&1)");
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CommandLine, HelpVersionAndABadOption)
{
    const e2e::Output help = RunGame("", "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Has(help.text, "Usage: quorvel")) << help.text;
    EXPECT_TRUE(Has(help.text, "--fullscreen")) << help.text;
    EXPECT_TRUE(Has(help.text, "man 6 quorvel")) << help.text;

    const e2e::Output version = RunGame("", "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text, "quorvel " QUORVEL_VERSION "\n" QUORVEL_LICENCE_LINE "\n");
    EXPECT_TRUE(Has(version.text, "MIT licence")) << version.text;

    const e2e::Output bad = RunGame("", "--fast");
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(Has(bad.text, "unknown option '--fast'")) << bad.text;
    EXPECT_TRUE(Has(bad.text, "Usage: quorvel")) << bad.text;
}

// Without a display the game says what it tried and how to run it, and fails; a driver
// that shows nothing runs only when asked for.
TEST(CommandLine, NoDisplayIsAnErrorUnlessAHeadlessDriverIsAskedFor)
{
    const e2e::Output none = RunGame("", "");
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(Has(none.text, "no display")) << none.text;
    EXPECT_TRUE(Has(none.text, "DISPLAY is not set")) << none.text;
    EXPECT_TRUE(Has(none.text, "DISPLAY=:0 quorvel")) << none.text;

    const e2e::Output dummy = RunGame("SDL_VIDEODRIVER=dummy timeout 3", "--window");
    EXPECT_EQ(dummy.status, 124) << "still running when stopped: " << dummy.text;
}

}  // namespace
