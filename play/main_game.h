#pragma once
// The screen on which a match is played: background, ball, the wall of bricks and the
// players, built in that order, which is also the order in which they animate and paint.
// The playfield's rules end the match through `winner` and `gameOver`; the match screen
// (screens/match_screen.h) then finishes it and builds what follows.

#include "model/data.h"
#include "play/match_random.h"
#include "ui/game.h"

#include <vector>

class CCountdown;
class CPlayer;

class CMainGame : public CGame {
public:
    static constexpr const char* kType = "CMainGame";
    explicit CMainGame(const LList<CObject>& parents);
    bool HasType(str t) const override;

    // The match is over: the players still in keep their scores, the winner is cheered.
    void Finish();
    // The match counts down again before it goes on, and says when it is paused.
    void Resumed() override;
    void Paused(bool paused) override;

    // "<winner's name> Wins!", with "Nobody" when nobody won.
    str WinnerText();

    // Everything of the match goes, and the match is built again as it started.
    void Rebuild();

    // Keeps a player's score as its match ends (when it drops out, or at the end).
    void Record(const CPlayer& player);
    // "<name>: <score>" for every player who played, the winner first, then the highest
    // scores (a tie in player order).
    std::vector<str> ScoreLines();

    // Who plays, and where: the settings' players, or those of the online match seated.
    SLineup lineup;
    // The number (1 to 4) of the player who won, 0 for none; valid once the match is over.
    unsigned int winner = 0;

    // Every chance the match takes: from the seated match's seed, or from the runtime's
    // random numbers (which a replay script seeds).
    CMatchRandom random;
    CCountdown* countdown = nullptr;
    bool played[CData::kPlayers] = {};
    unsigned int finalScores[CData::kPlayers] = {};

private:
    void Build();
};

// The lineup of the match that `inMatch` belongs to; outside a match, the settings'.
SLineup MatchLineup(CObject* inMatch, const char* context);
