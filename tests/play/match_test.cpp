// Whole matches on the real engine and window system, frame by frame as the window
// procedure runs them, from the serve to the game-over screen.

#include "gdi/png.h"
#include "play/brick.h"
#include "play/sudden_death.h"
#include "model/sounds.h"
#include "support/field.h"
#include "ui/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace {

constexpr int kFrameLimit = 60000;

class MatchTest : public ::testing::Test {
protected:
    // Runs frames, steering every mouse paddle with `steer` before each, until the match
    // screen has been replaced; returns the number of frames.
    int PlayOut(const std::function<void(CMainGame&)>& steer)
    {
        for (int frame = 1; frame <= kFrameLimit; ++frame) {
            auto* game = dynamic_cast<CMainGame*>(field.Screen());
            if (!game) return frame - 1;
            steer(*game);
            field.Frame();
        }
        return kFrameLimit;
    }

    // Lets go of the ball the first paddle holds for its player.
    void LetGo() { field.engine->MouseDown(0, false); }

    // The game-over screen's banner.
    std::string Banner()
    {
        EXPECT_STREQ(field.Screen()->type, "CGameOver");
        for (unsigned int n = 1; auto* text = field.Find<CText>("CText", n); ++n) {
            const std::string shown = static_cast<const char*>(text->text);
            if (shown.ends_with(" Wins!")) return shown;
        }
        return "";
    }

    // Closes the paint cycle and drops the screen: everything the match made is gone.
    void ExpectNothingLeftSince(DWORD gdiObjects)
    {
        field.engine->EndPaint();
        delete field.Screen();
        EXPECT_EQ(Field::GdiObjects(), gdiObjects);
        EXPECT_TRUE(field.session.Boxes().empty()) << "no exception reached the user";
    }

    // The names of the sounds started since the last call.
    std::vector<std::string> NewSounds()
    {
        std::vector<std::string> names;
        const auto& played = field.session.Sounds();
        for (; heard < played.size(); ++heard) names.push_back(SoundName(played[heard].id));
        return names;
    }

    // Bricks hit so far: those gone and those crumbling.
    int BricksBroken()
    {
        auto* wall = field.Find<CBricks>("CBricks");
        int broken = 64 - static_cast<int>(wall->count);
        for (unsigned int n = 1; auto* brick = dynamic_cast<CBrick*>(wall->GetChild(str("CBrick"), true, n)); ++n)
            if (brick->animator) ++broken;
        return broken;
    }

    // The top paddle catches everything, the bottom one nothing (see the first match).
    void TopCatchesBottomMisses()
    {
        const Rect& b = field.Ball().rect;
        if (field.Ball().velocity.dVy() < 0)
            field.Follow();
        else
            field.engine->MouseMove(b.left < 256 ? 450 : 60, 256);
    }

    Field field;
    std::size_t heard = 0;
};

TEST_F(MatchTest, TheTopPlayerOutlastsTheBottomOneAndWins)
{
    field.Mice();
    field.Slots(1, 0, 3, 0);
    const DWORD start = Field::GdiObjects();
    field.Match(true);
    LetGo();
    // The mouse follows the ball on its way up and runs away from it on its way down:
    // the top paddle catches everything, the bottom one nothing.
    const int frames = PlayOut([&](CMainGame&) { TopCatchesBottomMisses(); });
    ASSERT_LT(frames, kFrameLimit);
    EXPECT_EQ(Banner(), "Quill Wins!");
    ExpectNothingLeftSince(start);
}

TEST_F(MatchTest, ALonePlayerWhoLetsTheBallOutLeavesNobodyToWin)
{
    field.Mice();
    field.Slots(2, 0, 0, 0);
    const DWORD start = Field::GdiObjects();
    field.Match(true);
    LetGo();
    const int frames = PlayOut([&](CMainGame&) { field.engine->MouseMove(0, 0); });
    ASSERT_LT(frames, kFrameLimit);
    EXPECT_EQ(Banner(), "Nobody Wins!");
    ExpectNothingLeftSince(start);
}

// Four paddles follow the ball until every brick is broken; the scores are evened out
// while the last brick crumbles, so sudden death starts, and then the paddles give up.
TEST_F(MatchTest, AllBricksBrokenWithATieGoToSuddenDeathUntilOneIsLeft)
{
    std::srand(1);
    field.Mice();
    const DWORD start = Field::GdiObjects();
    field.Match(true);
    LetGo();
    bool tied = false, sudden = false;
    unsigned int survivors = 0;
    int suddenFrames = 0, lastEffect = -1000;
    std::map<std::string, int> heardOf;
    const int frames = PlayOut([&](CMainGame& game) {
        auto* wall = field.Find<CBricks>("CBricks");
        for (const std::string& name : NewSounds()) {
            ++heardOf[name];
            if (name != "effect") continue;
            EXPECT_GE(suddenFrames - lastEffect, 20) << "sudden death's effects sound about every half second";
            lastEffect = suddenFrames;
        }
        sudden = sudden || field.Find<CSuddenDeath>("CSuddenDeath");
        if (sudden) {
            ++suddenFrames;
            field.engine->MouseMove(0, 0);
            return;
        }
        field.Follow(40);
        CBrick* last = dynamic_cast<CBrick*>(wall->GetChild(str("CBrick"), true, 1));
        if (wall->count == 1 && last->animator && !tied) {
            for (unsigned int n = 1; auto* p = field.Find<CPlayer>("CPlayer", n); ++n) p->score = 1000;
            survivors = field.Find<CPlayers>("CPlayers")->count;
            tied = true;
        }
        EXPECT_FALSE(game.gameOver);
    });
    ASSERT_LT(frames, kFrameLimit);
    ASSERT_TRUE(tied) << "every brick was broken";
    EXPECT_TRUE(sudden);
    EXPECT_EQ(heardOf["sudden_death"], 1);
    EXPECT_TRUE(suddenFrames <= 30 || heardOf["effect"] > 0);
    EXPECT_EQ(heardOf["brick"], 64);
    EXPECT_GE(survivors, 2u);
    const std::string banner = Banner();
    EXPECT_TRUE(banner == "Harrow Wins!" || banner == "Marigold Wins!" || banner == "Quill Wins!" ||
                banner == "Saltire Wins!")
        << banner;
    ExpectNothingLeftSince(start);
}

