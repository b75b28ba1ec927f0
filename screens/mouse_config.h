#pragma once
// The mouse screen of one player: entering it makes the player a mouse player; there is
// nothing to set.

#include "ui/game.h"

struct SPlayerOptions;

class CMouseConfig : public CGame {
public:
    static constexpr const char* kType = "CMouseConfig";
    CMouseConfig(SPlayerOptions* options, const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    SPlayerOptions* options;
};
