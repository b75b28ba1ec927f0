#pragma once
// A player's paddle on one side of the field: it follows the player's input, catches and
// holds the ball with the grab button while the player's meter lasts, hands the ball to
// its player after every touch, and removes its player when the ball leaves on its side.
// How it is hit and how it sends the ball back belongs to its shape.

#include "gfx/graphic.h"
#include "model/side.h"

class CBall;
class CInput;
class CPlayer;

class CPaddle : public CGraphic {
public:
    static constexpr const char* kType = "CPaddle";
    static constexpr int kLength = 124;
    static constexpr int kThickness = 25;
    // A held ball is carried no nearer the ends of the side than this (the paddle's
    // centre): let go there and sent flat towards the neighbouring side, it flies more
    // than ten frames (200 ms) before it reaches the neighbour's paddle.
    static constexpr int kHeldFromEnd = 140;

    CPaddle(CBall* ball, const LList<CObject>& parents, Side side);
    ~CPaddle() override;
    bool HasType(const str& t) const override;

    virtual bool BallHitting() = 0;
    virtual void ReflectBall() = 0;
    virtual void SetPos(unsigned int pos);
    // Sends off the ball this paddle held at the start of the match and has just let go
    // of; it keeps its direction.
    virtual void Serve() {}

    void Animate() override;
    void Die();
    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;
    bool EndPaint(HDC dc) override;
    void DescribeLook(PaintLook& look) override;

    // Whether the ball has left the field through this paddle's side.
    bool BallGone(const Rect& field) const;

    Orientation orientation;
    Side side;
    CBall* ball;
    CInput* input = nullptr;
    CPlayer* player = nullptr;
    COLORREF color = 0;

private:
    CInput& RequireInput(const char* context);
    CPlayer& RequirePlayer(const char* context);
    unsigned int Carried(unsigned int pos) const;
    void UpdateMeter(bool grab);
    void LetGo();
    void TakeBall(bool grab);
};

CPaddle* MakePaddle(EPadType padType, CBall* ball, const LList<CObject>& parents, Side side);
