#pragma once
// The pad screen of one player: entering it makes the player a pad player (on the pad
// chosen before, at first the pad with the player's number). The four pad slots are
// buttons that show what is plugged in there; the chosen one is green, and a slot lights
// up while any button of its pad is held, so players can tell which pad is theirs.

#include "ui/game.h"

struct SPlayerOptions;

class CPadConfig : public CGame {
public:
    static constexpr const char* kType = "CPadConfig";
    enum Choice : unsigned int { Back = 0, Slot = 1 };

    CPadConfig(SPlayerOptions* options, const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);
    // A slot button: the player takes that pad, and the screen is shown again.
    static bool DoSlot(void* context, CObject* screen);

    unsigned int choice = Back;
    SPlayerOptions* options;
};
