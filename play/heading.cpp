#include "play/heading.h"

#include <cmath>

namespace {

constexpr double kTiltStep = 0.1;
// Fast enough to move a whole pixel on both axes.
constexpr double kLeastSpeed = 1.4142135624;
// Along the wall by less than this, a ball goes straight out (a hit in a rounded paddle's
// middle), not drifting.
constexpr double kStraight = 1e-6;
constexpr double kTwoPi = 6.283185307179586;

// The unit direction away from each side's wall, indexed by Side.
constexpr int kAwayX[5] = {0, 1, 0, 0, -1};
constexpr int kAwayY[5] = {0, 0, 1, -1, 0};

// Whole pixels a frame, as the ball moves.
int Pixels(double component) { return static_cast<int>(component); }

}  // namespace

void KeepLeaving(CVector& velocity, Side side)
{
    const Side s = ValidSide(side);
    if (s == SideNone || velocity.dV() < kLeastSpeed) return;
    const bool acrossX = kAwayX[s] != 0;
    double across = acrossX ? velocity.dVx() * kAwayX[s] : velocity.dVy() * kAwayY[s];
    double along = acrossX ? velocity.dVy() : velocity.dVx();
    if (Pixels(across) != 0 && (Pixels(along) != 0 || std::fabs(along) < kStraight)) return;
    const double speed = velocity.dV();
    if (Pixels(across) == 0) {
        // One pixel a frame away from the wall, the rest of the speed along it.
        across = 1.0;
        along = std::copysign(std::sqrt(speed * speed - 1.0), along);
    } else {
        // One pixel a frame along the wall, the rest across it (away or into it, as it was).
        along = std::copysign(1.0, along);
        across = std::copysign(std::sqrt(speed * speed - 1.0), across);
    }
    const double x = acrossX ? across * kAwayX[s] : along, y = acrossX ? along : across * kAwayY[s];
    velocity.dVx(x);
    velocity.dVy(y);
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
