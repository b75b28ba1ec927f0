// What the window system presents: over a seeded match, the damage handed to the host
// covers every pixel that changed and each damaged rectangle holds a change; a screen
// on which nothing moves is not presented again.

#include "app/gamer.h"
#include "app/main_window.h"
#include "model/controls.h"
#include "play/ball.h"
#include "platform/host/headless/program.h"
#include "platform/user/menu.h"
#include "model/data.h"
#include "ui/game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

using headless::Program;
using headless::Session;

class Damage : public ::testing::Test {
protected:
    const gdi::Surface& Presented() { return *session.PresentedFrame(); }
    int Presents() { return session.Host().PresentCount(); }

    // The presented client area is the window's client area, pixel for pixel.
    bool PresentedClientIsTheClient()
    {
        const gdi::Surface& client = *session.Client();
        for (int y = 0; y < client.Height(); ++y)
            if (!std::equal(client.Row(y), client.Row(y) + client.Width(), Presented().Row(y + user::Menu::kBarHeight)))
                return false;
        return true;
    }

    static bool Changed(const gdi::Surface& before, const gdi::Surface& after, const RECT& rect)
    {
        for (int y = rect.top; y < rect.bottom; ++y)
            if (!std::equal(before.Row(y) + rect.left, before.Row(y) + rect.right, after.Row(y) + rect.left))
                return true;
        return false;
    }

    void FollowTheBall()
    {
        auto* ball = dynamic_cast<CBall*>(CurrentGamer()->FindChild(str("CBall"), true, 1));
        if (!ball) return;
        program.MoveTo(std::clamp<int>((ball->rect.left + ball->rect.right) / 2, 0, 511),
                       std::clamp<int>((ball->rect.top + ball->rect.bottom) / 2, 0, 511));
    }

    Session session;
    Program program{session};
};

TEST_F(Damage, CoversEveryChangeAndNothingElseOverASeededMatch)
{
    program.MoveTo(5, 5);
    program.Frames(2);
    const int still = Presents();
    program.Frames(50);
    EXPECT_EQ(Presents(), still) << "the intro, on which nothing moves, is not presented again";

    std::srand(11);
    program.Click(250, 330);
    program.Frames(2);
    for (SPlayerOptions& player : FindData(CurrentGamer())->players) player.input->SetMouse(0);
    program.Click(250, 460);
    int presents = 0, damaged = 0;
    for (int frame = 0; frame < 1500 && !HasFailure(); ++frame) {
        FollowTheBall();
        const gdi::Surface before = Presented();
        const int count = Presents();
        program.Frames(1);
        ASSERT_TRUE(PresentedClientIsTheClient()) << "a change was left out of the damage in frame " << frame;
        if (Presents() != count + 1) continue;
        ++presents;
        for (const RECT& rect : session.Host().LastDamage()) {
            EXPECT_TRUE(Changed(before, Presented(), rect)) << "an unchanged rectangle was presented in frame " << frame;
            damaged += (rect.right - rect.left) * (rect.bottom - rect.top);
        }
    }
    EXPECT_GT(presents, 1000) << "the match moved";
    EXPECT_LT(damaged / std::max(presents, 1), 512 * 532 / 4) << "a match frame damages a small part of the window";
    program.Tap(VK_ESCAPE);
}

}  // namespace
