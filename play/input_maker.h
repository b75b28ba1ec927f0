#pragma once
// Making a player's device for a match from the player's control settings.

#include "input/input.h"
#include "model/controls.h"

// The device of the controls' own kind: keyboard, mouse, gamepad or computer player (a
// place kept for another machine that nobody took plays as a Fair computer).
CInput* MakeOwnInput(const CControls& controls, EAxis axis, const LList<CObject>& parents);
// The device for the player's paddle: a recording that the match plays, then the tree's
// seating of the match (an online one), otherwise the player's own device.
CInput* MakeInput(const CControls& controls, EAxis axis, const LList<CObject>& parents);
// The player drops out: a gamepad player's gamepad rumbles briefly.
void DropOut(const CControls& controls);
