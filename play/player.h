#pragma once
// The players of a match: one CPlayer per settings record, each with a paddle, a name
// text, an input and a meter for every pad slot it plays in; CPlayers counts those still
// in the match and ends it when fewer than two remain.

#include "gfx/graphic.h"
#include "model/data.h"

class CBall;

class CPlayer : public CObject {
public:
    static constexpr const char* kType = "CPlayer";
    static constexpr unsigned int kStartMeter = 83;

    CPlayer(const SPlayerOptions& record, const LList<CObject>& parents);
    ~CPlayer() override;
    bool HasType(const str& t) const override;

    void AddScore(int amount);
    // Every name text of the player shows the score, or the name.
    void ShowScore();
    void ShowName();

    // Whether the player plays in at least one pad slot (it has a paddle).
    bool InMatch();

    unsigned int meter = kStartMeter;
    unsigned int score = 0;
    // The name texts show the score (from the first points on) instead of the name.
    bool scoreShown = false;
    SPlayerOptions options;

private:
    void Show(const str& shown);
    void TakeSlot(unsigned int slot, CBall* ball, CObject* screen);
};

class CPlayers : public CObject {
public:
    static constexpr const char* kType = "CPlayers";
    CPlayers(CBall* ball, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void AddPlayer(unsigned int unused, const SPlayerOptions& record);
    void RemovePlayer(CPlayer* player);

    CBall* ball;
    unsigned int count = 0;
};

// A bar in the player's colour along the edge of the field, 2 x meter long.
class CPaddleMeter : public CGraphic {
public:
    static constexpr const char* kType = "CPaddleMeter";
    CPaddleMeter(const SPlayerOptions* options, Side side, const LList<CObject>& parents);
    ~CPaddleMeter() override;
    bool HasType(const str& t) const override;

    void Animate() override;
    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;
    bool EndPaint(HDC dc) override;

    static constexpr int kThickness = 6;

    const SPlayerOptions* options;
    Orientation orientation;
};
