// The pad screen: the player becomes a pad player, the slots show what is plugged in and
// light up under a pressed pad, and a slot click chooses that pad.

#include "model/controls.h"
#include "menu_chain.h"
#include "platform/host/headless/headless_pads.h"
#include "screens/keyboard_config.h"
#include "screens/options.h"
#include "screens/pad_config.h"
#include "screens/player_options.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kGreenSlot = RGB(0, 255, 0);
constexpr COLORREF kOtherSlot = RGB(192, 192, 192);
constexpr COLORREF kLit = RGB(255, 255, 0);

class PadScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        xinput::InstallPadHost(&pads);
        chain.Open<COptions>();
        player = &chain.Player(2);
    }
    void TearDown() override { xinput::InstallPadHost(nullptr); }

    CButton* Slot(unsigned int slot)
    {
        return dynamic_cast<CButton*>(chain.screen->GetChild(str("CPadSlotButton"), true, slot + 1));
    }
    void ClickSlot(unsigned int slot) { chain.Click(250, 106 + 40 * slot); }
    // The slot's fill, left of its caption.
    COLORREF Fill(unsigned int slot)
    {
        chain.PaintOnce();
        return chain.Pixel(162, static_cast<int>(100 + 40 * slot));
    }

    headless::HeadlessPads pads;
    MenuChain chain;
    SPlayerOptions* player = nullptr;
};

TEST_F(PadScreen, ControllerMakesAPadPlayerOnTheirOwnPadAndShowsEverySlot)
{
    pads.Connect(0, "Xbox 360 Controller");
    pads.Connect(2, "8BitDo Pro 2");
    chain.Open<CPlayerOptions>(player);
    chain.Click(330, 180);  // "Controller"
    auto* screen = chain.Current<CPadConfig>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(player->input->kind, CControls::Controller);
    EXPECT_EQ(player->input->pad, 1u) << "player 2's pad";
    EXPECT_STREQ(Shown(screen), "Controller for Marigold");
    const char* captions[] = {"1: Xbox 360 Controller", "2: not connected", "3: 8BitDo Pro 2", "4: not connected"};
    for (unsigned int slot = 0; slot < 4; ++slot) {
        ASSERT_NE(Slot(slot), nullptr) << slot;
        EXPECT_EQ(Slot(slot)->rect.top, static_cast<LONG>(96 + 40 * slot));
        EXPECT_STREQ(Shown(Slot(slot)), captions[slot]);
        EXPECT_EQ(Fill(slot), slot == 1 ? kGreenSlot : kOtherSlot) << slot;
    }

    pads.Connect(1, "Logitech F310");
    pads.Disconnect(2);
    chain.Frame();
    EXPECT_STREQ(Shown(Slot(1)), "2: Logitech F310") << "plugged in while the screen shows";
    EXPECT_STREQ(Shown(Slot(2)), "3: not connected");
}

TEST_F(PadScreen, APressedPadLightsItsSlotAndASlotClickChoosesIt)
{
    pads.Connect(0, "Pad");
    pads.Connect(3, "Pad");
    chain.Open<CPadConfig>(player);
    chain.Move(10, 10);
    pads.Press(3, XINPUT_GAMEPAD_B, true);
    chain.Frame();
    EXPECT_EQ(Fill(3), kLit);
    EXPECT_EQ(Fill(0), kOtherSlot);
    pads.Press(3, XINPUT_GAMEPAD_B, false);
    pads.Trigger(0, false, 200);
    chain.Frame();
    EXPECT_EQ(Fill(3), kOtherSlot);
    EXPECT_EQ(Fill(0), kLit) << "a pulled trigger counts";

    ClickSlot(3);
    chain.Current<CPadConfig>();
    EXPECT_EQ(player->input->pad, 3u);
    EXPECT_EQ(Fill(3), kGreenSlot);
    chain.Click(250, 460);  // "Back"
    chain.Current<CPlayerOptions>();
    chain.Click(150, 180);  // "Keyboard"
    chain.Current<CKeyboardConfig>();
    EXPECT_EQ(player->input->kind, CControls::Keyboard);
    chain.Open<CPadConfig>(player);
    EXPECT_EQ(player->input->kind, CControls::Controller);
    EXPECT_EQ(player->input->pad, 3u) << "the pad chosen before";
}

}  // namespace
