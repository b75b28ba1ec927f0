#pragma once
// Whoever steers the seats of a match from elsewhere (an online session): while it is in
// the tree, each player's device is asked of it first.

#include "core/global.h"
#include "input/input.h"
#include "model/controls.h"

class CSeatInputs : public CGlobal {
public:
    explicit CSeatInputs(const LList<CObject>& parents);
    bool HasType(str t) const override;

    // The device of the player with `controls` in the match, or null when the player's
    // own device plays.
    virtual CInput* MakeSeatInput(const CControls& controls, EAxis axis, const LList<CObject>& parents) = 0;
};

// The tree's steering of seats, or null.
CSeatInputs* FindSeatInputs(CObject* from);
