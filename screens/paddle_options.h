#pragma once
// Chooses the player of one pad slot: one button per player, in the player's colour and
// with the player's name; choosing one returns to the options hub.

#include "ui/game.h"

class CPaddleOptions : public CGame {
public:
    static constexpr const char* kType = "CPaddleOptions";
    CPaddleOptions(unsigned int slot, const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    unsigned int playerNumber = 0;
    unsigned int slot;
};
