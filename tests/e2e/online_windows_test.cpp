// Two real game windows on one display play one match over loopback, the way two
// players on one machine would set it up: one hosts from the options screen, the other
// types the address into the join screen. Both see the match, and both end on the same
// picture. Screenshots go to online_*.xwd in the working directory.

#include "tests/e2e/online_steps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using e2e::GameWindow;
using e2e::Seconds;
using namespace e2e::online;

const Seconds kMatchPatience(300);

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

    // The host's window, once it lost the focus to the guest's, goes on taking joins.
    ASSERT_TRUE(Host(display, *host.window, "host"));
    ASSERT_TRUE(OpenJoin(display, *guest.window, "guest"));
    guest.window->MoveTo(250, 256);
    e2e::Shell("xdotool type --delay 40 " + e2e::Quote("127.0.0.1:" + port));
    ASSERT_TRUE(Join(display, *guest.window, "guest"));
    ASSERT_TRUE(SeesJoined(display, *host.window)) << "the host never showed the guest's player";
    EXPECT_TRUE(Start(display, *host.window, *guest.window));

    // Both see it to the same end: the game-over screens are the same picture.
    e2e::Shell("xdotool mousemove 1200 1000");
    EXPECT_TRUE(SeesGameOver(display, *host.window, "host", kMatchPatience));
    EXPECT_TRUE(SeesGameOver(display, *guest.window, "guest", kPatience));
    const auto over = display.Screenshot("online_both_over.xwd");
    ASSERT_TRUE(over);
    EXPECT_EQ(Differences(*over, *host.window, *guest.window), 0) << "see online_both_over.xwd";

    for (Player* player : {&guest, &host}) {
        Focus(*player->window);
        player->window->MoveTo(250, 100);
        player->window->Key("Escape");
        EXPECT_EQ(player->game->Wait(kPatience), std::optional<int>(0));
    }
}

}  // namespace
