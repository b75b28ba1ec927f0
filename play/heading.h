#pragma once
// Keeping the ball on the move. The ball's position moves by whole pixels, its velocity
// truncated each frame, so a component below one pixel a frame never moves it along that
// axis at all: such a ball skims along a wall or bounces between two walls for ever.
// These turns keep its speed and change its direction only as far as needed.

#include "model/side.h"
#include "play/vector.h"

// Whether `velocity` takes the ball away from `side`'s wall at all.
bool Leaves(const CVector& velocity, Side side);

// After a paddle on `side` sent the ball back: a ball left moving less than one whole pixel
// a frame across (neither away from the wall nor into it) is turned, as little as
// possible, to move one pixel a frame away from the wall; and one that drifts along the
// wall by less than a pixel a frame (but is not going straight out) to one pixel a frame
// along it. Otherwise it would skim along a wall, or bounce between two walls, for ever.
// A ball too slow for that is left.
void KeepLeaving(CVector& velocity, Side side);

// Whether the ball moves at least one whole pixel a frame on both axes.
bool MovesOnBothAxes(const CVector& velocity);

// The tilt: a turn of 0.1 radian, and more turns of 0.1 radian until the ball moves on
// both axes (at most one full turn, for a ball too slow to move on both).
void TiltTurn(CVector& velocity);
