#pragma once
// Whoever seats a match from elsewhere (an online session): while it has seated one, the
// match takes its players and sides from it, and each player's device is asked of it
// first.

#include "core/global.h"
#include "input/input.h"
#include "model/controls.h"
#include "model/data.h"

#include <cstdint>

class CMatchSeats : public CGlobal {
public:
    static constexpr const char* kType = "CMatchSeats";
    explicit CMatchSeats(const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    // Who plays the match and where, or null when no match is seated.
    virtual const SLineup* Lineup() const = 0;
    // The device of the player with `controls` in the match, or null when the player's
    // own device plays.
    virtual CInput* MakeSeatInput(const CControls& controls, EAxis axis, const LList<CObject>& parents) = 0;
    // The seed that the seated match's random numbers start from.
    virtual std::uint32_t MatchSeed() const = 0;
};

// The tree's seating of matches, or null.
CMatchSeats* FindMatchSeats(CObject* from);
