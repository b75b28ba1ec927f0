#pragma once
// Mixes a player's colour from three vertical sliders, shown live in a colour block.
// Leaving the screen stores the mixture.

#include "screens/game.h"

struct SPlayerOptions;

class CColorOptions : public CGame {
public:
    CColorOptions(SPlayerOptions* options, const LList<CObject>& parents);
    bool HasType(str t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    SPlayerOptions* options;
    unsigned int red;
    unsigned int green;
    unsigned int blue;
};
