#include "input/input.h"
#include "model/controls.h"
#include "play/brick.h"
#include "support/field.h"
#include "ui/text_edit.h"
#include "ui/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PlayerTest : public ::testing::Test {
protected:
    CPlayers& Players() { return *field.Find<CPlayers>("CPlayers"); }
    CPlayer* PlayerNumber(unsigned int number)
    {
        for (unsigned int n = 1; auto* p = field.Find<CPlayer>("CPlayer", n); ++n)
            if (p->options.number == number) return p;
        return nullptr;
    }
    std::vector<std::string> TextsOf(CPlayer& player)
    {
        std::vector<std::string> texts;
        for (unsigned int n = 1; auto* t = dynamic_cast<CText*>(player.GetChild(str("CText"), false, n)); ++n)
            texts.emplace_back(static_cast<const char*>(t->text));
        return texts;
    }
    // Lets the ball out through `side`, as its paddle sees it.
    void LoseOn(Side side)
    {
        field.SkipCountdown();
        CBall& ball = field.Ball();
        ball.holder = nullptr;
        const Rect outside[] = {{}, {-5, 300, 19, 324}, {300, -5, 324, 19}, {300, 493, 324, 517}, {493, 300, 517, 324}};
        ball.rect = outside[side];
        field.PaddleOn(side)->Animate();
    }

    Field field;
};

TEST_F(PlayerTest, TheDefaultMatchHasFourPlayersBuiltInTheirOrder)
{
    CMainGame& game = field.Match();
    EXPECT_TRUE(game.capturesCursor);
    EXPECT_EQ(Players().count, 4u);
    EXPECT_EQ(field.Ball().holder, field.PaddleOn(SideBottom));
    EXPECT_EQ(field.PaddleOn(SideBottom)->player->options.number, 1u);
    std::vector<std::string> order;
    for (LNode<CObject>* n = game.children.head; n; n = n->next) order.emplace_back(static_cast<const char*>(n->item->type));
    const std::vector<std::string> expected = {
        "CBackground", "CBall", "CBricks", "CPlayers",
        "CPlayer", "CRoundPaddle", "CLRText", "CPaddleMeter",
        "CPlayer", "CRoundPaddle", "CUDText", "CPaddleMeter",
        "CPlayer", "CRectPaddle", "CRLText", "CPaddleMeter",
        "CPlayer", "CRectPaddle", "CDUText", "CPaddleMeter",
        "CCountdown", "CLRText"};  // the countdown's numbers over everything
    EXPECT_EQ(order, expected);
    CPlayer& first = *PlayerNumber(1);
    EXPECT_EQ(first.parents.Count(), 3u);
    EXPECT_EQ(first.parents.head->item, &Players());
    EXPECT_EQ(first.parents.head->next->item, &field.Ball());
    EXPECT_EQ(first.meter, 83u);
    EXPECT_EQ(first.score, 0u);
}

// The input hangs below the paddle, which hangs below the screen and the player, which
// hangs below the match list, the ball and the screen: four ways down from the screen,
// so a keyboard paddle takes four steps a frame.
TEST_F(PlayerTest, AnInputIsReachedFourTimesAFrame)
{
    field.data->players[2].input->SetKeyboard('W', 'S', 'A', 'D', 'G', 'H', 'J');
    field.Match();
    auto* keys = dynamic_cast<CInput*>(field.PaddleOn(SideTop)->GetChild(str("CInput"), false, 1));
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->GetPos(), 256u);
    field.engine->KeyDown('D', true);
    field.engine->UpdateInput();
    EXPECT_EQ(keys->GetPos(), 276u);
}

TEST_F(PlayerTest, MetersLieAlongTheEdgesCentredOnTheirSides)
{
    field.Match();
    const struct {
        Side side;
        RECT bar;
    } cases[] = {{SideBottom, {173, 506, 339, 512}},
                 {SideLeft, {0, 173, 6, 339}},
                 {SideTop, {173, 0, 339, 6}},
                 {SideRight, {506, 173, 512, 339}}};
    for (const auto& c : cases) {
        auto* meter = dynamic_cast<CPaddleMeter*>(field.PlayerOn(c.side).GetChild(str("CPaddleMeter"), true, 1));
        ASSERT_NE(meter, nullptr);
        EXPECT_EQ(meter->GetParent(str("CMainGame"), false, 1), field.Screen()) << "drawn by the screen";
        meter->Animate();
        EXPECT_EQ(meter->rect.left, c.bar.left) << c.side;
        EXPECT_EQ(meter->rect.top, c.bar.top) << c.side;
        EXPECT_EQ(meter->rect.right, c.bar.right) << c.side;
        EXPECT_EQ(meter->rect.bottom, c.bar.bottom) << c.side;
    }
}

TEST_F(PlayerTest, APlayerInTwoSlotsHasTwoOfEverythingAndLosesThemTogether)
{
    field.Slots(1, 1, 2, 3);
    CMainGame& game = field.Match();
    EXPECT_EQ(Players().count, 3u);
    EXPECT_EQ(PlayerNumber(4), nullptr) << "a player in no slot is gone before the match starts";
    CPlayer& both = *PlayerNumber(1);
    EXPECT_EQ(field.PaddleOn(SideBottom)->player, &both);
    EXPECT_EQ(field.PaddleOn(SideLeft)->player, &both);
    EXPECT_EQ(TextsOf(both), (std::vector<std::string>{"Harrow", "Harrow"}));
    EXPECT_NE(both.GetChild(str("CPaddleMeter"), true, 2), nullptr);

    both.AddScore(123);
    EXPECT_EQ(TextsOf(both), (std::vector<std::string>{"123", "123"}));
    EXPECT_EQ(TextsOf(*PlayerNumber(2)), (std::vector<std::string>{"Marigold"}));

    LoseOn(SideLeft);
    EXPECT_EQ(PlayerNumber(1), nullptr);
    EXPECT_EQ(field.PaddleOn(SideBottom), nullptr);
    EXPECT_EQ(field.PaddleOn(SideLeft), nullptr);
    EXPECT_EQ(Players().count, 2u);
    EXPECT_FALSE(game.gameOver);
}

