#include "play/brick.h"
#include "play/sudden_death.h"
#include "support/field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

TEST(CSuddenDeath, EveryFrameSpeedsTheBallUpAndShakesIt)
{
    Field field;
    field.Match();
    CBall& ball = field.Ball();
    ball.holder = nullptr;
    ball.velocity = CVector(3, 4);
    auto* sudden = new CSuddenDeath(&ball, LList<CObject>(false, 1, field.Find<CBricks>("CBricks")));

    // With both kick sizes at zero only the steady speed-up is left: 0.25 a second.
    for (int i = 0; i < 50; ++i) {
        sudden->dAngleSpeed = sudden->dAccell = 0;
        sudden->Animate();
    }
    EXPECT_NEAR(ball.velocity.dV(), 5.25, 1e-6);

    // With kicks, speed and direction wander and the kick sizes stay multiples of 0.1.
    sudden->dAngleSpeed = sudden->dAccell = 0.1;
    const double direction = ball.velocity.dT();
    for (int i = 0; i < 200; ++i) sudden->Animate();
    EXPECT_NE(ball.velocity.dT(), direction);
    const double steps = sudden->dAccell / 0.1;
    EXPECT_NEAR(steps, std::round(steps), 1e-6);
}

}  // namespace
