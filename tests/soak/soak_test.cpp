// A long run of the whole program under seeded random input: pointer moves and clicks,
// every bindable key, menu commands and focus changes, biased so that the chain of
// screens is walked over and over. After every frame it checks what can be seen from
// outside; at every fresh intro it checks that memory and drawing objects are back where
// they were. Set QUORVEL_SOAK_SEED to replay a run, QUORVEL_SOAK_FRAMES to change its
// length (100,000 frames by default).

#include "app/gamer.h"
#include "app/main_window.h"
#include "play/ball.h"
#include "play/paddle.h"
#include "play/player.h"
#include "model/data.h"
#include "platform/gdi/font.h"
#include "play/countdown.h"
#include "play/main_game.h"
#include "platform/host/headless/program.h"
#include "platform/host/headless/session.h"
#include "platform/user/window_system.h"
#include "ui/game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <tuple>
#include <string>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORVEL_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUORVEL_SOAK_ASAN 1
#endif
#ifdef QUORVEL_SOAK_ASAN
// From the AddressSanitizer runtime (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

using headless::Program;
using headless::Session;
using user::input::Button;

constexpr int kField = 512;

unsigned long EnvNumber(const char* name, unsigned long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

// Bytes the program holds on the heap, when the allocator can tell.
std::optional<std::size_t> HeapInUse()
{
#ifdef QUORVEL_SOAK_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return std::nullopt;
#endif
}

DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

// The children of `parent` that answer to `type`.
std::vector<CObject*> ChildrenOf(CObject* parent, const char* type)
{
    std::vector<CObject*> found;
    if (!parent) return found;
    const str wanted(type);
    for (LNode<CObject>* node = parent->children.head; node; node = node->next)
        if (node->item->HasType(wanted)) found.push_back(node->item);
    return found;
}

CObject* ChildOf(CObject* parent, const char* type)
{
    const auto found = ChildrenOf(parent, type);
    return found.empty() ? nullptr : found.front();
}

// Where the buttons that move along the chain sit on each screen.
const std::map<std::string, std::vector<POINT>>& ChainButtons()
{
    static const std::map<std::string, std::vector<POINT>> buttons = {
        {"CIntro", {{255, 330}}},
        {"COptions", {{255, 462}, {255, 462}, {255, 412}, {255, 382}, {255, 352}, {255, 322},
                      {255, 230}, {180, 155}, {255, 80}, {330, 155}}},
        {"CPlayerOptions", {{255, 462}, {255, 312}, {180, 181}, {180, 106}, {255, 144}, {255, 387}, {255, 255}}},
        {"CKeyboardConfig", {{255, 462}, {311, 156}, {311, 181}, {311, 206}, {311, 231}, {311, 256},
                             {311, 281}, {311, 306}}},
        {"CMouseConfig", {{255, 462}}},
        {"CComputerConfig", {{255, 462}, {255, 181}, {255, 231}, {255, 281}}},
        {"CColorOptions", {{255, 462}, {181, 160}, {256, 240}, {331, 200}}},
        {"CChoosePaddle", {{255, 462}, {255, 282}, {255, 182}}},
        {"CPaddleOptions", {{255, 312}, {255, 252}, {255, 192}, {255, 132}}},
        {"CGameOver", {{255, 406}}},
    };
    return buttons;
}

// Keys a player may bind or type; the menu's own keys (F1, F2, F3, F12, Esc) are sent as
// commands instead, at a rate of their own.
std::vector<UINT> OrdinaryKeys()
{
    std::vector<UINT> keys;
    for (UINT k = 'A'; k <= 'Z'; ++k) keys.push_back(k);
    for (UINT k = '0'; k <= '9'; ++k) keys.push_back(k);
    for (UINT k : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_RETURN, VK_SHIFT, VK_CONTROL, VK_BACK,
                   VK_TAB, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11})
        keys.push_back(k);
    return keys;
}

class Soak {
public:
    Soak(Session& session, Program& program, unsigned long seed)
        : session(session), program(program), random(seed), keys(OrdinaryKeys())
    {
    }

