#include "model/controls.h"
#include "screens/computer_config.h"
#include "menu_chain.h"
#include "screens/choose_paddle.h"
#include "screens/color_options.h"
#include "screens/game_over.h"
#include "screens/match_screen.h"
#include "screens/intro.h"
#include "screens/keyboard_config.h"
#include "screens/mouse_config.h"
#include "screens/options.h"
#include "screens/player_options.h"
#include "ui/get_key.h"
#include "ui/mark.h"
#include "ui/slider.h"
#include "ui/text_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PlayerScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        chain.Open<COptions>();
        player = &chain.Player(1);
    }
    CPlayerOptions* OpenPlayer() { return chain.Open<CPlayerOptions>(player); }

    MenuChain chain;
    SPlayerOptions* player = nullptr;
};

// The button of the player's kind of input is framed, and no other.
TEST_F(PlayerScreens, PlayerScreenMarksTheKindOfInputThePlayerHas)
{
    const auto markedAt = [&] {
        CPlayerOptions* screen = OpenPlayer();
        auto* mark = dynamic_cast<CMark*>(screen->GetChild(str("CMark"), true, 1));
        EXPECT_EQ(screen->GetChild(str("CMark"), true, 2), nullptr) << "one mark";
        return mark ? POINT{mark->rect.left + 4, mark->rect.top + 4} : POINT{-1, -1};
    };
    player->input->SetMouse(0);
    EXPECT_EQ(markedAt().y, 96) << "Mouse";
    player->input->SetKeyboard(VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT);
    const POINT keyboard = markedAt();
    EXPECT_EQ(keyboard.x, 143);
    EXPECT_EQ(keyboard.y, 171) << "Keyboard";
}

// A name emptied on the player's screen is back before the next screen shows it.
TEST_F(PlayerScreens, AnEmptiedNameIsBackBeforeTheOptionsScreenShowsIt)
{
    const std::string old(static_cast<const char*>(player->name));
    OpenPlayer();
    player->name = str("");
    chain.Click(250, 460);
    CGame* options = chain.Current<COptions>();
    ASSERT_NE(options, nullptr);
    bool shown = false;
    for (unsigned int n = 1; auto* button = dynamic_cast<CButton*>(options->GetChild(str("CButton"), true, n)); ++n)
        shown = shown || old == static_cast<const char*>(Shown(button));
    EXPECT_TRUE(shown) << "a button with the old name";
    EXPECT_STREQ(player->name, old.c_str());
}

// The paddle screen frames the player's shape, the level screen the player's level.
TEST_F(PlayerScreens, PaddleAndLevelScreensMarkThePlayersChoice)
{
    const auto markedTop = [](CGame* screen) {
        auto* mark = dynamic_cast<CMark*>(screen->GetChild(str("CMark"), true, 1));
        EXPECT_EQ(screen->GetChild(str("CMark"), true, 2), nullptr) << "one mark";
        return mark ? mark->rect.top + 4 : -1;
    };
    player->padType = PadRounded;
    EXPECT_EQ(markedTop(chain.Open<CChoosePaddle>(player)), 270);
    player->padType = PadRectangular;
    EXPECT_EQ(markedTop(chain.Open<CChoosePaddle>(player)), 170);
    player->input->SetComputer(ComputerHard);
    EXPECT_EQ(markedTop(chain.Open<CComputerConfig>(player)), 271);
    player->input->SetComputer(ComputerEasy);
    EXPECT_EQ(markedTop(chain.Open<CComputerConfig>(player)), 171);
}

