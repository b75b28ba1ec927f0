#pragma once
// The first screen: the game's name and a "New Game" button that leads to the options.

#include "ui/game.h"

class CIntro : public CGame {
public:
    static constexpr const char* kType = "CIntro";
    explicit CIntro(const LList<CObject>& parents);
    bool HasType(str t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    // What follows the intro: 1, the options screen, is the only choice.
    static constexpr unsigned int kOptions = 1;
    unsigned int choice = kOptions;
};
