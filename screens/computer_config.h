#pragma once
// The computer screen of one player: entering it makes the player a computer player (at
// "Fair" unless it was one already); a level button sets how well it plays, "Back" keeps
// the level it had.

#include "ui/game.h"

struct SPlayerOptions;

class CComputerConfig : public CGame {
public:
    static constexpr const char* kType = "CComputerConfig";
    CComputerConfig(SPlayerOptions* options, const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    SPlayerOptions* options;
};
