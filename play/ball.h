#pragma once
// The one ball of a match: a masked disc in its owner's colour. It flies by its velocity
// and bounces off the edges of the field, or sits in front of the paddle that holds it.
// A ball that no paddle has touched for kStuckFrames is caught where no paddle reaches it
// (running along an empty side, or, owned by nobody, in a hole of the wall of bricks that
// it does not break): it tilts by itself, as Tilt would turn it, again after as long, and
// breaks bricks even when nobody owns it (the bricks say so).

#include "gfx/static_graphic.h"
#include "model/side.h"
#include "play/vector.h"

class CPaddle;
class CPlayer;

class CBall : public CAlphaStaticGraphic {
public:
    static constexpr const char* kType = "CBall";
    static constexpr int kRadius = 12;
    static constexpr unsigned int kStuckFrames = 750;

    CBall(unsigned int x, unsigned int y, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void SetPlayer(CPlayer* player);
    // Lets go of the ball if `paddle` holds it (a paddle that goes away must not stay
    // reachable through the ball); true when it did.
    bool Release(const CPaddle* paddle);

    // Whether the ball overlaps `body` (edges that only touch do not count).
    bool Touches(const Rect& body) const;
    // Bounces off `body` like off a wall: the overlap's longer side tells which face was
    // hit, and only the component across that face is forced away from the body.
    void Mirror(const Rect& body);

    void Animate() override;
    bool InitPaint(HDC dc) override;

    CPlayer* owner = nullptr;
    CVector velocity{0, 0};
    COLORREF color = RGB(255, 255, 255);
    CPaddle* holder = nullptr;
    Side holderSide = SideNone;
    // While the match waits to go on (its countdown), the ball stays where it is, or in
    // front of the paddle that holds it.
    bool waiting = false;
    // Frames flown since a paddle last touched the ball.
    unsigned int untouched = 0;
    bool Stuck() const { return untouched >= kStuckFrames; }

private:
    void Fly(const Rect& field);
    void FollowHolder();
};