    void Run(unsigned long frames)
    {
        while (framesRun < frames && !::testing::Test::HasFatalFailure()) Step();
        for (UINT key : held) program.KeyUp(key);
    }

    const std::map<std::string, int>& Visits() const { return visits; }
    int FreshIntros() const { return freshIntros; }
    int HeapChecks() const { return heapChecks; }
    unsigned long FramesRun() const { return framesRun; }

private:
    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    CGamer& Engine() { return *CurrentGamer(); }
    std::string ScreenType() { return Engine().GetGame() ? std::string(Engine().GetGame()->type) : ""; }

    // While a match counts down, players wait for it: frames pass and the pointer moves
    // (the paddles follow it), nothing else; otherwise every focus change and pause would
    // hold the ball again and matches would rarely end.
    bool CountingDown()
    {
        auto* match = dynamic_cast<CMainGame*>(Engine().GetGame());
        return match && Engine().running && match->countdown->Running();
    }

    void Step()
    {
        const int dice = Roll(CountingDown() ? 800 : 1000);
        if (dice < 680) Frame();
        else if (dice < 800) MovePointer();
        else if (dice < 850) ClickChainButton();
        else if (dice < 880) ClickAnywhere();
        else if (dice < 900) MouseButton();
        else if (dice < 980) Key();
        else if (dice < 990) MenuCommand();
        else FocusChange();
        KeepTheGameGoing();
        AfterInput();
    }

    void Frame()
    {
        const bool counts = Engine().running;
        program.Frames(1);
        if (counts) ++framesRun;
        CheckFrame();
        if (++framesSeen % kPresentCheckPeriod == 0) CheckPresented();
        ++sinceLastScreen;
    }

    void MovePointer() { program.MoveTo(Roll(kField + 40) - 20, Roll(kField + 40) - 20); }

    void ClickChainButton()
    {
        auto place = ChainButtons().find(ScreenType());
        if (place == ChainButtons().end()) return;
        const POINT p = place->second[Roll(static_cast<int>(place->second.size()))];
        program.Click(p.x + Roll(5) - 2, p.y + Roll(5) - 2);
    }

    void ClickAnywhere() { program.Click(Roll(kField), Roll(kField)); }

    void MouseButton()
    {
        const auto button = static_cast<Button>(Roll(3));
        if (Roll(2))
            program.Press(button);
        else
            program.Release(button);
    }

    // Letters and digits typed on the player screen go into the player's name: mostly
    // leave them out there, so that names change now and then rather than all the time.
    void Key()
    {
        const UINT key = keys[Roll(static_cast<int>(keys.size()))];
        const bool typing = key < VK_F1 && std::isalnum(static_cast<int>(key));
        if (typing && ScreenType() == "CPlayerOptions" && !held.count(key) && Roll(10) != 0) return;
        if (held.count(key)) {
            program.KeyUp(key);
            held.erase(key);
        } else {
            program.KeyDown(key);
            held.insert(key);
        }
    }

    void MenuCommand()
    {
        static constexpr std::array<WORD, 5> ids = {303, 304, 304, 302, 104};
        if (Roll(8) == 0) {
            program.Command(301);  // New Game
            return;
        }
        program.Command(ids[Roll(static_cast<int>(ids.size()))]);
    }

    void FocusChange() { program.Focus(Roll(2) == 1); }

    // A paused, minimised or unfocused game comes back after a while, and a match that
    // drags on is ended by New Game, so that the chain keeps moving.
    void KeepTheGameGoing()
    {
        if (!Engine().running && Roll(20) == 0) {
            if (Engine().paused) program.Command(303);
            program.Focus(true);
        }
        if (sinceLastScreen > 6000) program.Command(301);
    }

    void AfterInput()
    {
        ASSERT_FALSE(program.Finished()) << "the program ended after " << framesRun << " frames";
        CheckBoxes();
        CheckScreen();
    }

