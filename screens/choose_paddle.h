#pragma once
// Chooses a player's paddle shape. The choice is stored at once; "Back" stores the shape
// the player had when the screen was built.

#include "ui/game.h"

struct SPlayerOptions;

class CChoosePaddle : public CGame {
public:
    static constexpr const char* kType = "CChoosePaddle";
    CChoosePaddle(SPlayerOptions* options, const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    SPlayerOptions* options;
};
