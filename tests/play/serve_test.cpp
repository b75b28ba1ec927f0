// The opening serve and the turns that keep the ball moving: a ball never ends up
// skimming along a wall or bouncing between two walls without moving across.

#include "input/input_maker.h"
#include "play/heading.h"
#include "play/countdown.h"
#include "support/field.h"

#include <gtest/gtest.h>

namespace {

class ServeTest : public ::testing::Test {
protected:
    Field field;
};

// A still keyboard player with a rounded paddle at the bottom lets the meter run out and
// the ball goes. Served on up and to the right, it came back off the nearest brick just
// past the thin end of the curve and left through the bottom.
TEST_F(ServeTest, AStillRoundedPaddleKeepsItsOwnServeInPlay)
{
    std::srand(3);
    field.data->players[0].input->SetKeyboard(VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT);
    field.data->players[0].padType = PadRounded;
    field.Match(true);
    const int frames = CCountdown::kFrames + 84 + 200;
    for (int f = 0; f < frames; ++f) {
        field.Frame();
        ASSERT_NE(dynamic_cast<CMainGame*>(field.Screen()), nullptr) << "frame " << f;
        ASSERT_NE(field.PaddleOn(SideBottom), nullptr) << "the bottom player went out in frame " << f;
    }
    EXPECT_EQ(field.Ball().holder, nullptr) << "served";
}

}  // namespace