    void CheckBoxes()
    {
        const auto& boxes = session.Boxes();
        for (; boxesSeen < boxes.size(); ++boxesSeen)
            ASSERT_NE(boxes[boxesSeen].caption, "Exception Caught")
                << boxes[boxesSeen].text << " (after " << framesRun << " frames)";
    }

    void CheckScreen()
    {
        CGame* game = Engine().GetGame();
        ASSERT_NE(game, nullptr) << "no screen after " << framesRun << " frames";
        ASSERT_EQ(ChildrenOf(&Engine(), "CGame").size(), 1u) << "one current screen";
        if (game == current) return;
        current = game;
        sinceLastScreen = 0;
        ++visits[ScreenType()];
        match = {};
        if (ScreenType() == "CIntro") FreshIntro();
    }

    // What may legitimately make the heap grow between two intros: faces opened and glyphs
    // rendered for the first time (cached for the run: the countdown's large numbers open
    // a face of their own in the first match), message boxes and sounds recorded by the host, longer
    // names typed into the settings, this test's own record of held keys, and the blocks
    // that the window system's message queues and key tables keep once they grew (4 KiB
    // in all, well below what a screen left behind would hold).
    struct Footprint {
        std::size_t glyphs, boxes, nameLetters, heldKeys, sounds, faces;
    };

    Footprint Measure()
    {
        std::size_t letters = 0;
        if (CData* data = FindData(&Engine()))
            for (const SPlayerOptions& player : data->players) letters += player.name.Size();
        return {gdi::GlyphRenderCount(), session.Boxes().size(), letters, held.size(), session.Sounds().size(),
                gdi::FaceOpenCount()};
    }

    static std::size_t Growth(std::size_t before, std::size_t after, std::size_t each)
    {
        return after > before ? (after - before) * each : 0;
    }

    // A new box may also double the host's list of them.
    static std::size_t BoxGrowth(std::size_t before, std::size_t after)
    {
        if (after <= before) return 0;
        return Growth(before, after, 256) + 2 * after * sizeof(headless::RecordedBox);
    }

    // The host's list of sounds played may double when it grows.
    static std::size_t SoundGrowth(std::size_t before, std::size_t after)
    {
        return after > before ? 2 * after * sizeof(headless::PlayedSound) : 0;
    }

    static std::size_t Allowance(const Footprint& before, const Footprint& after)
    {
        return 4096 + Growth(before.glyphs, after.glyphs, 4096) + BoxGrowth(before.boxes, after.boxes) +
               SoundGrowth(before.sounds, after.sounds) +
               Growth(before.nameLetters, after.nameLetters, 64) + Growth(before.heldKeys, after.heldKeys, 64) +
               Growth(before.faces, after.faces, 128 * 1024);
    }

    // Every intro after the first (the first options screen makes the settings once)
    // has the drawing objects of the second, and a heap no larger than the previous
    // intro's plus what the footprint allows.
    void FreshIntro()
    {
        program.Frames(1);
        ++freshIntros;
        Engine().settings.Flush();  // a save still being written holds the file's text
        const DWORD objects = GdiObjects();
        const auto heap = HeapInUse();
        const Footprint footprint = Measure();
        if (freshIntros == 2) baselineObjects = objects;
        if (freshIntros > 2) {
            EXPECT_EQ(objects, baselineObjects) << "drawing objects at intro " << freshIntros;
        }
        if (freshIntros > 2 && heap) {
            EXPECT_LE(*heap, *lastHeap + Allowance(lastFootprint, footprint))
                << "heap at intro " << freshIntros << " after " << framesRun << " frames; glyphs "
                << lastFootprint.glyphs << " -> " << footprint.glyphs << ", boxes " << lastFootprint.boxes << " -> "
                << footprint.boxes << ", name letters " << lastFootprint.nameLetters << " -> "
                << footprint.nameLetters << ", held keys " << lastFootprint.heldKeys << " -> " << footprint.heldKeys
                << ", sounds " << lastFootprint.sounds << " -> " << footprint.sounds
                << ", faces " << lastFootprint.faces << " -> " << footprint.faces;
            ++heapChecks;
        }
        lastHeap = heap;
        lastFootprint = footprint;
    }

