#include "play/paddle.h"

#include "input/input.h"
#include "play/input_maker.h"
#include "play/ball.h"
#include "play/heading.h"
#include "play/paddle_shapes.h"
#include "play/player.h"
#include "model/data.h"
#include "model/sounds.h"

#include <algorithm>

namespace {

constexpr int kField = 512;
constexpr int kHalfLength = CPaddle::kLength / 2;
constexpr unsigned int kRefillPeriod = 20;
constexpr unsigned int kRefillLimit = 250;

// Where each side's paddle stands, indexed by Side.
const RECT kSideRects[5] = {
    {0, 0, 0, 0}, {25, 194, 50, 318}, {194, 25, 318, 50}, {194, 462, 318, 487}, {462, 194, 487, 318}};

}  // namespace

CPaddle* MakePaddle(EPadType padType, CBall* ball, const LList<CObject>& parents, Side side)
{
    switch (padType) {
    case PadRectangular: return new CRectPaddle(ball, parents, side);
    case PadRounded: return new CRoundPaddle(ball, parents, side);
    }
    return nullptr;
}

CPaddle::CPaddle(CBall* b, const LList<CObject>& parents, Side s)
    : CGraphic(parents, Rect()), orientation(SideToOrientation[ValidSide(s)]), side(s), ball(b)
{
    type.Load(kType);
    if (ValidSide(side) != SideNone) {
        const RECT& place = kSideRects[side];
        SetRect(&rect, place.left, place.top, place.right, place.bottom);
        rect.Recalc();
    }
    player = &RequirePlayer("::CPaddle()");
    color = player->options.color;
    SetPos(256);
}

// A paddle that goes away lets go of the ball, unless the ball is itself being torn
// down (then it is no longer a CBall and must not be called).
CPaddle::~CPaddle()
{
    if (prepared) ReleaseTools(BackBuffer());
    if (auto* live = dynamic_cast<CBall*>(static_cast<CObject*>(ball))) live->Release(this);
}

bool CPaddle::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

CInput& CPaddle::RequireInput(const char* context)
{
    input = GetChild<CInput>();
    if (!input) throw XChildError(type + str(context));
    return *input;
}

CPlayer& CPaddle::RequirePlayer(const char* context)
{
    player = GetParent<CPlayer>();
    if (!player) throw XChildError(type + str(context));
    return *player;
}

// The paddle is centred on `pos` along its side, kept within 0 to 512.
void CPaddle::SetPos(unsigned int pos)
{
    long long low = static_cast<long long>(pos) - kHalfLength, high = static_cast<long long>(pos) + kHalfLength;
    if (pos < static_cast<unsigned int>(kHalfLength)) {
        low = 0;
        high = kLength;
    } else if (high > kField) {
        low = kField - kLength;
        high = kField;
    }
    if (orientation == Horizontal) {
        rect.left = static_cast<LONG>(low);
        rect.right = static_cast<LONG>(high);
    } else if (orientation == Vertical) {
        rect.top = static_cast<LONG>(low);
        rect.bottom = static_cast<LONG>(high);
    }
    rect.Recalc();
}

void CPaddle::Animate()
{
    CGraphic::Animate();
    // The player found when the paddle was made is a parent: the paddle goes with it.
    CInput& controls = RequireInput("::Animate(Input)");
    SetPos(Carried(controls.GetPos()));
    if (ball->waiting) return;  // the match has not started or gone on yet
    const bool grab = controls.GetButton(0);
    UpdateMeter(grab);
    if (BallHitting()) TakeBall(grab);
    if (BallGone(RequireData(this, "::Animate(Data)").client)) Die();  // this paddle is gone now
}

// Where a paddle that holds the ball may go: no nearer the ends of its side than
// kHeldFromEnd, or than it already is (a ball caught near a corner is not snatched away).
unsigned int CPaddle::Carried(unsigned int pos) const
{
    if (ball->holder != this) return pos;
    const LONG centre = orientation == Horizontal ? (rect.left + rect.right) / 2 : (rect.top + rect.bottom) / 2;
    const LONG low = std::min<LONG>(kHeldFromEnd, centre), high = std::max<LONG>(kField - kHeldFromEnd, centre);
    return static_cast<unsigned int>(std::clamp<LONG>(static_cast<LONG>(pos), low, high));
}

// Holding the grab button drains the meter and lets go of the ball once it is empty;
// with the button up the ball goes and the meter refills one unit every 20 frames.
void CPaddle::UpdateMeter(bool grab)
{
    if (grab) {
        if (player->meter == 0)
            LetGo();
        else
            --player->meter;
        return;
    }
    LetGo();
    if (frames % kRefillPeriod == 0 && player->meter <= kRefillLimit) ++player->meter;
}

// The ball nobody has touched yet is the match's opening serve.
void CPaddle::LetGo()
{
    if (ball->Release(this) && !ball->owner) Serve();
}

// A free ball is caught while the grab button is held and the meter lasts; a ball held by
// another paddle is left alone. A free ball that the paddle turns makes the paddle's
// sound, once: while it still overlaps the paddle its direction no longer changes.
void CPaddle::TakeBall(bool grab)
{
    if (grab && player->meter != 0 && !ball->holder) {
        ball->holder = this;
        ball->holderSide = side;
        PlayEffect(this, SoundGrab);
    }
    if (ball->holder && ball->holder != this) return;
    const double vx = ball->velocity.dVx(), vy = ball->velocity.dVy();
    ReflectBall();
    KeepLeaving(ball->velocity, side);
    if (!ball->holder && (ball->velocity.dVx() != vx || ball->velocity.dVy() != vy)) PlayEffect(this, SoundPaddle);
    ball->SetPlayer(player);
    ball->untouched = 0;
}

bool CPaddle::BallGone(const Rect& field) const
{
    const Rect& b = ball->rect;
    switch (side) {
    case SideLeft: return b.left < field.left;
    case SideTop: return b.top < field.top;
    case SideRight: return b.right > field.right;
    case SideBottom: return b.bottom > field.bottom;
    default: return false;
    }
}

// The ball's owner takes a tenth of this player's score; then the player goes, and this
// paddle with it.
void CPaddle::Die()
{
    if (!player) {
        delete this;
        return;
    }
    CPlayer& loser = RequirePlayer("::Die()");
    PlayEffect(this, SoundDropOut);
    if (ball->owner) ball->owner->AddScore(static_cast<int>(loser.score / 10));
    if (loser.options.input) DropOut(*loser.options.input);
    delete &loser;
}

bool CPaddle::InitPaint(HDC dc)
{
    if (!CGraphic::InitPaint(dc)) return false;
    rect.Recalc();
    MakeSolidTools(color);
    return true;
}

void CPaddle::DescribeLook(PaintLook& look) { look.Add(color).Add(RequireInput("::Paint").GetButton(0)); }

// Black with a white outline while the grab button is down.
bool CPaddle::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    if (RequireInput("::Paint").GetButton(0)) {
        SelectObject(dc, GetStockObject(BLACK_BRUSH));
        SelectObject(dc, GetStockObject(WHITE_PEN));
    } else {
        SelectObject(dc, brush);
        SelectObject(dc, pen);
    }
    return true;
}

bool CPaddle::EndPaint(HDC dc)
{
    if (!CGraphic::EndPaint(dc)) return false;
    ReleaseTools(dc);
    return true;
}
