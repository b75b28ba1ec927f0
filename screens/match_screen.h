#pragma once
// The match as a screen of the chain: when it is over, its recording is kept, the
// records count it, and the game-over screen follows with the winner's name and every player's final score.

#include "play/main_game.h"

class CMatchScreen : public CMainGame {
public:
    static constexpr const char* kType = "CMatchScreen";
    explicit CMatchScreen(const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    CGame* NextGame() override;
};
