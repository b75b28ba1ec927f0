#include "model/controls.h"
#include "menu_chain.h"
#include "play/main_game.h"
#include "screens/intro.h"
#include "screens/options.h"
#include "screens/paddle_options.h"
#include "screens/player_options.h"
#include "ui/text.h"

#include <gtest/gtest.h>

namespace {

TEST(Intro, NewGameLeadsToTheOptionsWhichFillTheDefaultsOnce)
{
    MenuChain chain;
    chain.Open<CIntro>();
    EXPECT_FALSE(chain.data->configured);
    chain.Click(250, 330);
    chain.Current<COptions>();
    EXPECT_TRUE(chain.data->configured);
    EXPECT_STREQ(chain.Player(1).name, "Harrow");
    EXPECT_EQ(chain.Player(4).input->GetParent(), chain.root.get());

    chain.Player(2).name = str("Renamed");
    CControls* maker = chain.Player(1).input;
    chain.Open<COptions>();
    EXPECT_STREQ(chain.Player(2).name, "Renamed");
    EXPECT_EQ(chain.Player(1).input, maker);
}

TEST(Intro, CallbacksRefuseOtherScreens)
{
    MenuChain chain;
    CGame plain(LList<CObject>(false, 1, chain.root.get()));
    EXPECT_FALSE(CIntro::DoNext(nullptr, &plain));
    EXPECT_FALSE(COptions::DoNext(nullptr, &plain));
    EXPECT_FALSE(COptions::DoPlayer(nullptr, &plain));
    EXPECT_FALSE(COptions::DoPaddle(nullptr, &plain));
    EXPECT_FALSE(CPlayerOptions::DoNext(nullptr, &plain));
    EXPECT_FALSE(CPaddleOptions::DoNext(nullptr, &plain));
    EXPECT_FALSE(CIntro::DoNext(nullptr, nullptr));
    EXPECT_FALSE(plain.gameOver);
}

TEST(Options, ShowsThePlayersInAColumnAndTheSlotsAsAMiniatureField)
{
    MenuChain chain;
    COptions* options = chain.Open<COptions>();
    // The computer's players show their level after the name.
    const char* names[] = {"Harrow", "Marigold (Fair)", "Quill (Fair)", "Saltire (Fair)"};
    for (unsigned int k = 0; k < 4; ++k) {
        CButton* button = ButtonAt(options, 218, 402 - 30 * k);
        ASSERT_NE(button, nullptr) << k;
        EXPECT_STREQ(Shown(button), names[k]);
        EXPECT_EQ(button->color, chain.Player(k + 1).color);
        EXPECT_EQ(button->context, &chain.Player(k + 1));
    }
    struct Slot {
        LONG x, y;
        Side side;
        EPadType shape;
        const char* textClass;
    } slots[] = {{218, 221, SideBottom, PadRounded, "CLRText"},
                 {171, 118, SideLeft, PadRounded, "CUDText"},
                 {218, 71, SideTop, PadRectangular, "CRLText"},
                 {321, 118, SideRight, PadRectangular, "CDUText"}};
    for (const Slot& slot : slots) {
        CButton* paddle = ButtonAt(options, slot.x, slot.y);
        ASSERT_NE(paddle, nullptr) << slot.x << "," << slot.y;
        EXPECT_EQ(paddle->side, slot.side);
        EXPECT_EQ(paddle->padType, slot.shape);
        auto* name = dynamic_cast<CText*>(paddle->GetChild(str(slot.textClass), true, 1));
        ASSERT_NE(name, nullptr) << slot.textClass;
        EXPECT_TRUE(options->children.Contains(name));
    }
    EXPECT_STREQ(Shown(ButtonAt(options, 218, 452)), "Start");
}

TEST(Options, PlayerButtonOpensThatPlayersScreenAndBackReturns)
{
    MenuChain chain;
    chain.Open<COptions>();
    chain.Click(250, 345);  // player 3
    auto* player = chain.Current<CPlayerOptions>();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->options, &chain.Player(3));
    chain.Click(250, 460);
    chain.Current<COptions>();
}

TEST(Options, SlotChoiceMovesAPlayerOntoTheSlot)
{
    MenuChain chain;
    chain.Open<COptions>();
    chain.Click(180, 150);  // the left slot
    auto* paddle = chain.Current<CPaddleOptions>();
    ASSERT_NE(paddle, nullptr);
    EXPECT_EQ(paddle->slot, 1u);
    EXPECT_EQ(paddle->playerNumber, 2u);
    EXPECT_STREQ(Shown(ButtonAt(paddle, 218, 182)), "Quill");

    chain.Click(250, 190);  // player 3
    auto* options = chain.Current<COptions>();
    EXPECT_EQ(chain.data->padPlayers[1], 3u);
    CButton* left = ButtonAt(options, 171, 118);
    EXPECT_EQ(left->color, chain.Player(3).color);
    EXPECT_EQ(left->padType, PadRectangular);
    EXPECT_STREQ(dynamic_cast<CText*>(left->GetChild(str("CText"), false, 1))->text, "Quill");
    EXPECT_EQ(ButtonAt(options, 218, 372)->color, chain.Player(2).color) << "the column is unchanged";
}

TEST(Options, StartBuildsTheMatchOnce)
{
    MenuChain chain;
    chain.Open<COptions>();
    chain.Move(250, 460);
    chain.Press();
    chain.Frame();
    chain.Current<CMainGame>();
}

TEST(Options, SlotWithoutAPlayerIsRefused)
{
    MenuChain chain;
    chain.Open<COptions>();
    chain.data->padPlayers[2] = 0;
    EXPECT_THROW(chain.Open<COptions>(), XDomainError);
}

TEST(PaddleOptions, SlotOutsideTheFieldAndPlayerOutsideOneToFourAreRefused)
{
    MenuChain chain;
    chain.Open<COptions>();
    try {
        chain.Open<CPaddleOptions>(4u);
        FAIL() << "slot 4 was accepted";
    } catch (const XDomainError& e) {
        EXPECT_STREQ(e.where, "CPaddleOptions::CPaddleOptions(Paddle)");
    }
    auto* paddle = chain.Open<CPaddleOptions>(0u);
    for (unsigned int number : {0u, 5u}) {
        paddle->playerNumber = number;
        EXPECT_THROW(delete paddle->NextGame(), XDomainError) << number;
    }
    paddle->playerNumber = 5;
    try {
        paddle->NextGame();
    } catch (const XDomainError& e) {
        EXPECT_STREQ(e.where, "CPaddleOptions::NextGame(Player=5)");
    }
    EXPECT_EQ(chain.data->padPlayers[0], 1u);
}

}  // namespace