TEST_F(PlayerScreens, PlayerScreenOffersItsButtons)
{
    CPlayerOptions* screen = OpenPlayer();
    struct Expected {
        LONG x, y;
        const char* caption;
        bool enabled;
    } buttons[] = {{218, 452, "Back", true},      {218, 302, "Color", true},
                   {143, 171, "Keyboard", true},  {143, 96, "Mouse", true},
                   {293, 96, "Network", true},   {293, 171, "Controller", true},
                   {218, 134, "Computer", true},  {193, 375, "Rounded", true}};
    for (const Expected& e : buttons) {
        CButton* button = ButtonAt(screen, e.x, e.y);
        ASSERT_NE(button, nullptr) << e.caption;
        EXPECT_STREQ(Shown(button), e.caption);
        EXPECT_EQ(button->enabled, e.enabled) << e.caption;
    }
    EXPECT_EQ(ButtonAt(screen, 218, 302)->color, player->color);
    EXPECT_EQ(ButtonAt(screen, 193, 375)->padType, PadRounded);
    auto* field = dynamic_cast<CTextEdit*>(screen->GetChild(str("CTextEdit"), true, 1));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->target, &player->name);
    EXPECT_EQ(field->rect.left, 223);
    EXPECT_EQ(field->rect.top, 246);

    chain.Click(330, 105);
    EXPECT_NE(dynamic_cast<COptions*>(chain.screen), nullptr) << "Network keeps the place and goes back";
    EXPECT_EQ(player->input->kind, CControls::Network);
}

TEST_F(PlayerScreens, TypedNameShowsOnTheNextOptionsScreen)
{
    OpenPlayer();
    for (unsigned int key : {VK_BACK, VK_DELETE, UINT{'Z'}, UINT{'E'}, UINT{'D'}}) chain.Tap(key);
    EXPECT_STREQ(player->name, "zedarrow");
    chain.Click(250, 460);
    auto* options = chain.Current<COptions>();
    EXPECT_STREQ(Shown(ButtonAt(options, 218, 402)), "zedarrow");
}

TEST_F(PlayerScreens, EmptiedNameIsRestoredWhenTheScreenIsLeft)
{
    OpenPlayer();
    for (unsigned int key : {VK_DELETE, VK_DELETE, VK_DELETE, VK_DELETE, VK_DELETE, VK_DELETE}) chain.Tap(key);
    EXPECT_STREQ(player->name, "");
    chain.Click(250, 460);
    EXPECT_STREQ(player->name, "Harrow");
}

TEST_F(PlayerScreens, ClosingTheProgramOnThePlayerScreenLeavesTheFreedSettingsAlone)
{
    OpenPlayer();
    for (int i = 0; i < 6; ++i) chain.Tap(VK_DELETE);
    chain.root.reset();  // the settings go first, then the screen with its name field
    chain.screen = nullptr;
}

TEST_F(PlayerScreens, KeyboardScreenMakesAMousePlayerAKeyboardPlayerWithDefaultKeys)
{
    OpenPlayer();
    chain.Click(150, 180);
    auto* keyboard = chain.Current<CKeyboardConfig>();
    ASSERT_NE(keyboard, nullptr);
    CControls& input = *player->input;
    EXPECT_EQ(input.kind, CControls::Keyboard);
    const unsigned int defaults[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT};
    for (unsigned int i = 0; i < 7; ++i) {
        EXPECT_EQ(input.keys[i], defaults[i]) << i;
        auto* field = dynamic_cast<CGetKey*>(keyboard->GetChild(str("CGetKey"), true, i + 1));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->key, &input.keys[i]);
        EXPECT_EQ(field->rect.left, 261);
        EXPECT_EQ(field->rect.top, static_cast<LONG>(146 + 25 * i));
    }
    EXPECT_STREQ(Shown(keyboard->GetChild(str("CGetKey"), true, 5)), "Space");

    chain.Click(300, 250);  // the Grab field
    chain.Tap(VK_RETURN);
    EXPECT_EQ(input.keys[CControls::Grab], VK_RETURN);
    chain.Click(250, 460);
    chain.Current<CPlayerOptions>();

    chain.Click(150, 180);
    EXPECT_EQ(input.keys[CControls::Grab], VK_RETURN) << "a keyboard player keeps the keys";
}