TEST_F(PlayerTest, TheLastButOnePlayerLeavingCrownsTheOneLeftWhateverTheScores)
{
    field.Slots(1, 0, 3, 0);
    CMainGame& game = field.Match();
    EXPECT_EQ(Players().count, 2u);
    PlayerNumber(1)->score = 500;
    LoseOn(SideBottom);
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(game.winner, 3u);
    EXPECT_STREQ(game.WinnerText(), "Quill Wins!");
    EXPECT_EQ(game.decision, LastStanding);
}

// The game-over screen names the rule that decided and lists every player's final score,
// the winner first, then the highest scores; a player who dropped out keeps the score it
// had then and is marked out.
TEST_F(PlayerTest, TheFinalScoresListTheWinnerFirstThenTheHighestScores)
{
    field.Slots(1, 2, 3, 4);
    CMainGame& game = field.Match();
    PlayerNumber(1)->score = 50;
    PlayerNumber(2)->score = 10;
    PlayerNumber(3)->score = 70;
    PlayerNumber(4)->score = 30;
    LoseOn(SideTop);  // player 3 goes with 70, and gives 7 to nobody (the ball is neutral)
    game.winner = 2;
    game.decision = MostPoints;
    CGame* over = game.NextGame();
    std::vector<std::string> lines;
    for (unsigned int n = 1; auto* text = dynamic_cast<CText*>(over->GetChild(str("CNormText"), true, n)); ++n)
        lines.emplace_back(static_cast<const char*>(text->text));
    delete over;
    EXPECT_EQ(lines, (std::vector<std::string>{"most points when the last brick broke", "Play again", "Continue",
                                               "Marigold: 10", "Quill: 70 (out)", "Harrow: 50", "Saltire: 30"}));
}

TEST_F(PlayerTest, AMatchWithNobodyLeftNamesNobody)
{
    field.Slots(2, 0, 0, 0);
    CMainGame& game = field.Match();
    EXPECT_EQ(Players().count, 1u);
    EXPECT_FALSE(game.gameOver) << "building a one-player match does not end it";
    LoseOn(SideBottom);
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(game.winner, 0u);
    EXPECT_STREQ(game.WinnerText(), "Nobody Wins!");
}

TEST_F(PlayerTest, TheOwnerLeavingTurnsTheBallWhite)
{
    field.Match();
    CPlayer& owner = field.PlayerOn(SideTop);
    field.Ball().SetPlayer(&owner);
    LoseOn(SideTop);
    EXPECT_EQ(field.Ball().owner, nullptr);
    EXPECT_EQ(field.Ball().color, RGB(255, 255, 255));
}

TEST_F(PlayerTest, APlayerDroppedWhilePaintedGivesItsDrawingResourcesBack)
{
    field.Match(true);
    for (int i = 0; i < 3; ++i) field.Frame();
    const DWORD before = Field::GdiObjects();
    delete &field.PlayerOn(SideRight);
    EXPECT_EQ(Field::GdiObjects(), before - 5) << "paddle pen and brush, the name's font, meter pen and brush";
    field.Frame();
}

// When a screen goes, its ball goes before the players that name it as a parent: the
// players must not call into the dying ball or screen.
TEST_F(PlayerTest, TearingDownAPaintedMatchTouchesNothingHalfDestroyedAndLeaksNothing)
{
    const DWORD start = Field::GdiObjects();
    CMainGame& game = field.Match(true);
    for (int i = 0; i < 3; ++i) field.Frame();
    field.Ball().SetPlayer(&field.PlayerOn(SideBottom));
    ASSERT_NE(field.Ball().holder, nullptr);
    delete &game;  // as New Game does, without closing the paint cycle
    EXPECT_EQ(Field::GdiObjects(), start + 3) << "only the engine's back buffer and measuring DC are left";
}

TEST_F(PlayerTest, DeletingTheEngineInTheMiddleOfAPaintedMatchLeaksNothing)
{
    const DWORD start = Field::GdiObjects();
    field.Match(true);
    for (int i = 0; i < 3; ++i) field.Frame();
    field.Ball().SetPlayer(&field.PlayerOn(SideLeft));
    delete field.engine;  // no paint cycle closed first
    field.engine = nullptr;
    EXPECT_EQ(Field::GdiObjects(), start);
}

}  // namespace

namespace {

// The longest name the name field takes fits along a paddle, however wide its letters.
TEST(PaddleName, TheLongestNameFitsAlongItsPaddle)
{
    Field field;
    field.data->players[0].name = str("WWWWWWWWWWWW");
    field.Match(true);
    field.Frame();
    field.Frame();
    CPaddle& bottom = *field.PaddleOn(SideBottom);
    auto* text = dynamic_cast<CText*>(bottom.GetChild(str("CText"), false, 1));
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(field.data->players[0].name.Size(), CTextEdit::kMaxName);
    EXPECT_GT(text->extent.width, CPaddle::kLength * 3 / 4) << "measured";
    EXPECT_LE(text->extent.width, CPaddle::kLength) << static_cast<const char*>(text->text);
}

}  // namespace