    struct MatchState {
        std::map<unsigned int, unsigned int> scores;  // by player number
        std::array<int, 5> outside{};                 // frames in a row beyond each side
        unsigned int ballFrames = 0;                  // the ball's steps when last looked at
        int level = 0;  // steps in a row not moving on one axis, with no paddle touching it
    };
    static constexpr unsigned long kPresentCheckPeriod = 8;
    unsigned long framesSeen = 0;

    // What the host shows is the client area: a change the damage missed stays stale in
    // the host's picture until that part changes again, so a look every few frames
    // catches it.
    void CheckPresented()
    {
        const user::Window* window = user::FindWindow(session.Window());
        const gdi::Surface* shown = session.PresentedFrame();
        const bool menuOver = window && window->menu && window->menu->IsOpen();  // a pop-up covers it
        if (!window || window->minimized || menuOver || !shown) return;
        const gdi::Surface& client = window->client;
        for (int y = 0; y < client.Height(); ++y)
            ASSERT_TRUE(std::equal(client.Row(y), client.Row(y) + client.Width(),
                                   shown->Row(y + window->MenuBarHeight())))
                << "row " << y << " differs from what was presented, after " << framesRun << " frames";
    }

    // One second of frames.
    static constexpr int kLevelLimit = 50;

    void CheckFrame()
    {
        CGame* game = Engine().GetGame();
        if (!game || game != current || !game->HasType(str("CMainGame"))) return;
        const auto players = ChildrenOf(ChildOf(game, "CPlayers"), "CPlayer");
        CheckScores(players);
        if (CObject* ball = ChildOf(game, "CBall")) CheckBall(*static_cast<CBall*>(ball), players);
    }

    void CheckScores(const std::vector<CObject*>& players)
    {
        for (CObject* object : players) {
            const auto& player = *static_cast<CPlayer*>(object);
            unsigned int& last = match.scores[player.options.number];
            ASSERT_GE(player.score, last) << "player " << player.options.number << " lost points";
            last = player.score;
        }
    }

    // A ball may stand beyond a side for one frame: the paddle there drops out, or an
    // empty side sends it back. Only beyond an empty side may it stay longer: skimming
    // along it while it turns back slower than a pixel a frame, or sent out again by a
    // paddle in the corner. It never gets farther out than one step.
    void CheckBall(const CBall& ball, const std::vector<CObject*>& players)
    {
        if (ball.frames == match.ballFrames) return;  // paused, or out of focus: it did not move
        match.ballFrames = ball.frames;
        const Rect& r = ball.rect;
        const double dx = ball.velocity.dVx(), dy = ball.velocity.dVy();
        const std::array<bool, 5> beyond = {false, r.left < 0, r.top < 0, r.bottom > kField, r.right > kField};
        const LONG reach = static_cast<LONG>(std::abs(dx) + std::abs(dy)) + 1;
        auto where = [&] {
            std::ostringstream text;
            text << "the ball at (" << r.left << ", " << r.top << ") moving (" << dx << ", " << dy << ") after "
                 << framesRun << " frames";
            return text.str();
        };
        ASSERT_TRUE(r.left > -reach && r.top > -reach && r.right < kField + reach && r.bottom < kField + reach)
            << where();
        for (unsigned int side = SideLeft; side <= SideRight; ++side) {
            match.outside[side] = beyond[side] ? match.outside[side] + 1 : 0;
            if (match.outside[side] < 2) continue;
            ASSERT_FALSE(HasPaddle(players, static_cast<Side>(side))) << "beyond a guarded side " << side << ": "
                                                                        << where();
        }
        CheckLevel(ball, players);
        ASSERT_LE(match.level, kLevelLimit) << "level for over a second, untouched: " << where();
    }

