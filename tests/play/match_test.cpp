// Whole matches on the real engine and window system, frame by frame as the window
// procedure runs them, from the serve to the game-over screen.

#include "gdi/png.h"
#include "play/brick.h"
#include "play/sudden_death.h"
#include "support/field.h"
#include "ui/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
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

    Field field;
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
    const int frames = PlayOut([&](CMainGame&) {
        const Rect& b = field.Ball().rect;
        if (field.Ball().velocity.dVy() < 0)
            field.Follow();
        else
            field.engine->MouseMove(b.left < 256 ? 450 : 60, 256);
    });
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
    const int frames = PlayOut([&](CMainGame& game) {
        auto* wall = field.Find<CBricks>("CBricks");
        sudden = sudden || field.Find<CSuddenDeath>("CSuddenDeath");
        if (sudden) {
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
    EXPECT_GE(survivors, 2u);
    const std::string banner = Banner();
    EXPECT_TRUE(banner == "Harrow Wins!" || banner == "Marigold Wins!" || banner == "Quill Wins!" ||
                banner == "Saltire Wins!")
        << banner;
    ExpectNothingLeftSince(start);
}

// The opening picture, written as match.png beside the test program's executable: the grey field,
// 64 cyan bricks, four paddles and meters in the players' colours, the names turned
// towards the middle, the ball held by the bottom paddle.
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
    EXPECT_EQ(field.session.Pixel(256, 480), RGB(0, 0, 0)) << "bottom paddle, grab held: black";
    EXPECT_EQ(field.session.Pixel(198, 470), RGB(128, 128, 128)) << "outside the rounded bottom paddle";
    EXPECT_EQ(field.session.Pixel(30, 256), RGB(0, 255, 0)) << "left paddle";
    EXPECT_EQ(field.session.Pixel(43, 200), RGB(128, 128, 128)) << "beside the left paddle's curve";
    EXPECT_EQ(field.session.Pixel(196, 27), RGB(255, 0, 0)) << "top paddle, square corner";
    EXPECT_EQ(field.session.Pixel(485, 316), RGB(255, 127, 0)) << "right paddle";
    EXPECT_EQ(field.session.Pixel(256, 450), RGB(255, 255, 255)) << "the held ball, nobody's yet";
    EXPECT_EQ(field.session.Pixel(180, 509), RGB(0, 0, 255)) << "bottom meter";
    EXPECT_EQ(field.session.Pixel(509, 180), RGB(255, 127, 0)) << "right meter";
}

}  // namespace
