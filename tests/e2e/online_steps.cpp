#include "tests/e2e/online_steps.h"

#include <gtest/gtest.h>

namespace e2e::online {

// Tests that run side by side write screenshots of their own: the test's name is in it.
std::string Shot(const std::string& name)
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string owner = test ? std::string(test->test_suite_name()) + "." + test->name() + "_" : "";
    return "online_" + owner + name + ".xwd";
}

namespace {

constexpr std::uint32_t kGreen = 0x00FF00, kCyan = 0x00FFFF, kWhite = 0xFFFFFF, kGrey = 0x808080;
constexpr std::uint32_t kLit = 0x7FFF7F;  // a green button under the pointer, paler

// Whether some pixel of the client box (x0..x1, y0..y1) is not the field's grey.
bool Marked(const Picture& picture, const GameWindow& window, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (ClientPixel(picture, window, x, y) != kGrey) return true;
    return false;
}

// New Game on the intro, and the options screen with its online buttons.
bool OpenOptions(const VirtualDisplay& display, const GameWindow& window, const std::string& who)
{
    Focus(window);
    return Press(display, window, 222, 337, who + "_new_game") &&
           WaitForClientPixel(display, window, 96, 455, kGreen, Shot(who + "_options"), kPatience);
}

enum class Kind { Grey, Green, Ink };

Kind KindAt(const Picture& picture, const GameWindow& window, int x, int y)
{
    const std::optional<std::uint32_t> colour = ClientPixel(picture, window, x, y);
    if (colour == kGrey) return Kind::Grey;
    if (colour == kGreen) return Kind::Green;
    return Kind::Ink;
}

bool InkNear(const Picture& picture, const GameWindow& window, int x, int y, int reach)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (KindAt(picture, window, x + dx, y + dy) == Kind::Ink) return true;
    return false;
}

}  // namespace

const Seconds kPatience(120);

void Place(GameWindow& window, int x, int y)
{
    Shell("xdotool windowmove --sync " + window.id + " " + std::to_string(x) + " " + std::to_string(y));
    window.Measure();
}

void Focus(const GameWindow& window) { Shell("xdotool windowfocus --sync " + window.id); }

bool Press(const VirtualDisplay& display, const GameWindow& window, int x, int y, const std::string& what)
{
    window.MoveTo(x, y);
    if (!WaitForClientPixel(display, window, x, y, kLit, Shot(what), kPatience)) return false;
    Shell("xdotool click 1");
    return true;
}

bool Host(const VirtualDisplay& display, const GameWindow& window, const std::string& who)
{
    return OpenOptions(display, window, who) && Press(display, window, 97, 468, who + "_host_game");
}

bool OpenJoin(const VirtualDisplay& display, const GameWindow& window, const std::string& who)
{
    return OpenOptions(display, window, who) && Press(display, window, 347, 468, who + "_join_game") &&
           WaitForClientPixel(display, window, 160, 250, kWhite, Shot(who + "_join"), kPatience);
}

bool Join(const VirtualDisplay& display, const GameWindow& window, const std::string& who)
{
    return Press(display, window, 222, 318, who + "_join");
}

// A machine has joined the host: its lobby line, centred under the small field, has
// gone from "Hosting on port N: waiting for players to join" to the shorter
// "Hosting on port N: 1 machine has joined", so the longer one's start is bare now.
bool SeesJoined(const VirtualDisplay& display, const GameWindow& host)
{
    return WaitFor(
        [&] {
            const auto joined = display.Screenshot(Shot("host_joined"));
            return joined && Marked(*joined, host, 150, 266, 160, 276) && !Marked(*joined, host, 134, 266, 142, 276);
        },
        kPatience);
}

bool Start(const VirtualDisplay& display, const GameWindow& host, const GameWindow& guest)
{
    Focus(host);
    if (!Press(display, host, 222, 468, "host_start")) return false;
    const bool hostPlays = WaitForClientPixel(display, host, 110, 110, kCyan, Shot("host_match"), kPatience).has_value();
    const bool guestPlays = WaitForClientPixel(display, guest, 110, 110, kCyan, Shot("guest_match"), kPatience).has_value();
    return hostPlays && guestPlays;
}

bool SeesGameOver(const VirtualDisplay& display, const GameWindow& window, const std::string& who, Seconds limit)
{
    // Continue's fill, left of its caption.
    return WaitForClientPixel(display, window, 272, 456, kGreen, Shot(who + "_over"), limit).has_value();
}

int Differences(const Picture& picture, const GameWindow& a, const GameWindow& b, int x0, int y0, int x1, int y1)
{
    int differ = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (ClientPixel(picture, a, x, y) != ClientPixel(picture, b, x, y)) ++differ;
    return differ;
}

int DifferencesBeyondText(const Picture& picture, const GameWindow& a, const GameWindow& b, int reach)
{
    int differ = 0;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            const Kind inA = KindAt(picture, a, x, y), inB = KindAt(picture, b, x, y);
            if (inA == inB) continue;
            const bool explained = (inA == Kind::Ink && InkNear(picture, b, x, y, reach)) ||
                                   (inB == Kind::Ink && InkNear(picture, a, x, y, reach));
            if (!explained) ++differ;
        }
    return differ;
}

}  // namespace e2e::online