TEST_F(PlayerScreens, MouseScreenMakesTheKeyboardPlayerAMousePlayerAgain)
{
    player->input->SetKeyboard('W', 'S', 'A', 'D', 'G', 'H', 'J');
    OpenPlayer();
    chain.Click(150, 105);
    chain.Current<CMouseConfig>();
    EXPECT_EQ(player->input->kind, CControls::Mouse);
    chain.Click(250, 460);
    chain.Current<CPlayerOptions>();
    chain.Click(150, 180);
    EXPECT_EQ(player->input->keys[CControls::Up], VK_UP) << "back to the default keys";
}

// Entering makes the player a computer player at Fair; a level is stored and leads back;
// Back keeps the level the screen was built with; the options screen shows it.
TEST_F(PlayerScreens, ComputerScreenMakesTheMousePlayerAComputerPlayerAtTheChosenLevel)
{
    OpenPlayer();
    chain.Click(250, 140);
    auto* computer = chain.Current<CComputerConfig>();
    ASSERT_NE(computer, nullptr);
    EXPECT_EQ(player->input->kind, CControls::Computer);
    EXPECT_EQ(player->input->level, 1u);
    const char* levels[] = {"Easy", "Fair", "Hard"};
    for (unsigned int level = 0; level < 3; ++level)
        EXPECT_STREQ(Shown(ButtonAt(computer, 218, static_cast<LONG>(171 + 50 * level))), levels[level]);
    chain.Click(250, 280);
    chain.Current<CPlayerOptions>();
    EXPECT_EQ(player->input->level, 2u) << "Hard";

    chain.Click(250, 140);
    chain.Current<CComputerConfig>();
    EXPECT_EQ(player->input->level, 2u) << "a computer player keeps its level on entering";
    player->input->SetComputer(0);
    chain.Click(250, 460);
    EXPECT_EQ(player->input->level, 2u) << "Back keeps the level the screen was built with";
    chain.Current<CPlayerOptions>();
    chain.Click(250, 460);
    auto* options = chain.Current<COptions>();
    EXPECT_STREQ(Shown(ButtonAt(options, 218, 402)), "Harrow (Hard)");
}

TEST_F(PlayerScreens, ShapeChoiceIsStoredAtOnceAndBackRestoresTheFormerShape)
{
    OpenPlayer();
    chain.Click(250, 390);
    auto* choose = chain.Current<CChoosePaddle>();
    ASSERT_NE(choose, nullptr);
    EXPECT_EQ(ButtonAt(choose, 193, 270)->padType, PadRounded);
    chain.Click(250, 180);  // "Rectangular"
    EXPECT_EQ(player->padType, PadRectangular);
    auto* screen = chain.Current<CPlayerOptions>();
    EXPECT_STREQ(Shown(ButtonAt(screen, 193, 375)), "Rectangular");

    chain.Click(250, 385);
    chain.Current<CChoosePaddle>();
    chain.Move(250, 280);
    chain.Press();
    chain.Frame();  // "Rounded"
    EXPECT_EQ(player->padType, PadRounded);
    chain.Open<CChoosePaddle>(player);
    player->padType = PadRectangular;
    chain.Click(250, 460);  // "Back" writes the shape the screen was built with
    EXPECT_EQ(player->padType, PadRounded);
}

TEST_F(PlayerScreens, ColourScreenStartsAtThePlayersColourAndStoresTheMixture)
{
    player->color = RGB(255, 127, 0);
    OpenPlayer();
    chain.Click(250, 310);
    auto* colour = chain.Current<CColorOptions>();
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->red, 255u);
    EXPECT_EQ(colour->green, 127u);
    EXPECT_EQ(colour->blue, 0u);
    auto* red = dynamic_cast<CSlider*>(colour->GetChild(str("CSlider"), true, 1));
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->rect.left, 166);
    EXPECT_EQ(red->value, &colour->red);

    chain.Move(180, 200);
    chain.Press();
    chain.Frame();
    chain.Move(180, 300);  // dragged below the red slider's bottom edge
    chain.Frame();
    chain.Release();
    chain.Frame();
    EXPECT_EQ(colour->red, 0u);
    chain.Click(250, 460);
    EXPECT_EQ(player->color, RGB(0, 127, 0));
    chain.Current<CPlayerOptions>();
}

