#pragma once
// The hub between the intro and the match: a miniature playfield with one paddle-shaped
// button per pad slot, a column of buttons with the players' names, and "Start". The
// first one ever built fills in the default settings.

#include "screens/game.h"

struct SPlayerOptions;
class CData;
class CText;

class COptions : public CGame {
public:
    // What follows the hub.
    enum Choice : int { Nothing = 1, Match = 2, EditPlayer = 3, ChooseSlotPlayer = 4 };

    explicit COptions(const LList<CObject>& parents);
    bool HasType(str t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);
    static bool DoPlayer(void* context, CObject* screen);
    static bool DoPaddle(void* context, CObject* screen);

    // Whether at least two different players hold the sides: a match needs them.
    bool EnoughPlayers();

    int choice = Nothing;
    SPlayerOptions* player = nullptr;
    unsigned int slot = 0;

private:
    CText* warning;

    void AddPlayerButton(SPlayerOptions& p, unsigned int k);
    void AddSlotButton(const SPlayerOptions& p, unsigned int s);
};

// The record of the player who plays in the pad slot; a slot that names no player
// raises XDomainError.
SPlayerOptions& SlotPlayer(CData& data, unsigned int slot);
