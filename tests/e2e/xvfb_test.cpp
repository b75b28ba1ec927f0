// The real game binary under Xvfb, played through xdotool the way a player would: New
// Game, the options screen, Start, steering the bottom paddle, Pause, New Game, Esc.
// Screenshots go to e2e_*.xwd in the working directory, for a look after a failure.

#include "tests/e2e/x_display.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <thread>

namespace {

using e2e::ClientPixel;
using e2e::GameWindow;
using e2e::Picture;
using e2e::Seconds;

constexpr std::uint32_t kGreen = 0x00FF00, kBlue = 0x0000FF, kRed = 0xFF0000, kOrange = 0xFF7F00;
constexpr std::uint32_t kCyan = 0x00FFFF, kWhite = 0xFFFFFF, kBlack = 0x000000, kGrey = 0x808080;
const Seconds kPatience(60);
// The row through the bottom paddle, and the middle of that paddle before it moves: the
// pointer's column when the match starts.
constexpr int kPaddleRow = 482, kPaddleStart = 255;

std::string Hex(std::optional<std::uint32_t> colour)
{
    if (!colour) return "outside";
    char text[8];
    std::snprintf(text, sizeof text, "%06X", *colour);
    return text;
}

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.Ready()) << "Xvfb did not start (is the xvfb package installed?)";
        game.emplace(e2e::StartGame(QUORVEL_BINARY, std::filesystem::temp_directory_path().string()));
        ASSERT_TRUE(game->Started());
        window = GameWindow::Find("Quorvel", kPatience);
        ASSERT_TRUE(window) << "no window titled \"Quorvel\" appeared";
        std::printf("window %s at (%d, %d), %d x %d, scale %d\n", window->id.c_str(), window->left, window->top,
                    window->width, window->height, window->scale);
    }

    // Waits until the client pixel has the colour, and gives the first picture that
    // showed it; on failure says what it had, and gives an empty picture.
    Picture ExpectSoon(int x, int y, std::uint32_t colour, const char* what)
    {
        const std::string shot = Shot(what);
        if (auto picture = e2e::WaitForClientPixel(display, *window, x, y, colour, shot, kPatience)) return *picture;
        ADD_FAILURE() << what << ": client (" << x << ", " << y << ") is " << Hex(Pixel(x, y)) << ", not "
                      << Hex(colour) << " (see " << shot << ")";
        return Picture();
    }

    std::optional<std::uint32_t> Pixel(int x, int y)
    {
        const auto picture = display.Screenshot(Shot("now"));
        return picture ? ClientPixel(*picture, *window, x, y) : std::nullopt;
    }

    Picture Screen(const char* name)
    {
        auto picture = display.Screenshot(Shot(name));
        return picture ? *picture : Picture();
    }

    static std::string Shot(const char* name) { return std::string("e2e_") + name + ".xwd"; }

    void Press() { e2e::Shell("xdotool mousedown 1"); }
    void Release() { e2e::Shell("xdotool mouseup 1"); }

    e2e::VirtualDisplay display;
    std::optional<e2e::Process> game;
    std::optional<GameWindow> window;
};

// Whether a white (unowned) ball stands in the strip just above the bottom paddle,
// around the column x.
bool BallAbovePaddle(const Picture& picture, const GameWindow& window, int x)
{
    for (int y = 425; y < 462; ++y)
        for (int dx = -40; dx <= 40; ++dx)
            if (ClientPixel(picture, window, x + dx, y) == kWhite) return true;
    return false;
}

// The window wears the game's 64 x 64 icon and cannot be made smaller than the picture
// at 1x (512 x 512 and the 20-row menu bar).
TEST_F(RealWindow, HasTheGamesIconAndNoSizeBelowOneToOne)
{
    const e2e::Output icon = e2e::Shell("xprop -id " + window->id + " _NET_WM_ICON | head -c 200");
    EXPECT_NE(icon.text.find("Icon (64 x 64)"), std::string::npos) << icon.text;
    const e2e::Output hints = e2e::Shell("xprop -id " + window->id + " WM_NORMAL_HINTS");
    EXPECT_NE(hints.text.find("minimum size: 512 by 532"), std::string::npos) << hints.text;
    window->Key("Escape");
    EXPECT_EQ(game->Wait(kPatience), std::optional<int>(0));
}

