#pragma once
// The hall of fame on screen: every player's matches played and won, best score and
// last day played, most wins first; the best scores ever with their dates; "Clear
// records", which asks first, and "Back" to the intro.

#include "ui/game.h"

class CRecords : public CGame {
public:
    static constexpr const char* kType = "CRecords";
    static constexpr unsigned int kPlayerLines = 8;
    static constexpr unsigned int kScoreLines = 8;

    // `asking`: the screen asks whether to clear the records.
    explicit CRecords(const LList<CObject>& parents, bool asking = false);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoChoose(void* context, CObject* screen);

    enum Choice { Back, AskClear, Clear, KeepRecords };
    Choice choice = Back;
};
