#pragma once
// The wall of bricks in the middle of the field. A brick bounces the ball like a wall;
// hit by an owned ball it credits the owner and shrinks away. The wall lays the bricks
// out, counts them, and decides the match when the last one goes.

#include "gfx/holder.h"

class CBall;
class CPlayer;

class CBrick : public CGraphic {
public:
    static constexpr const char* kType = "CBrick";
    static constexpr int kSize = 25;
    static constexpr unsigned int kPoints = 20;
    static constexpr unsigned int kMeterGain = 7;
    static constexpr unsigned int kMeterCap = 250;

    CBrick(CBall* ball, unsigned int x, unsigned int y, const LList<CObject>& parents, unsigned long color);
    ~CBrick() override;
    bool HasType(const str& t) const override;

    void Animate() override;
    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;
    bool EndPaint(HDC dc) override;

    // One frame of a broken brick: it shrinks by a pixel on every side, and once it is
    // no more than 2 x 2 it is removed. `brick` is the dying brick.
    static bool AniDie(void* unused, CObject* brick);

    CBall* ball;
    COLORREF color;
    // Where the brick stands in its wall, counted in the order the wall was laid.
    unsigned int slot = 0;

private:
    void Reward(CPlayer& owner);
    void Break();
};

class CBricks : public CGraphicHolder {
public:
    static constexpr const char* kType = "CBricks";
    static constexpr COLORREF kColor = 0x00FFFF00;

    CBricks(CBall* ball, const LList<CObject>& parents, const Rect& r, unsigned int rows, unsigned int columns);
    bool HasType(const str& t) const override;

    void Add(unsigned int x, unsigned int y);
    bool Matrix(unsigned int rows, unsigned int columns);
    void Remove(CBrick* brick);
    // Takes down what is left of the wall, and whatever stands on it, and lays it whole
    // again.
    void Relay();

    // The player with the highest score among `players`' CPlayer children, the first
    // of them on a tie (then `tie` is set); null when there are none.
    static CPlayer* Leader(CObject& players, bool& tie);

    CBall* ball;
    COLORREF color = kColor;
    unsigned int count = 0;
    // Bricks laid, gone or not.
    unsigned int laid = 0;

private:
    unsigned int rows, columns;

    void DecideMatch();
};