// "Play again" starts a match with the same players at the same sides; "Continue" goes to
// the intro.
TEST_F(PlayerScreens, GameOverPlaysAgainOrContinuesToTheIntro)
{
    chain.data->padPlayers[1] = 3;
    auto* over = chain.Open<CGameOver>(str("Quill Wins!"));
    EXPECT_FALSE(CGameOver::DoContinue(nullptr, chain.root.get()));
    EXPECT_FALSE(CGameOver::DoPlayAgain(nullptr, chain.root.get()));
    ASSERT_NE(ButtonAt(over, 168, 452), nullptr);
    EXPECT_STREQ(Shown(ButtonAt(over, 168, 452)), "Play again");
    EXPECT_STREQ(Shown(ButtonAt(over, 268, 452)), "Continue");
    chain.Click(200, 460);
    auto* match = chain.Current<CMainGame>();
    ASSERT_NE(match, nullptr);
    EXPECT_EQ(match->lineup.padPlayers[1], 3u) << "the same sides";
    chain.Open<CGameOver>(str("Quill Wins!"));
    chain.Click(300, 460);
    chain.Current<CIntro>();
}

TEST_F(PlayerScreens, EveryScreenReturnsItsDrawingObjects)
{
    const DWORD before = GdiObjects();
    chain.Open<CIntro>();
    chain.PaintOnce();
    chain.Open<COptions>();
    chain.PaintOnce();
    OpenPlayer();
    chain.PaintOnce();
    chain.Open<CKeyboardConfig>(player);
    chain.PaintOnce();
    chain.Open<CColorOptions>(player);
    chain.PaintOnce();
    chain.Open<CChoosePaddle>(player);
    chain.screen->InitPaint(chain.dc);
    chain.screen->Paint(chain.dc);
    chain.Open<CGameOver>(str("Nobody Wins!"));  // the old screen goes while prepared
    chain.PaintOnce();
    EXPECT_EQ(GdiObjects(), before);
}

// The colour screen names its sliders and warns of a colour the field's grey would hide.
TEST_F(PlayerScreens, ColourScreenLabelsItsSlidersAndWarnsOfAColourCloseToTheFieldsGrey)
{
    const auto shown = [&](COLORREF colour) {
        player->color = colour;
        auto* screen = chain.Open<CColorOptions>(player);
        screen->Animate();
        std::vector<std::string> texts;
        for (unsigned int n = 1; auto* text = dynamic_cast<CText*>(screen->GetChild(str("CNormText"), true, n)); ++n)
            if (text->text.Size() > 0) texts.emplace_back(static_cast<const char*>(text->text));
        return texts;
    };
    // Each slider shows its value, then comes the name above it.
    using Texts = std::vector<std::string>;
    EXPECT_EQ(shown(RGB(0, 0, 255)), (Texts{"Back", "0", "Red", "0", "Green", "255", "Blue"}));
    EXPECT_EQ(shown(RGB(100, 150, 168)), (Texts{"Back", "100", "Red", "150", "Green", "168", "Blue",
                                                "Too close to the field's grey: Back keeps the old colour"}));
    EXPECT_EQ(shown(RGB(128, 128, 169)), (Texts{"Back", "128", "Red", "128", "Green", "169", "Blue"}))
        << "one component far enough from the grey";
}

// A colour the field's grey would hide is not taken: the player keeps the old one.
TEST_F(PlayerScreens, ColourScreenKeepsTheOldColourInsteadOfOneTooCloseToTheGrey)
{
    player->color = RGB(0, 0, 255);
    auto* screen = chain.Open<CColorOptions>(player);
    screen->red = 120;
    screen->green = 130;
    screen->blue = 140;
    chain.Click(250, 460);
    EXPECT_EQ(player->color, RGB(0, 0, 255));
    chain.Current<CPlayerOptions>();
}

}  // namespace
