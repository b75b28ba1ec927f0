#pragma once
// The first screen: the game's name, a "New Game" button that leads to the options and a
// "Replays" button that leads to the recorded matches.

#include "ui/game.h"

class CIntro : public CGame {
public:
    static constexpr const char* kType = "CIntro";
    explicit CIntro(const LList<CObject>& parents);
    bool HasType(str t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    // What follows the intro: the options screen or the list of replays.
    static constexpr unsigned int kOptions = 1;
    static constexpr unsigned int kReplays = 2;
    unsigned int choice = kOptions;
};
