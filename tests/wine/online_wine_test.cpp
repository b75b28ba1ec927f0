// The Windows program under Wine and the Linux program play one match together over
// loopback, on one virtual display: one hosts, the other joins, and the other way round.
// Both end on the same game-over picture, the winner and every score, text drawn by each
// system's GDI aside. Screenshots go to online_*.xwd in the working directory.
//
// Every player at a side is a mouse player whose pointer stays away (the guest takes
// player 2's place), so the ball soon passes them and the match ends within a minute.

#include "tests/e2e/online_steps.h"
#include "tests/wine/wine_prefix.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

using e2e::GameWindow;
using e2e::Seconds;
using namespace e2e::online;
namespace fs = std::filesystem;

const Seconds kMatchPatience(300);

// The host's settings: players 1, 3 and 4 on its mouse, player 2 a computer player whose
// place the guest takes; the guest's: player 1 on its mouse, the host's address to join.
std::string Settings(bool hosting, const std::string& port)
{
    if (hosting)
        return "[Player1]\r\nInput=2\r\n[Player2]\r\nInput=5\r\nLevel=1\r\n"
               "[Player3]\r\nInput=2\r\n[Player4]\r\nInput=2\r\n";
    return "[Player1]\r\nInput=2\r\n[Game]\r\nJoin=127.0.0.1:" + port + "\r\n";
}

void WriteSettings(const fs::path& folder, bool hosting, const std::string& port)
{
    fs::create_directories(folder);
    std::ofstream(folder / "quorvel.ini", std::ios::binary) << Settings(hosting, port);
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

class WineOnline : public ::testing::Test {
protected:
    // Each test is a process of its own under CTest, which may run them side by side: a
    // prefix each.
    void SetUp() override
    {
        if (const auto missing = wine::Missing()) GTEST_SKIP() << *missing;
        ASSERT_TRUE(fs::exists(kWindowsProgram)) << kWindowsProgram << " was not built (is MinGW-w64 installed?)";
        ASSERT_TRUE(display.Ready()) << "Xvfb did not start";
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        prefix.emplace(QUORVEL_BUILD_DIR "/wine/online-" + test);
        ASSERT_TRUE(prefix->Ready()) << prefix->Log();
        fs::remove_all(linuxFolder);
    }
    void TearDown() override { fs::remove_all(linuxFolder); }

    // The Windows program's settings folder, %APPDATA%\Quorvel, in the prefix.
    fs::path WindowsSettingsFolder() const
    {
        const std::string appData = Trimmed(e2e::Shell("wine cmd /c echo %APPDATA% 2>/dev/null").text);
        return fs::path(Trimmed(e2e::Shell("winepath -u " + e2e::Quote(appData) + " 2>/dev/null").text)) / "Quorvel";
    }

    // Plays one match between the two programs; `windowsHosts` says which one hosts.
    void Play(bool windowsHosts)
    {
        const std::string port = std::to_string(20000 + (getpid() * 2 + (windowsHosts ? 1 : 0)) % 30000);
        const std::vector<std::string> hostArguments{"--port", port};
        WriteSettings(WindowsSettingsFolder(), windowsHosts, port);
        WriteSettings(linuxFolder / "quorvel", !windowsHosts, port);

        e2e::Process linux = e2e::StartGame(QUORVEL_BINARY, linuxFolder.string(),
                                            {{"XDG_CONFIG_HOME", linuxFolder.string()}},
                                            windowsHosts ? std::vector<std::string>{} : hostArguments);
        std::optional<GameWindow> linuxWindow = GameWindow::Find("Quorvel", kPatience);
        ASSERT_TRUE(linuxWindow) << "the Linux program's window did not appear";
        Place(*linuxWindow, 0, 0);
        e2e::Process windows = prefix->Start(kWindowsProgram, fs::current_path().string(),
                                             windowsHosts ? hostArguments : std::vector<std::string>{});
        std::optional<GameWindow> windowsWindow = GameWindow::Find("Quorvel", kPatience, linuxWindow->id);
        ASSERT_TRUE(windowsWindow) << "the Windows program's window did not appear";
        Place(*windowsWindow, 640, 0);

        GameWindow& host = windowsHosts ? *windowsWindow : *linuxWindow;
        GameWindow& guest = windowsHosts ? *linuxWindow : *windowsWindow;
        ASSERT_TRUE(Host(display, host, "host"));
        ASSERT_TRUE(OpenJoin(display, guest, "guest"));
        ASSERT_TRUE(Join(display, guest, "guest"));
        ASSERT_TRUE(SeesJoined(display, host)) << "the host never showed the guest's player";
        EXPECT_TRUE(Start(display, host, guest));

        e2e::Shell("xdotool mousemove 1200 1000");
        EXPECT_TRUE(SeesGameOver(display, host, "host", kMatchPatience));
        EXPECT_TRUE(SeesGameOver(display, guest, "guest", kPatience));
        // The same match to the same end: the same winner and scores. Wine's GDI draws
        // text without smoothing where ours smooths it, so only text may differ.
        const auto over = display.Screenshot(e2e::online::Shot("both_over"));
        ASSERT_TRUE(over);
        std::printf("game over: %d client pixels differ, all in text\n", Differences(*over, host, guest));
        EXPECT_EQ(DifferencesBeyondText(*over, host, guest), 0) << "see " << e2e::online::Shot("both_over");

        Quit(*windowsWindow, windows, "windows");
        Quit(*linuxWindow, linux, "linux");
        EXPECT_TRUE(prefix->WaitUntilIdle(Seconds(60))) << "a Wine process was left running";
    }

    // Esc in the window ends its program, with status 0. A click on the field makes the
    // window the active one first (Wine takes the X focus alone as not enough once its
    // window lost it to the other program's).
    void Quit(const GameWindow& window, e2e::Process& program, const std::string& who)
    {
        Focus(window);
        window.Click(250, 100);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        window.Key("Escape");
        const std::optional<int> code = program.Wait(kPatience);
        if (!code) display.Screenshot(e2e::online::Shot(who + "_quit"));
        EXPECT_EQ(code, std::optional<int>(0)) << "the " << who << " program did not end on Esc (see "
                                               << e2e::online::Shot(who + "_quit") << ")";
    }

    const std::string kWindowsProgram = QUORVEL_WINDOWS_DIR "/quorvel.exe";
    const fs::path linuxFolder = fs::temp_directory_path() / ("quorvel-wine-online-" + std::to_string(getpid()));
    e2e::VirtualDisplay display;
    std::optional<wine::Prefix> prefix;
};

TEST_F(WineOnline, WindowsHostsAndLinuxJoins) { Play(true); }

TEST_F(WineOnline, LinuxHostsAndWindowsJoins) { Play(false); }

}  // namespace
