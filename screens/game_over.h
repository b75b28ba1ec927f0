#pragma once
// The screen after a match: the result in large letters and the rule that decided it,
// every player's final score below, "Play again" (the same players at the same sides)
// and "Continue", which leads back to the intro. After a match with other machines the
// host's "Play again" starts the next match for every machine still there; a joined
// machine's "Play again" (or "Continue") waits for it and starts it with the host.
// After a recording is watched there is no "Play again": its players need not be ours.

#include "ui/game.h"

#include <vector>

class CGameOver : public CGame {
public:
    static constexpr const char* kType = "CGameOver";
    CGameOver(const str& text, const LList<CObject>& parents, const std::vector<str>& scores = {},
              const str& reason = str(""), bool playAgain = true);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoContinue(void* context, CObject* screen);
    static bool DoPlayAgain(void* context, CObject* screen);

private:
    bool OffersPlayAgain();
    CGame* PlayAgain();

    bool again = false;
};
