#pragma once
// The keyboard screen of one player: entering it makes the player a keyboard player
// (with the default keys, unless they already were one); its seven fields capture the
// player's keys.

#include "ui/game.h"

struct SPlayerOptions;

class CKeyboardConfig : public CGame {
public:
    static constexpr const char* kType = "CKeyboardConfig";
    CKeyboardConfig(SPlayerOptions* options, const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    SPlayerOptions* options;

private:
    void AddKeyField(unsigned int control);
};