    // A flying ball that moves by whole pixels on one axis only skims along a wall or
    // bounces between two walls; a paddle touching it may turn it.
    void CheckLevel(const CBall& ball, const std::vector<CObject*>& players)
    {
        const bool level = static_cast<int>(ball.velocity.dVx()) == 0 || static_cast<int>(ball.velocity.dVy()) == 0;
        if (ball.holder || ball.waiting || !level || Touched(ball, players))
            match.level = 0;
        else
            ++match.level;
    }

    static bool Touched(const CBall& ball, const std::vector<CObject*>& players)
    {
        for (CObject* player : players)
            for (CObject* paddle : ChildrenOf(player, "CPaddle"))
                if (ball.Touches(static_cast<CPaddle*>(paddle)->rect)) return true;
        return false;
    }

    static bool HasPaddle(const std::vector<CObject*>& players, Side side)
    {
        for (CObject* player : players)
            for (CObject* paddle : ChildrenOf(player, "CPaddle"))
                if (static_cast<CPaddle*>(paddle)->side == side) return true;
        return false;
    }

    Session& session;
    Program& program;
    std::mt19937 random;
    std::vector<UINT> keys;
    std::set<UINT> held;
    std::map<std::string, int> visits;
    CGame* current = nullptr;
    MatchState match;
    std::size_t boxesSeen = 0;
    unsigned long framesRun = 0;
    int sinceLastScreen = 0;
    int freshIntros = 0;
    int heapChecks = 0;
    DWORD baselineObjects = 0;
    std::optional<std::size_t> lastHeap;
    Footprint lastFootprint{};
};

// The run is cut into shards with seeds of their own, so that CTest can run them side by
// side: together they make QUORVEL_SOAK_FRAMES frames (100,000 unless set). The seeds
// are fixed so that every run walks the same way; QUORVEL_SOAK_SEED walks another.
constexpr int kShards = 8;
constexpr unsigned long kDefaultSeed = 20261216;

class Soaking : public ::testing::TestWithParam<int> {};

TEST_P(Soaking, RandomInputWalksEveryScreenWithoutFaultOrLeak)
{
    const int shard = GetParam();
    const unsigned long base = EnvNumber("QUORVEL_SOAK_SEED", kDefaultSeed);
    const unsigned long seed = base + static_cast<unsigned long>(shard);
    const unsigned long frames = EnvNumber("QUORVEL_SOAK_FRAMES", 100000) / kShards;
    std::printf("soak shard %d: seed %lu, %lu frames; replay with QUORVEL_SOAK_SEED=%lu --gtest_filter='*/%d'\n",
                shard, seed, frames, base, shard);
    std::fflush(stdout);
    RecordProperty("seed", std::to_string(seed));

    Session session;
    Program program(session);
    std::srand(static_cast<unsigned int>(seed));  // the game seeded its matches from the clock
    Soak soak(session, program, seed);
    soak.Run(frames);
    if (HasFatalFailure()) return;

    for (const char* screen : {"CIntro", "COptions", "CPlayerOptions", "CKeyboardConfig", "CMouseConfig",
                               "CComputerConfig", "CColorOptions", "CChoosePaddle", "CPaddleOptions", "CMatchScreen",
                               "CGameOver"})
        EXPECT_GT(soak.Visits().count(screen), 0u) << screen << " was never shown (seed " << seed << ")";
    for (const auto& [screen, count] : soak.Visits()) std::printf("%-16s %d visits\n", screen.c_str(), count);
    EXPECT_GE(soak.FreshIntros(), 3);
    if (HeapInUse()) {
        EXPECT_GT(soak.HeapChecks(), 0) << "no two intros to compare the heap at";
    }
    std::printf("%d fresh intros, %d heap comparisons, %lu frames\n", soak.FreshIntros(), soak.HeapChecks(),
                soak.FramesRun());

    // Keys reach the window again once it has the focus; a menu that a random click
    // opened takes the first Esc itself, as menus do.
    program.Focus(true);
    for (int tries = 0; tries < 3 && !program.Finished(); ++tries) program.Tap(VK_ESCAPE);
    EXPECT_TRUE(program.Finished());
    EXPECT_EQ(program.ExitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Soak, Soaking, ::testing::Range(0, kShards));

}  // namespace
