#pragma once
// The hub between the intro and the match: a miniature playfield with one paddle-shaped
// button per pad slot, a column of buttons with the players' names, and "Start". The
// first one ever built fills in the default settings. Beside "Start", "Host game" opens
// this machine to others (the players who join take the computer players' places, and
// the screen shows them as they come) and "Join game" leads to joining another's.

#include "ui/game.h"

struct SPlayerOptions;
class CData;
class CText;

class COptions : public CGame {
public:
    static constexpr const char* kType = "COptions";
    // What follows the hub.
    enum Choice : int { Nothing = 1, Match = 2, EditPlayer = 3, ChooseSlotPlayer = 4, Refresh = 5, JoinGame = 6 };

    explicit COptions(const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);
    static bool DoPlayer(void* context, CObject* screen);
    static bool DoPaddle(void* context, CObject* screen);
    static bool DoHost(void* context, CObject* screen);

    void Animate() override;

    // Whether at least two different players hold the sides: a match needs them.
    bool EnoughPlayers();
    // Whether no player holds more than one side: online, a player steers one paddle.
    bool OneSideEach();

    int choice = Nothing;
    SPlayerOptions* player = nullptr;
    unsigned int slot = 0;

private:
    CText* warning;
    CText* status;
    unsigned int lobbyShown = 0;

    void AddPlayerButton(SPlayerOptions& p, unsigned int k);
    void AddSlotButton(const SPlayerOptions& p, unsigned int s);
    void AddOnlineButtons();
    void ShowLobby();
    bool Startable();
    CGame* StartMatch();
};

// The record of the player who plays in the pad slot; a slot that names no player
// raises XDomainError.
SPlayerOptions& SlotPlayer(CData& data, unsigned int slot);
