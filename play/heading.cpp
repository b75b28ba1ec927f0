#include "play/heading.h"

#include <cmath>

namespace {

constexpr double kTiltStep = 0.1;
constexpr double kTwoPi = 6.283185307179586;

// The unit direction away from each side's wall, indexed by Side.
constexpr int kAwayX[5] = {0, 1, 0, 0, -1};
constexpr int kAwayY[5] = {0, 0, 1, -1, 0};

// Whole pixels a frame, as the ball moves.
int Pixels(double component) { return static_cast<int>(component); }

}  // namespace

int StepAwayFrom(const CVector& velocity, Side side)
{
    const Side s = ValidSide(side);
    return Pixels(velocity.dVx()) * kAwayX[s] + Pixels(velocity.dVy()) * kAwayY[s];
}

void KeepLeaving(CVector& velocity, Side side)
{
    const Side s = ValidSide(side);
    if (s == SideNone || StepAwayFrom(velocity, s) != 0) return;
    const double speed = velocity.dV();
    if (speed < 1.0) return;
    // One pixel a frame away from the wall, the rest of the speed along it, keeping the
    // side it was heading to along the wall.
    const double along = std::sqrt(speed * speed - 1.0);
    if (kAwayX[s] != 0) {
        velocity.dVy(std::copysign(along, velocity.dVy()));
        velocity.dVx(kAwayX[s]);
    } else {
        velocity.dVx(std::copysign(along, velocity.dVx()));
        velocity.dVy(kAwayY[s]);
    }
}

bool Leaves(const CVector& velocity, Side side)
{
    const Side s = ValidSide(side);
    return velocity.dVx() * kAwayX[s] + velocity.dVy() * kAwayY[s] > 0;
}

bool MovesOnBothAxes(const CVector& velocity)
{
    return Pixels(velocity.dVx()) != 0 && Pixels(velocity.dVy()) != 0;
}

void TiltTurn(CVector& velocity)
{
    velocity.aT(kTiltStep);
    for (double turned = kTiltStep; !MovesOnBothAxes(velocity) && turned < kTwoPi; turned += kTiltStep)
        velocity.aT(kTiltStep);
}
