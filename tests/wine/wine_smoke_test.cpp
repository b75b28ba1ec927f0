// The Windows program under Wine, on a virtual X display, played the way a player would:
// the intro, New Game, the options screen, Start, the match, the About box by its
// accelerator, and Esc to quit. Screenshots go to wine_*.xwd in the working directory.

#include "tests/e2e/x_display.h"
#include "tests/wine/wine_prefix.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

namespace {

using e2e::GameWindow;
using e2e::Seconds;

constexpr std::uint32_t kGreen = 0x00FF00, kBlue = 0x0000FF, kCyan = 0x00FFFF;
// Wine may take a while to start on a busy machine.
const Seconds kPatience(120);

std::string Hex(std::optional<std::uint32_t> colour)
{
    if (!colour) return "outside";
    char text[8];
    std::snprintf(text, sizeof text, "%06X", *colour);
    return text;
}

// The program's visible X windows: its main window, and the About box while it is open.
std::vector<std::string> VisibleWindows()
{
    std::istringstream ids(e2e::Shell("xdotool search --onlyvisible --classname quorvel.exe").text);
    std::vector<std::string> windows;
    for (std::string id; std::getline(ids, id);) windows.push_back(id);
    return windows;
}

class WineSmoke : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const auto missing = wine::Missing()) GTEST_SKIP() << *missing;
        ASSERT_TRUE(std::filesystem::exists(kProgram)) << kProgram << " was not built (is MinGW-w64 installed?)";
        ASSERT_TRUE(display.Ready()) << "Xvfb did not start";
        prefix.emplace(QUORVEL_BUILD_DIR "/wine/smoke");
        ASSERT_TRUE(prefix->Ready()) << prefix->Log();
    }

    // Whether the client pixel comes to have the colour; says what it had when not.
    bool Soon(int x, int y, std::uint32_t colour, const char* what)
    {
        const std::string shot = std::string("wine_") + what + ".xwd";
        if (e2e::WaitForClientPixel(display, *window, x, y, colour, shot, kPatience)) return true;
        const auto now = display.Screenshot(shot);
        ADD_FAILURE() << what << ": client (" << x << ", " << y << ") is "
                      << Hex(now ? e2e::ClientPixel(*now, *window, x, y) : std::nullopt) << ", not " << Hex(colour)
                      << " (see " << shot << ")";
        return false;
    }

    const std::string kProgram = QUORVEL_WINDOWS_DIR "/quorvel.exe";
    e2e::VirtualDisplay display;
    std::optional<wine::Prefix> prefix;
    std::optional<GameWindow> window;
};

TEST_F(WineSmoke, IntroOptionsMatchAboutBoxAndExit)
{
    e2e::Process game = prefix->Start(kProgram, std::filesystem::current_path().string());
    ASSERT_TRUE(game.Started());
    window = GameWindow::Find("Quorvel", kPatience);
    ASSERT_TRUE(window) << "no window titled \"Quorvel\" appeared";
    std::printf("window at (%d, %d), %d x %d\n", window->left, window->top, window->width, window->height);

    window->MoveTo(20, 20);
    ASSERT_TRUE(Soon(222, 325, kGreen, "intro"));  // the New Game button, beside its text
    window->Click(255, 330);
    window->MoveTo(20, 20);
    ASSERT_TRUE(Soon(255, 235, kBlue, "options"));  // player 1's slot at the bottom
    window->Click(255, 462);                 // Start
    ASSERT_TRUE(Soon(112, 112, kCyan, "match"));  // the wall of bricks

    // The About box: a second window of the program. Its picture is kept in
    // wine_about.xwd. (Opened over the running game on a display without a window
    // manager, Wine leaves it unpainted; the same box in a program of its own paints.)
    window->Key("alt+slash");
    ASSERT_TRUE(e2e::WaitFor([] { return VisibleWindows().size() >= 2; }, kPatience)) << "Alt+/ opened no About box";
    std::this_thread::sleep_for(std::chrono::seconds(1));
    display.Screenshot("wine_about.xwd");
    window->Key("Escape");
    EXPECT_TRUE(e2e::WaitFor([] { return VisibleWindows().size() == 1; }, kPatience))
        << "Esc left the About box open";

    // The About box gave the activation back: Esc is the game's again, and quits.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    window->Key("Escape");
    const auto code = game.Wait(kPatience);
    ASSERT_TRUE(code) << "the program did not end on Esc";
    EXPECT_EQ(*code, 0);
    EXPECT_TRUE(prefix->WaitUntilIdle(Seconds(60))) << "a Wine process was left running";
}

}  // namespace
