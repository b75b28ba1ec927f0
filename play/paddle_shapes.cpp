#include "play/paddle_shapes.h"

#include "play/ball.h"
#include "play/heading.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr int kField = 512;
constexpr int kRadialWidth = 2;
// How far (radians) from straight out a rounded paddle serves.
constexpr double kServeSlant = 0.2;

// The lowest direction (radians) that points from each side's wall into the field,
// indexed by Side; the highest is half a turn more.
constexpr double kFieldwardFrom[5] = {0, 4.71238898038469, 0, kPi, 1.5707963267948966};

LONG MidX(const Rect& r) { return (r.left + r.right) / 2; }
LONG MidY(const Rect& r) { return (r.top + r.bottom) / 2; }

}  // namespace

// ---- CRectPaddle -------------------------------------------------------------------

CRectPaddle::CRectPaddle(CBall* ball, const LList<CObject>& parents, Side side) : CPaddle(ball, parents, side)
{
    type.Load(kType);
}

bool CRectPaddle::HasType(const str& t) const { return t == kType || CPaddle::HasType(t); }

bool CRectPaddle::BallHitting() { return ball->Touches(rect); }

void CRectPaddle::ReflectBall() { ball->Mirror(rect); }

bool CRectPaddle::Paint(HDC dc)
{
    if (!CPaddle::Paint(dc)) return false;
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    return true;
}

// ---- CRoundPaddle ------------------------------------------------------------------

CRoundPaddle::CRoundPaddle(CBall* ball, const LList<CObject>& parents, Side side) : CPaddle(ball, parents, side)
{
    SetRectEmpty(&ellipse);
    SetRectEmpty(&radials);
    type.Load(kType);
    switch (side) {
    case SideLeft: SetRect(&radials, rect.left - kRadialWidth, 0, rect.left, kField); break;
    case SideRight: SetRect(&radials, rect.right - kRadialWidth, 0, rect.right, kField); break;
    case SideTop: SetRect(&radials, 0, rect.top - kRadialWidth, kField, rect.top); break;
    case SideBottom: SetRect(&radials, 0, rect.bottom - kRadialWidth, kField, rect.bottom); break;
    default: return;
    }
    radials.Recalc();
}

bool CRoundPaddle::HasType(const str& t) const { return t == kType || CPaddle::HasType(t); }

// The ellipse's centre lies on the paddle's outer face.
void CRoundPaddle::SetPos(unsigned int pos)
{
    CPaddle::SetPos(pos);
    ellipse = rect;
    switch (side) {
    case SideLeft: ellipse.left = rect.left - rect.width; break;
    case SideTop: ellipse.top = rect.top - rect.height; break;
    case SideBottom: ellipse.bottom = rect.bottom + rect.height; break;
    case SideRight: ellipse.right = rect.right + rect.width; break;
    default: break;
    }
    ellipse.Recalc();
}

CRoundPaddle::View CRoundPaddle::Look() const
{
    const Rect& b = ball->rect;
    View v;
    v.dx = MidX(b) - MidX(ellipse);
    v.dy = MidY(b) - MidY(ellipse);
    v.a = ellipse.width / 2;
    v.b = ellipse.height / 2;
    return v;
}

// Only the inner half can be hit: the ball must overlap the paddle's rectangle and come
// within its radius of the ellipse's boundary.
bool CRoundPaddle::BallHitting()
{
    if (!ball->Touches(rect)) return false;
    const View v = Look();
    return Reaches(v.dx, v.dy, v.a, v.b);
}

bool CRoundPaddle::Reaches(double dx, double dy, double a, double b)
{
    const double phi = std::atan2(dy, dx);
    const double dist = std::sqrt(dx * dx + dy * dy);
    const double c = std::cos(phi), s = std::sin(phi);
    const double boundary = std::sqrt(a * a * b * b / (b * b * c * c + a * a * s * s));
    return dist - boundary - CBall::kRadius <= 0;
}

// The direction is mirrored about the tangent at the polar angle of the ball's centre,
// then kept pointing into the field. A ball that is already leaving keeps its direction:
// mirrored, it would head back into the wall (and be flattened along it). The speed does
// not change.
void CRoundPaddle::ReflectBall()
{
    if (Leaves(ball->velocity, side)) return;
    const View v = Look();
    ball->velocity.dT(Reflected(ball->velocity.dT(), v.dx, v.dy, v.a, v.b, side));
}

double CRoundPaddle::Reflected(double theta, double dx, double dy, double a, double b, Side side)
{
    const double phi = std::atan2(dy, dx);
    const double c = std::cos(phi), s = std::sin(phi);
    const double d = std::sqrt(a * a * s * s + b * b * c * c);
    const double tangent = std::atan2(b * c / d, -a * s / d);
    return IntoField(2 * tangent - theta, side);
}

// The ball is held at the paddle's middle, where the curve faces straight into the field;
// it leaves steeply, a little to the side it was heading along the wall. (Kept in its old
// direction, a ball served from a still paddle came back off the nearest bricks just past
// the thin end of the curve; served straight out, it would come straight back for ever.)
void CRoundPaddle::Serve()
{
    const double straight = kFieldwardFrom[ValidSide(side)] + kPi / 2;
    const double aside = std::sin(ball->velocity.dT() - straight) < 0 ? -kServeSlant : kServeSlant;
    ball->velocity.dT(straight + aside);
}

double CRoundPaddle::IntoField(double theta, Side side)
{
    const double lo = kFieldwardFrom[ValidSide(side)], hi = lo + kPi;
    while (theta < lo) theta += kTwoPi;
    while (theta > hi) theta -= kTwoPi;
    if (theta >= lo) return theta;
    // In the gap below lo: the nearer bound around the circle, hi on a tie.
    return lo - theta < theta + kTwoPi - hi ? lo : hi;
}

// The pie's radial edges may reach a pixel or two past the rectangle.
RECT CRoundPaddle::PaintArea(HDC)
{
    RECT area = rect;
    InflateRect(&area, kRadialWidth, kRadialWidth);
    return area;
}

bool CRoundPaddle::Paint(HDC dc)
{
    if (!CPaddle::Paint(dc)) return false;
    switch (side) {
    case SideTop:
    case SideRight: SetArcDirection(dc, AD_COUNTERCLOCKWISE); break;
    case SideLeft:
    case SideBottom: SetArcDirection(dc, AD_CLOCKWISE); break;
    default: break;
    }
    Pie(dc, ellipse.left, ellipse.top, ellipse.right, ellipse.bottom, radials.left, radials.top, radials.right,
        radials.bottom);
    return true;
}
