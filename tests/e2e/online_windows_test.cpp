// Two real game windows on one display play one match over loopback, the way two
// players on one machine would set it up: one hosts from the options screen, the other
// types the address into the join screen. Both see the match, and both end on the same
// picture. Screenshots go to online_*.xwd in the working directory.

#include "tests/e2e/x_display.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using e2e::ClientPixel;
using e2e::GameWindow;
using e2e::Picture;
using e2e::Seconds;

constexpr std::uint32_t kGreen = 0x00FF00, kCyan = 0x00FFFF, kWhite = 0xFFFFFF, kGrey = 0x808080;
constexpr std::uint32_t kLit = 0xFFFF00;  // a button under the pointer
const Seconds kPatience(60);
const Seconds kMatchPatience(300);

std::string Shot(const std::string& name) { return "online_" + name + ".xwd"; }

// A game with its own settings folder, so that neither sees the other's (or the
// machine's) players.
struct Player {
    Player(const std::string& name, const std::vector<std::string>& arguments)
        : folder(std::filesystem::temp_directory_path() / ("quorvel-online-" + name + "-" + std::to_string(getpid())))
    {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        game.emplace(e2e::StartGame(QUORVEL_BINARY, folder.string(), {{"XDG_CONFIG_HOME", folder.string()}},
                                    arguments));
    }
    ~Player() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::optional<e2e::Process> game;
    std::optional<GameWindow> window;
};

// Places the window's top-left corner at (x, y) on the screen.
void Place(GameWindow& window, int x, int y)
{
    e2e::Shell("xdotool windowmove --sync " + window.id + " " + std::to_string(x) + " " + std::to_string(y));
    window.Measure();
}

// Gives the window the keyboard focus, as a click would under a window manager: a
// window without it stands still, unless it is in a game with others.
void Focus(const GameWindow& window) { e2e::Shell("xdotool windowfocus --sync " + window.id); }

// Clicks the button at client (x, y), a point of its face, once it lights under the
// pointer: the window runs (a window given the focus starts a moment later).
void Press(const e2e::VirtualDisplay& display, const GameWindow& window, int x, int y, const std::string& what)
{
    window.MoveTo(x, y);
    EXPECT_TRUE(e2e::WaitForClientPixel(display, window, x, y, kLit, Shot(what), kPatience)) << what;
    e2e::Shell("xdotool click 1");
}

// Whether some pixel of the client box (x0..x1, y0..y1) is not the field's grey.
bool Marked(const Picture& picture, const GameWindow& window, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (ClientPixel(picture, window, x, y) != kGrey) return true;
    return false;
}

// The pixels of both windows' client areas differ nowhere: the count of differences.
int Differences(const Picture& picture, const GameWindow& a, const GameWindow& b)
{
    int differ = 0;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            if (ClientPixel(picture, a, x, y) != ClientPixel(picture, b, x, y)) ++differ;
    return differ;
}

TEST(OnlineWindows, TwoWindowsOnOneMachinePlayOneMatchOverLoopback)
{
    e2e::VirtualDisplay display;
    ASSERT_TRUE(display.Ready()) << "Xvfb did not start";
    const std::string port = std::to_string(20000 + getpid() % 30000);

    Player host("host", {"--port", port});
    ASSERT_TRUE(host.game->Started());
    host.window = GameWindow::Find("Quorvel", kPatience);
    ASSERT_TRUE(host.window) << "the host's window did not appear";
    Place(*host.window, 0, 0);
    Player guest("guest", {});
    ASSERT_TRUE(guest.game->Started());
    guest.window = GameWindow::Find("Quorvel", kPatience, host.window->id);
    ASSERT_TRUE(guest.window) << "the guest's window did not appear";
    Place(*guest.window, 640, 0);

    // The host: New Game, then Host game beside Start.
    Focus(*host.window);
    Press(display, *host.window, 222, 337, "host_new_game");
    ASSERT_TRUE(e2e::WaitForClientPixel(display, *host.window, 96, 455, kGreen, Shot("host_options"), kPatience));
    Press(display, *host.window, 97, 468, "host_host_game");

    // The guest: New Game, Join game, the host's address, Join. The host's window, now
    // without the focus, goes on taking joins.
    Focus(*guest.window);
    Press(display, *guest.window, 222, 337, "guest_new_game");
    ASSERT_TRUE(e2e::WaitForClientPixel(display, *guest.window, 346, 455, kGreen, Shot("guest_options"), kPatience));
    Press(display, *guest.window, 347, 468, "guest_join_game");
    ASSERT_TRUE(e2e::WaitForClientPixel(display, *guest.window, 160, 250, kWhite, Shot("guest_join"), kPatience));
    guest.window->MoveTo(250, 256);
    e2e::Shell("xdotool type --delay 40 " + e2e::Quote("127.0.0.1:" + port));
    Press(display, *guest.window, 222, 318, "guest_join");

    // The guest's player takes player 2's place on the host: its button says so, in a
    // caption wider than the button.
    std::optional<Picture> joined;
    const bool seen = e2e::WaitFor(
        [&] {
            joined = display.Screenshot(Shot("host_joined"));
            return joined && Marked(*joined, *host.window, 206, 376, 214, 386);
        },
        kPatience);
    ASSERT_TRUE(seen) << "the host never showed the guest's player (see " << Shot("host_joined") << ")";

    // Start on the host starts the match in both windows.
    Focus(*host.window);
    Press(display, *host.window, 222, 468, "host_start");
    EXPECT_TRUE(e2e::WaitForClientPixel(display, *host.window, 110, 110, kCyan, Shot("host_match"), kPatience));
    EXPECT_TRUE(e2e::WaitForClientPixel(display, *guest.window, 110, 110, kCyan, Shot("guest_match"), kPatience));

    // Both see it to the same end: the game-over screens are the same picture.
    e2e::Shell("xdotool mousemove 1200 1000");
    EXPECT_TRUE(e2e::WaitForClientPixel(display, *host.window, 221, 398, kGreen, Shot("host_over"), kMatchPatience));
    EXPECT_TRUE(e2e::WaitForClientPixel(display, *guest.window, 221, 398, kGreen, Shot("guest_over"), kPatience));
    const auto over = display.Screenshot(Shot("both_over"));
    ASSERT_TRUE(over);
    EXPECT_EQ(Differences(*over, *host.window, *guest.window), 0) << "see " << Shot("both_over");

    for (Player* player : {&guest, &host}) {
        Focus(*player->window);
        player->window->MoveTo(250, 100);
        player->window->Key("Escape");
        EXPECT_EQ(player->game->Wait(kPatience), std::optional<int>(0));
    }
}

}  // namespace
