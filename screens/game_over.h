#pragma once
// The screen after a match: the result in large letters, every player's final score
// below it, and a "Continue" button that leads back to the intro.

#include "ui/game.h"

#include <vector>

class CGameOver : public CGame {
public:
    static constexpr const char* kType = "CGameOver";
    CGameOver(const str& text, const LList<CObject>& parents, const std::vector<str>& scores = {});
    bool HasType(str t) const override;
    CGame* NextGame() override;

    static bool DoContinue(void* context, CObject* screen);
};
