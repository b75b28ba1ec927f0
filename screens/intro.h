#pragma once
// The first screen: the game's name, "New Game" that leads to the options, "Replays" to
// the recorded matches and "Records" to the hall of fame.

#include "ui/game.h"

class CIntro : public CGame {
public:
    static constexpr const char* kType = "CIntro";
    explicit CIntro(const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    // What follows the intro: the options screen, the list of replays or the records.
    static constexpr unsigned int kOptions = 1;
    static constexpr unsigned int kReplays = 2;
    static constexpr unsigned int kRecords = 3;
    unsigned int choice = kOptions;
};
