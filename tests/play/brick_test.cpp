#include "play/brick.h"
#include "play/sudden_death.h"
#include "support/field.h"
#include "ui/text.h"

#include <gtest/gtest.h>

namespace {

class BrickTest : public ::testing::Test {
protected:
    CMainGame& FreeBallMatch(bool paint = false)
    {
        CMainGame& game = field.Match(paint);
        field.Ball().holder = nullptr;
        field.Ball().rect = Rect(20, 60, 44, 84);
        return game;
    }
    CBricks& Wall() { return *field.Find<CBricks>("CBricks"); }
    CBrick& Brick(unsigned int n) { return *dynamic_cast<CBrick*>(Wall().GetChild(str("CBrick"), true, n)); }
    // Puts the ball over the top face of `brick`, falling.
    void Drop(const CBrick& brick)
    {
        field.Ball().rect = Rect(brick.rect.left, brick.rect.top - 20, brick.rect.left + 24, brick.rect.top + 4);
        field.Ball().velocity = CVector(0, 5);
    }
    // Breaks every brick but the last, as if the game had.
    void LeaveOneBrick()
    {
        while (Wall().count > 1) Wall().Remove(&Brick(1));
    }

    Field field;
};

TEST_F(BrickTest, TheWallIsEightRowsOfEightWithSixteenPixelGaps)
{
    field.Match();
    CBricks& wall = Wall();
    EXPECT_EQ(wall.count, 64u);
    EXPECT_EQ(wall.color, RGB(0, 255, 255));
    const LONG edges[] = {100, 141, 182, 223, 264, 305, 346, 387};
    for (unsigned int n = 1; n <= 64; ++n) {
        const Rect& r = Brick(n).rect;
        EXPECT_EQ(r.left, edges[(n - 1) % 8]) << n;
        EXPECT_EQ(r.top, edges[(n - 1) / 8]) << n;
        EXPECT_EQ(r.width, 25);
        EXPECT_EQ(r.height, 25);
    }
    EXPECT_EQ(Brick(64).rect.right, 412);
    EXPECT_EQ(Brick(64).rect.bottom, 412);
}

TEST_F(BrickTest, AWallWithoutRoomForItsGapsAddsNothing)
{
    field.Match();
    CBall* ball = &field.Ball();
    const LList<CObject> under(false, 1, field.Screen());
    const struct {
        RECT area;
        unsigned int rows, columns;
    } refused[] = {{{100, 100, 412, 412}, 0, 5},  {{100, 100, 412, 412}, 5, 0}, {{100, 100, 200, 200}, 5, 5},
                   {{100, 100, 412, 412}, 1, 8},  {{100, 100, 412, 412}, 8, 1}, {{100, 100, 412, 412}, 1, 1}};
    for (const auto& c : refused) {
        auto* wall = new CBricks(ball, under, Rect(c.area.left, c.area.top, c.area.right, c.area.bottom), 0, 0);
        EXPECT_FALSE(wall->Matrix(c.rows, c.columns)) << c.rows << " x " << c.columns;
        EXPECT_EQ(wall->count, 0u);
        EXPECT_TRUE(wall->children.Empty());
        delete wall;
    }
    auto* small = new CBricks(ball, under, Rect(0, 0, 60, 60), 2, 2);
    EXPECT_EQ(small->count, 4u) << "two by two leaves a 10-pixel gap";
    delete small;
}

TEST_F(BrickTest, AnOwnedBallScoresBouncesAndStartsTheBreak)
{
    FreeBallMatch();
    CPlayer& owner = field.PlayerOn(SideTop);
    field.Ball().owner = &owner;
    CBrick& brick = Brick(1);
    Drop(brick);
    brick.Animate();
    EXPECT_EQ(field.Ball().velocity.dVy(), -5);
    EXPECT_EQ(owner.score, 20u);
    EXPECT_EQ(owner.meter, 90u);
    EXPECT_EQ(brick.animator, &CBrick::AniDie);

    // A dying brick no longer touches the ball.
    field.Ball().velocity = CVector(0, 5);
    brick.Animate();
    EXPECT_EQ(field.Ball().velocity.dVy(), 5);
    EXPECT_EQ(owner.score, 20u);
}

TEST_F(BrickTest, TheMeterGainsSevenUpTo250)
{
    FreeBallMatch();
    CPlayer& owner = field.PlayerOn(SideTop);
    field.Ball().owner = &owner;
    const unsigned int before[] = {240, 243, 244, 251};
    const unsigned int after[] = {247, 250, 250, 250};
    for (unsigned int i = 0; i < 4; ++i) {
        owner.meter = before[i];
        Drop(Brick(i + 1));
        Brick(i + 1).Animate();
        EXPECT_EQ(owner.meter, after[i]) << before[i];
    }
}

// A neutral ball bounces off without breaking anything, unless no paddle has touched it
// for long: then it may be shut in a hole of the wall, and breaks its way out.
TEST_F(BrickTest, ANeutralBallBouncesWithoutBreakingAnythingUnlessItIsStuck)
{
    FreeBallMatch();
    Drop(Brick(5));
    Brick(5).Animate();
    EXPECT_EQ(field.Ball().velocity.dVy(), -5);
    EXPECT_EQ(Brick(5).animator, nullptr);

    field.Ball().untouched = CBall::kStuckFrames;
    Drop(Brick(5));
    Brick(5).Animate();
    EXPECT_NE(Brick(5).animator, nullptr);
}

TEST_F(BrickTest, ABrokenBrickShrinksTwelveFramesAndGoesInTheThirteenth)
{
    FreeBallMatch();
    field.Ball().owner = &field.PlayerOn(SideTop);
    CBrick* brick = &Brick(10);
    const LONG centre = (brick->rect.left + brick->rect.right) / 2;
    Drop(*brick);
    brick->Animate();
    const LONG sizes[] = {23, 21, 19, 17, 15, 13, 11, 9, 7, 5, 3, 2};
    for (LONG size : sizes) {
        brick->Animate();
        EXPECT_EQ(brick->rect.width, size);
        EXPECT_EQ(brick->rect.height, size);
        EXPECT_LE(std::abs((brick->rect.left + brick->rect.right) / 2 - centre), 1);
    }
    EXPECT_EQ(Wall().count, 64u);
    brick->Animate();
    EXPECT_EQ(Wall().count, 63u);
    EXPECT_NE(&Brick(10), brick);
}

// A removal puts the wall's walk back at its first brick: the bricks before the removed
// one take a second step in that frame.
TEST_F(BrickTest, ARemovalRestartsTheWallsWalk)
{
    FreeBallMatch();
    field.Ball().owner = &field.PlayerOn(SideTop);
    Drop(Brick(10));
    Brick(10).Animate();
    for (int i = 0; i < 12; ++i) Brick(10).Animate();
    const unsigned int first = Brick(1).frames, after = Brick(11).frames;
    Wall().Animate();  // brick 10 goes now
    EXPECT_EQ(Brick(1).frames, first + 2);
    EXPECT_EQ(Brick(10).frames, after + 1) << "the old eleventh brick";
}

TEST_F(BrickTest, AniDieRefusesWhatIsNoBrick)
{
    field.Match();
    try {
        CBrick::AniDie(nullptr, nullptr);
        FAIL();
    } catch (const XDomainError& e) {
        EXPECT_STREQ(e.where, "CBrick::AniDie");
    }
    try {
        CBrick::AniDie(nullptr, &field.Ball());
        FAIL();
    } catch (const XChildError& e) {
        EXPECT_STREQ(e.where, "CBall::AniDie(Brick)");
    }
}

TEST_F(BrickTest, TheLastBrickCrownsASoleLeaderAtOnce)
{
    CMainGame& game = FreeBallMatch();
    const unsigned int scores[] = {60, 60, 80, 10};
    for (unsigned int i = 0; i < 4; ++i) field.PlayerOn(ePadSides[i]).score = scores[i];
    LeaveOneBrick();
    EXPECT_FALSE(game.gameOver);
    Wall().Remove(&Brick(1));
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(game.winner, 3u);
    EXPECT_EQ(game.decision, MostPoints);
    EXPECT_EQ(Wall().count, 0u);
    EXPECT_EQ(field.Find<CSuddenDeath>("CSuddenDeath"), nullptr);
}

TEST_F(BrickTest, ASharedTopScoreStartsSuddenDeathWithTheFirstOfThemAsWinner)
{
    const unsigned int tied[][3] = {{40, 60, 60}, {60, 40, 60}};
    for (const auto& scores : tied) {
        field.Slots(1, 2, 3, 0);
        CMainGame& game = FreeBallMatch();
        for (unsigned int i = 0; i < 3; ++i) field.PlayerOn(ePadSides[i]).score = scores[i];
        LeaveOneBrick();
        Wall().Remove(&Brick(1));
        EXPECT_FALSE(game.gameOver);
        EXPECT_EQ(game.winner, scores[0] == 60 ? 1u : 2u);
        auto* sudden = field.Find<CSuddenDeath>("CSuddenDeath");
        ASSERT_NE(sudden, nullptr);
        EXPECT_EQ(sudden->GetParent(), &Wall());
        EXPECT_EQ(sudden->ball, &field.Ball());
        auto* banner = dynamic_cast<CLRText*>(Wall().GetChild(str("CLRText"), true, 1));
        ASSERT_NE(banner, nullptr);
        EXPECT_EQ(banner->GetParent(), &Wall());
        EXPECT_STREQ(banner->text, "Sudden Death");
        EXPECT_STREQ(banner->face, "Impact");
        EXPECT_EQ(banner->height, 62u);
        // The one left after sudden death won by it, not as the last player standing.
        EXPECT_EQ(game.decision, SuddenDeathDecided);
        delete field.PaddleOn(ePadSides[2])->player;
        delete field.PaddleOn(ePadSides[scores[0] == 60 ? 1 : 0])->player;
        EXPECT_TRUE(game.gameOver);
        EXPECT_EQ(game.decision, SuddenDeathDecided);
        EXPECT_STREQ(DecisionText(game.decision), "sudden death");
        delete &game;
    }
}

TEST_F(BrickTest, BricksBrokenWhilePaintedGiveTheirPensAndBrushesBack)
{
    FreeBallMatch(true);
    field.Frame();
    const DWORD before = Field::GdiObjects();
    for (int i = 0; i < 10; ++i) Wall().Remove(&Brick(1));
    EXPECT_EQ(Field::GdiObjects(), before - 20);
}

}  // namespace
