#include "play/ball.h"

#include "play/heading.h"
#include "play/paddle.h"
#include "play/player.h"
#include "model/data.h"
#include "model/sounds.h"

#include <cstdlib>

namespace {

// Integer halving that truncates towards zero.
LONG Half(LONG v) { return v / 2; }

}  // namespace

CBall::CBall(unsigned int x, unsigned int y, const LList<CObject>& parents)
    : CAlphaStaticGraphic(parents, Rect())
{
    type.Load(kType);
    const int cx = static_cast<int>(x), cy = static_cast<int>(y);
    rect = Rect(cx - kRadius, cy - kRadius, cx + kRadius, cy + kRadius);
    velocity.dVx(5.0);
    velocity.dVy(-5.0);
}

bool CBall::HasType(const str& t) const { return t == kType || CAlphaStaticGraphic::HasType(t); }

void CBall::SetPlayer(CPlayer* player)
{
    owner = player;
    color = player ? player->options.color : RGB(255, 255, 255);
    if (!prepared) return;  // the next InitPaint uses the new colour
    CData& data = RequireData(this, "::SetPlayer()");
    HDC dc = GetDC(data.window);
    // Rebuilding the sprite runs one more Animate: the ball takes an extra step at once.
    try {
        EndPaint(dc);
        InitPaint(dc);
    } catch (...) {
        ReleaseDC(data.window, dc);
        throw;
    }
    ReleaseDC(data.window, dc);
}

bool CBall::Release(const CPaddle* paddle)
{
    if (!paddle || holder != paddle) return false;
    holder = nullptr;
    return true;
}

bool CBall::Touches(const Rect& body) const
{
    RECT overlap;
    return IntersectRect(&overlap, &rect, &body);
}

// A flat overlap was a hit on the top or bottom face, a tall or square one on a side
// face; ties go down or right.
void CBall::Mirror(const Rect& body)
{
    Rect overlap;
    IntersectRect(&overlap, &body, &rect);
    overlap.Recalc();
    if (overlap.width > overlap.height)
        velocity.RevY(std::abs(body.top - overlap.top) < std::abs(body.bottom - overlap.bottom) ? -1 : 1);
    else
        velocity.RevX(std::abs(body.left - overlap.left) < std::abs(body.right - overlap.right) ? -1 : 1);
}

void CBall::Animate()
{
    CGraphic::Animate();
    if (holder)
        FollowHolder();
    else if (!waiting)
        Fly(RequireData(this, "::Animate()").client);
}

// The four edge tests run on the position before the move, so the ball may stand partly
// outside the field for one frame; the paddle on that side sees it there first.
void CBall::Fly(const Rect& field)
{
    const double vx = velocity.dVx(), vy = velocity.dVy();
    if (rect.left < field.left) velocity.RevX(1);
    if (rect.top < field.top) velocity.RevY(1);
    if (rect.right > field.right) velocity.RevX(-1);
    if (rect.bottom > field.bottom) velocity.RevY(-1);
    if (velocity.dVx() != vx || velocity.dVy() != vy) PlayEffect(this, SoundWall);
    OffsetRect(&rect, static_cast<int>(velocity.dVx()), static_cast<int>(velocity.dVy()));
    rect.Recalc();
    if (++untouched % kStuckFrames == 0) TiltTurn(velocity);
}

// Centred on the paddle, then moved out in front of it towards the field.
void CBall::FollowHolder()
{
    const Rect& p = holder->rect;
    OffsetRect(&rect, Half(p.left + p.right) - Half(rect.width) - rect.left, 0);
    rect.Recalc();
    OffsetRect(&rect, 0, Half(p.top + p.bottom) - Half(rect.height) - rect.top);
    rect.Recalc();
    const LONG across = Half(p.width + rect.width), along = Half(p.height + rect.height);
    switch (holderSide) {
    case SideLeft: OffsetRect(&rect, across, 0); break;
    case SideRight: OffsetRect(&rect, -across, 0); break;
    case SideTop: OffsetRect(&rect, 0, along); break;
    case SideBottom: OffsetRect(&rect, 0, -along); break;
    default: break;
    }
    rect.Recalc();
}

bool CBall::InitPaint(HDC dc)
{
    if (!CAlphaStaticGraphic::InitPaint(dc)) return false;
    rect.Recalc();
    MakeSolidTools(color);
    SelectObject(memDC, brush);
    SelectObject(memDC, pen);
    Ellipse(memDC, 0, 0, rect.width, rect.height);
    Ellipse(maskDC, 0, 0, rect.width, rect.height);
    ReleaseTools(memDC);
    return true;
}
