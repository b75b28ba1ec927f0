// The drop-out rumble: started on pads with motors, stopped a quarter of a second later.

#include "input/pad_rumble.h"
#include "platform/host/headless/session.h"

#include <gtest/gtest.h>

namespace {

TEST(PadRumble, OnlyPadsWithMotorsRumbleAndEveryRumbleEndsAfterAQuarterOfASecond)
{
    headless::Session session;
    headless::HeadlessPads& pads = session.Pads();
    pads.Connect(0, "Shaker");
    pads.Connect(1, "Still", false);
    StartRumble(0);
    StartRumble(1);
    StartRumble(2);  // nothing plugged in
    StartRumble(9);  // no such slot
    EXPECT_NE(pads.Motors(0).wLeftMotorSpeed, 0);
    EXPECT_EQ(pads.Motors(1).wLeftMotorSpeed, 0);
    session.Advance(249);
    EXPECT_TRUE(ServiceRumbles());
    EXPECT_NE(pads.Motors(0).wLeftMotorSpeed, 0);
    session.Advance(1);
    EXPECT_FALSE(ServiceRumbles());
    EXPECT_EQ(pads.Motors(0).wLeftMotorSpeed, 0);
    EXPECT_EQ(pads.Motors(0).wRightMotorSpeed, 0);

    StartRumble(0);
    pads.Disconnect(0);  // pulled out while it shakes
    StopRumbles();
    EXPECT_FALSE(ServiceRumbles());
}

}  // namespace