// Each frame's sounds are those of its events: a brick sound for every brick hit, a
// wall sound for a bounce off an empty side, the paddle's when it turns the ball, the
// drop-out and the winner when the bottom player leaves.
TEST_F(MatchTest, SoundsComeInTheFramesOfTheirEvents)
{
    field.Mice();
    field.Slots(1, 0, 3, 0);
    field.Match(true);
    field.SkipCountdown();
    LetGo();
    int broken = 0;
    std::map<std::string, int> heardOf;
    const int frames = PlayOut([&](CMainGame&) {
        const std::vector<std::string> sounds = NewSounds();
        for (const std::string& name : sounds) ++heardOf[name];
        const int nowBroken = BricksBroken();
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "brick"), nowBroken - broken);
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "dropout"), 0);
        broken = nowBroken;
        // Both paddles return the ball until a brick has broken and the ball has met an
        // empty side; then the bottom one misses.
        if (broken == 0 || heardOf["wall"] == 0)
            field.Follow();
        else
            TopCatchesBottomMisses();
    });
    ASSERT_LT(frames, kFrameLimit);
    const std::vector<std::string> last = NewSounds();
    EXPECT_EQ(std::count(last.begin(), last.end(), "dropout"), 1) << "the last frame";
    EXPECT_EQ(std::count(last.begin(), last.end(), "winner"), 1);
    EXPECT_GT(broken, 0);
    EXPECT_GT(heardOf["paddle"], 0);
    EXPECT_GT(heardOf["wall"], 0);
    EXPECT_LT(heardOf["paddle"] + heardOf["wall"], frames / 5) << "a bounce sounds once, not while the ball overlaps";
    EXPECT_EQ(heardOf["grab"], 0) << "nobody held the grab button";
}

TEST_F(MatchTest, WithSoundOffAMatchIsSilent)
{
    field.data->sound = false;
    field.Slots(1, 0, 3, 0);
    field.Match(true);
    LetGo();
    ASSERT_LT(PlayOut([&](CMainGame&) { TopCatchesBottomMisses(); }), kFrameLimit);
    EXPECT_EQ(field.session.Sounds().size(), 0u);
}

// The opening picture, written as match.png beside the test program's executable: the grey field,
// 64 cyan bricks, four paddles and meters in the players' colours, the names turned
// towards the middle, the ball held by the bottom paddle; the computer players at the
// sides already move towards the ball's level.
TEST_F(MatchTest, TheOpeningPicture)
{
    field.Match(true);
    field.engine->MouseMove(256, 256);
    field.Frame();
    field.Frame();
    const gdi::Surface& client = *field.session.Client();
    const auto beside = std::filesystem::canonical("/proc/self/exe").parent_path() / "match.png";
    EXPECT_TRUE(png::Write(beside.string(), client));
    EXPECT_EQ(field.session.Pixel(60, 256), RGB(128, 128, 128)) << "field";
    EXPECT_EQ(field.session.Pixel(0, 0), RGB(0, 0, 0)) << "border";
    for (LONG y : {112, 399})
        for (LONG x : {112, 153, 399}) EXPECT_EQ(field.session.Pixel(x, y), RGB(0, 255, 255)) << x << "," << y;
    EXPECT_EQ(field.session.Pixel(256, 480), RGB(0, 0, 255)) << "bottom paddle, grab not held";
    EXPECT_EQ(field.session.Pixel(198, 470), RGB(128, 128, 128)) << "outside the rounded bottom paddle";
    EXPECT_EQ(field.session.Pixel(30, 336), RGB(0, 255, 0)) << "left paddle, on its way to the ball's level";
    EXPECT_EQ(field.session.Pixel(43, 200), RGB(128, 128, 128)) << "beside the left paddle's curve";
    EXPECT_EQ(field.session.Pixel(196, 27), RGB(255, 0, 0)) << "top paddle, square corner";
    EXPECT_EQ(field.session.Pixel(485, 316), RGB(255, 127, 0)) << "right paddle";
    EXPECT_EQ(field.session.Pixel(256, 450), RGB(255, 255, 255)) << "the held ball, nobody's yet";
    EXPECT_EQ(field.session.Pixel(180, 509), RGB(0, 0, 255)) << "bottom meter";
    EXPECT_EQ(field.session.Pixel(509, 180), RGB(255, 127, 0)) << "right meter";
}

}  // namespace