TEST_F(RealWindow, APlayerStartsAMatchSteersPausesStartsOverAndQuits)
{
    // The intro, with the pointer away from its button (which lights up under it).
    window->MoveTo(20, 20);
    ExpectSoon(255, 330, kGreen, "intro");
    ExpectSoon(219, 322, kGreen, "intro button's top-left");
    ExpectSoon(291, 339, kGreen, "intro button's bottom-right");

    window->Click(255, 330);
    window->MoveTo(20, 20);
    const Picture options = ExpectSoon(255, 235, kBlue, "options");  // player 1's rounded slot at the bottom
    EXPECT_EQ(Hex(ClientPixel(options, *window, 183, 155)), Hex(kGreen)) << "player 2's rounded slot on the left";
    EXPECT_EQ(Hex(ClientPixel(options, *window, 219, 72)), Hex(kRed)) << "player 3's square slot at the top";
    EXPECT_EQ(Hex(ClientPixel(options, *window, 291, 89)), Hex(kRed)) << "its opposite corner";
    EXPECT_EQ(Hex(ClientPixel(options, *window, 330, 155)), Hex(kOrange)) << "player 4's slot on the right";
    EXPECT_EQ(Hex(ClientPixel(options, *window, 322, 119)), Hex(kOrange)) << "its top-left corner";
    EXPECT_NE(Hex(ClientPixel(options, *window, 219, 222)), Hex(kBlue)) << "a rounded slot has no corners";

    // Start, holding the button: the match's first paddle holds the ball while the
    // button stays down and its grab energy lasts (about a second), and a held grab
    // button draws the paddle black. The paddles start where the pointer is. The first
    // picture of the match is checked.
    window->MoveTo(255, 462);
    Press();
    const Picture match = ExpectSoon(112, 112, kCyan, "match");
    window->Key("F3");
    EXPECT_TRUE(BallAbovePaddle(match, *window, kPaddleStart)) << "the white ball waits above the bottom paddle";
    EXPECT_EQ(Hex(ClientPixel(match, *window, kPaddleStart, kPaddleRow)), Hex(kBlack)) << "the paddle, grabbing";

    // Paused, the paddle stays where it was and the match says so; going on, it follows
    // the pointer.
    window->MoveTo(450, 470);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const Picture paused = Screen("paused");
    EXPECT_EQ(Hex(ClientPixel(paused, *window, kPaddleStart, kPaddleRow)), Hex(kBlack)) << "a paused paddle stays";
    EXPECT_EQ(Hex(ClientPixel(paused, *window, 450, kPaddleRow)), Hex(kGrey));
    EXPECT_EQ(Hex(ClientPixel(paused, *window, 145, 255)), Hex(kBlack)) << "\"Paused\" over the field (its P)";
    window->Key("F3");
    ExpectSoon(450, kPaddleRow, kBlack, "the bottom paddle under the pointer");
    Release();

    window->MoveTo(20, 20);
    window->Key("F2");
    ExpectSoon(255, 330, kGreen, "the intro after New Game");

    window->Key("Escape");
    const auto code = game->Wait(kPatience);
    ASSERT_TRUE(code) << "the game did not end on Esc";
    EXPECT_EQ(*code, 0);
}

// F11 fills the screen with the picture at the largest whole scale, black bars around
// it, and clicks still land on what they point at; Alt+Enter gives the window back.
TEST_F(RealWindow, FullScreenIsLetterBoxedAndTakesClicks)
{
    window->MoveTo(20, 20);
    ExpectSoon(255, 330, kGreen, "intro");
    const int windowWidth = window->width;
    window->Key("F11");
    ASSERT_TRUE(e2e::WaitFor([&] { return window->Measure() && window->width == 1280; }, kPatience))
        << "the window did not fill the 1280 x 1024 screen";
    EXPECT_EQ(window->scale, 2) << "without its menu bar, the picture fits 1024 rows twice";
    window->MoveTo(20, 20);
    const Picture full = ExpectSoon(255, 330, kGreen, "full-screen intro");
    EXPECT_EQ(Hex(full.At(window->left + 5, window->top + 5)), Hex(kBlack)) << "the bar left of the picture";
    EXPECT_EQ(Hex(ClientPixel(full, *window, 5, 5)), Hex(kGrey)) << "the picture itself";

    window->Click(255, 330);
    window->MoveTo(20, 20);
    ExpectSoon(255, 235, kBlue, "options, after a click in full screen");

    window->Key("alt+Return");
    EXPECT_TRUE(e2e::WaitFor([&] { return window->Measure() && window->width == windowWidth; }, kPatience))
        << "Alt+Enter gives the window back";
    window->Key("Escape");
    EXPECT_EQ(game->Wait(kPatience), std::optional<int>(0));
}

// Our own X11 image and SDL's window surface put the same pictures on the screen, to the
// pixel: the window at 1x with its menu bar, and full screen at 2x with black bars.
TEST_F(RealWindow, TheX11ImageShowsWhatTheWindowSurfaceShows)
{
    const auto pictures = [&](const char* presenter) {
        e2e::Shell("xdotool mousemove 0 0");
        ExpectSoon(255, 330, kGreen, presenter);
        std::vector<Picture> shown{Screen(presenter)};
        window->Key("F11");
        EXPECT_TRUE(e2e::WaitFor([&] { return window->Measure() && window->width == 1280; }, kPatience));
        e2e::Shell("xdotool mousemove 0 0");
        ExpectSoon(255, 330, kGreen, presenter);
        shown.push_back(Screen(presenter));
        window->Key("Escape");
        EXPECT_EQ(game->Wait(kPatience), std::optional<int>(0));
        return shown;
    };
    const std::vector<Picture> own = pictures("x11");
    game.emplace(e2e::StartGame(QUORVEL_BINARY, std::filesystem::temp_directory_path().string(),
                                {{"QUORVEL_PRESENT", "surface"}}));
    window = GameWindow::Find("Quorvel", kPatience);
    ASSERT_TRUE(window) << "no window with SDL's window surface";
    const std::vector<Picture> sdl = pictures("surface");
    for (std::size_t i = 0; i < own.size(); ++i) {
        ASSERT_EQ(own[i].Width(), sdl[i].Width());
        ASSERT_EQ(own[i].Height(), sdl[i].Height());
        for (int y = 0; y < own[i].Height(); ++y)
            for (int x = 0; x < own[i].Width(); ++x)
                if (own[i].At(x, y) != sdl[i].At(x, y))
                    FAIL() << "picture " << i << " at (" << x << ", " << y << "): " << Hex(own[i].At(x, y))
                           << " against " << Hex(sdl[i].At(x, y));
    }
}

}  // namespace
