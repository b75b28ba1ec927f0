#pragma once
// Joining a game that another machine hosts: the host's address is typed in (a name or
// numbers, with ":port" when the host chose another port), "Join" connects, and the
// screen says how it goes: connecting, waiting for the host to start, or why not. When
// the host starts, the match begins here too. "Back" leaves the game.

#include "ui/game.h"

class CText;

class CJoinGame : public CGame {
public:
    static constexpr const char* kType = "CJoinGame";
    enum Choice : int { Nothing = 0, Back = 1, Match = 2 };

    explicit CJoinGame(const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;
    void Animate() override;

    static bool DoJoin(void* context, CObject* screen);
    static bool DoBack(void* context, CObject* screen);

    int choice = Nothing;

private:
    void Join();
    void Follow();

    CText* status;
};
