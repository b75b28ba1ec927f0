#include "play/computer_input.h"

#include "input/keyboard_input.h"
#include "play/ball.h"
#include "play/main_game.h"
#include "play/paddle_shapes.h"
#include "play/player.h"
#include "model/data.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kMiddle = 256;
constexpr int kBallSize = 2 * CBall::kRadius;
// The ball's centre is this far from a side's edge when it reaches the paddle there.
constexpr int kReach = 2 * CPaddle::kThickness + CBall::kRadius;
// A paddle's centre stays this far from the ends of its side.
constexpr int kLowestCentre = CPaddle::kLength / 2;
constexpr int kFlightLimit = 160;
constexpr int kNotComing = -1;
// The grab goes down this many frames before the ball arrives.
constexpr int kGrabLead = 3;
// How near its target a paddle must stand to catch the ball.
constexpr int kSettled = 10;
constexpr int kReleaseCandidates = 33;
constexpr int kSteerStep = 6;
// Frames after its arrival within which a ball meets the paddle, if it does.
constexpr int kContactFrames = 8;
// A ball rolling along the side is met this far ahead, with the paddle's shoulder.
constexpr int kUnstickLead = 50;
constexpr int kUnstickRange = 48;
// How many frames before the ball arrives the meeting point is chosen with care.
constexpr int kSteerFrom = 25;
// A shot whose direction is flatter than this (the sine of its angle with the side)
// runs along the side for ever.
constexpr double kSteepest = 0.3;

// How a level plays.
struct SLevel {
    unsigned int delay;       // frames between seeing the ball and acting on it
    int aimError;             // largest miss of the place it goes to, in pixels
    int lapsePercent;         // chance that a path finds it inattentive: it misses by up to kLapse
    int speedBeyond;          // distance from which it holds Speed; 0 never
    int grabPercent;          // chance of grabbing a ball that comes its way
    unsigned int grabMeter;   // meter it keeps in reserve before grabbing
    int releaseError;         // largest miss of the aimed release point; < 0 anywhere
    unsigned int longestHold; // frames it holds the ball at most
    int steer;                // how far off its rounded paddle's middle it meets the ball to aim
};

constexpr SLevel kLevels[ComputerLevels] = {
    {14, 100, 20, 0, 15, 60, -1, 40, 12},
    {6, 40, 6, 120, 40, 40, 60, 60, 24},
    {2, 12, 2, 40, 70, 25, 12, 80, 36},
};

// How far off an inattentive player goes: half the time far enough to miss.
constexpr int kLapse = 2 * (CPaddle::kLength / 2 + CBall::kRadius);

int Sign(double v) { return (v > 0) - (v < 0); }

// The ball in flight, as its rectangle's corner and its velocity.
struct Flight {
    int left, top;
    double vx, vy;
};

// Where the ball's centre is along `side`, and how far from that side's edge.
int Along(const Flight& f, Side side)
{
    return side == SideLeft || side == SideRight ? f.top + CBall::kRadius : f.left + CBall::kRadius;
}

int Depth(const Flight& f, Side side, const Rect& field)
{
    switch (side) {
    case SideLeft: return f.left + CBall::kRadius - field.left;
    case SideTop: return f.top + CBall::kRadius - field.top;
    case SideBottom: return field.bottom - f.top - CBall::kRadius;
    case SideRight: return field.right - f.left - CBall::kRadius;
    default: return 512;  // no side: never reached
    }
}

bool Towards(const Flight& f, Side side)
{
    switch (side) {
    case SideLeft: return f.vx < 0;
    case SideTop: return f.vy < 0;
    case SideBottom: return f.vy > 0;
    case SideRight: return f.vx > 0;
    default: return false;
    }
}

}  // namespace

// What a player at one paddle sees of the match.
struct SComputerSight {
    Side side = SideNone;
    Rect field;
    Flight ball{};
    bool ballHeld = false;
    bool heldByMe = false;
    unsigned int meter = 0;
    bool guarded[5] = {};
    int paddleAt[5] = {};
    // A rounded paddle's ellipse: its centre's coordinate across the side, and its
    // half-axes along x and y.
    bool rounded = false;
    int ellipseAcross = 0;
    double halfX = 0, halfY = 0;
    // Where the player's own paddle lies across its side.
    int acrossLow = 0, acrossHigh = 0;
};

namespace {

bool Across(Side side) { return side == SideLeft || side == SideRight; }

// Where a flight first reaches a guarded side (or the player's own), bouncing off the
// edges of the empty ones as the ball does. Bricks are not foreseen.
struct Arrival {
    Side side = SideNone;
    int along = 0;
    int frames = 0;
    Flight at{};
};

Arrival Foresee(Flight f, const SComputerSight& s)
{
    if (static_cast<int>(f.vx) == 0 && static_cast<int>(f.vy) == 0) return {};
    for (int frame = 0; frame < kFlightLimit; ++frame) {
        for (unsigned int side = SideLeft; side <= SideRight; ++side) {
            const Side at = static_cast<Side>(side);
            if ((s.guarded[at] || at == s.side) && Towards(f, at) && Depth(f, at, s.field) < kReach)
                return {at, Along(f, at), frame, f};
        }
        if (f.left < s.field.left) f.vx = std::abs(f.vx);
        if (f.top < s.field.top) f.vy = std::abs(f.vy);
        if (f.left + kBallSize > s.field.right) f.vx = -std::abs(f.vx);
        if (f.top + kBallSize > s.field.bottom) f.vy = -std::abs(f.vy);
        f.left += static_cast<int>(f.vx);
        f.top += static_cast<int>(f.vy);
    }
    return {};
}

// How good a shot is that arrives there: far from the paddle of the side it reaches, in
// little time; worse if it reaches nobody, worst if it comes back.
int ShotScore(const Arrival& arrival, const SComputerSight& s)
{
    if (arrival.side == SideNone) return -5000;
    if (arrival.side == s.side) return -10000;
    return std::abs(arrival.along - s.paddleAt[arrival.side]) - 20 * arrival.frames;
}

unsigned int Clamped(int centre)
{
    const int highest = 512 - kLowestCentre;
    return static_cast<unsigned int>(centre < kLowestCentre ? kLowestCentre : centre > highest ? highest : centre);
}

// Where a rounded paddle centred at `centre` first touches a ball that arrives as
// `arrival` says, followed frame by frame as the paddle tests it: the ball's centre as
// seen from the ellipse's centre. False when the ball passes it by.
bool Contact(const Arrival& arrival, const SComputerSight& s, int centre, double& dx, double& dy)
{
    const bool across = Across(s.side);
    const double ex = across ? s.ellipseAcross : centre, ey = across ? centre : s.ellipseAcross;
    Flight f = arrival.at;
    for (int frame = 0; frame < kContactFrames; ++frame) {
        const int along = Along(f, s.side), low = across ? f.left : f.top;
        const bool overlaps = std::abs(along - centre) < CPaddle::kLength / 2 + CBall::kRadius &&
                              low < s.acrossHigh && low + kBallSize > s.acrossLow;
        dx = f.left + CBall::kRadius - ex;
        dy = f.top + CBall::kRadius - ey;
        if (overlaps && CRoundPaddle::Reaches(dx, dy, s.halfX, s.halfY)) return true;
        f.left += static_cast<int>(f.vx);
        f.top += static_cast<int>(f.vy);
    }
    return false;
}

// Where along the side to meet a ball that arrives as `arrival` says, at most `range`
// from where the player believes it comes (`error` off the truth): a rounded paddle
// sends the ball off at an angle that depends on the place it is hit. Places that miss
// the ball come last, then shots that would run almost along a side for ever; of the
// others the best shot wins.
int MeetingPoint(const Arrival& arrival, const SComputerSight& s, int error, int range)
{
    const int ballAlong = arrival.along + error;
    if (!s.rounded) return ballAlong;
    const bool across = Across(s.side);
    const double speed = std::hypot(arrival.at.vx, arrival.at.vy);
    const double theta = std::atan2(arrival.at.vy, arrival.at.vx);
    int best = ballAlong, bestScore = 0;
    bool found = false;
    // From the middle outwards: of equal shots the one nearest the middle, the safest.
    for (int step = 0; step <= 2 * (range / kSteerStep); ++step) {
        const int offset = (step % 2 ? -1 : 1) * ((step + 1) / 2) * kSteerStep;
        const int centre = static_cast<int>(Clamped(ballAlong - offset));
        double dx = 0, dy = 0;
        int score = -30000;
        if (Contact(arrival, s, centre, dx, dy)) {
            const double out = CRoundPaddle::Reflected(theta, dx, dy, s.halfX, s.halfY, s.side);
            Flight shot = arrival.at;
            shot.vx = speed * std::cos(out);
            shot.vy = speed * std::sin(out);
            score = std::abs(across ? shot.vx : shot.vy) < kSteepest * speed ? -20000 : ShotScore(Foresee(shot, s), s);
        }
        if (!found || score > bestScore) {
            found = true;
            bestScore = score;
            best = centre;
        }
    }
    return best;
}

// The nearest place to `centre` that a paddle holding the ball at `from` can carry it to.
unsigned int Carriable(int centre, unsigned int from)
{
    const int at = static_cast<int>(from);
    const int low = std::min(CPaddle::kHeldFromEnd, at), high = std::max(512 - CPaddle::kHeldFromEnd, at);
    return Clamped(std::clamp(centre, low, high));
}

// A ball is caught only with the paddle standing where it meant to meet it, well inside
// its side: a ball caught on the move or in a corner may meet the paddle's shoulder and
// be held with a direction along the side, from which it would never come back.
bool Settled(unsigned int position, unsigned int target, const Arrival& arrival)
{
    const int reachable = 512 - kLowestCentre;
    return std::abs(static_cast<int>(position) - static_cast<int>(target)) <= kSettled &&
           arrival.along > kLowestCentre + kSettled && arrival.along < reachable - kSettled;
}

// A ball that runs along this side, too flat ever to leave it, within the paddle's
// reach: only a rounded paddle's shoulder can send it back into the field.
bool Rolling(const SComputerSight& s)
{
    if (!s.rounded || s.side == SideNone) return false;
    const double acrossSpeed = Across(s.side) ? s.ball.vx : s.ball.vy;
    const double alongSpeed = Across(s.side) ? s.ball.vy : s.ball.vx;
    return static_cast<int>(acrossSpeed) == 0 && static_cast<int>(alongSpeed) != 0 &&
           Depth(s.ball, s.side, s.field) < kReach + CBall::kRadius;
}

// The rolling ball as if it arrived a little ahead of where it is now.
Arrival RollingInto(const SComputerSight& s)
{
    const double alongSpeed = Across(s.side) ? s.ball.vy : s.ball.vx;
    return {s.side, Along(s.ball, s.side) + (alongSpeed > 0 ? kUnstickLead : -kUnstickLead), 0, s.ball};
}

// Of the points along its side that a held ball can be carried to, the one from which
// it flies off best.
unsigned int ReleasePoint(const SComputerSight& s)
{
    const int kLowestCarried = std::max(kLowestCentre, CPaddle::kHeldFromEnd);
    const int ballAlong = Along(s.ball, s.side);
    unsigned int best = Clamped(ballAlong);
    int bestScore = 0;
    bool found = false;
    for (int k = 0; k < kReleaseCandidates; ++k) {
        const int centre = kLowestCarried + k * (512 - 2 * kLowestCarried) / (kReleaseCandidates - 1);
        Flight from = s.ball;
        (Across(s.side) ? from.top : from.left) += centre - ballAlong;
        const int score = ShotScore(Foresee(from, s), s);
        if (!found || score > bestScore) {
            found = true;
            bestScore = score;
            best = static_cast<unsigned int>(centre);
        }
    }
    return best;
}

}  // namespace

CComputerInput::CComputerInput(unsigned int l, const LList<CObject>& parents) : CInput(parents), level(ValidLevel(l))
{
    type.Load(kType);
    for (int& seen : memory) seen = kNotComing;
}

bool CComputerInput::HasType(const str& t) const { return t == kType || CInput::HasType(t); }

void CComputerInput::Seed(unsigned int seed)
{
    ownNumbers = true;
    numbers = CMatchRandom(seed);
}

// A chance to take: from the match's numbers, or from the player's own (also outside a
// match).
int CComputerInput::Draw()
{
    auto* paddle = ownNumbers ? nullptr : GetParent<CPaddle>();
    auto* match = paddle ? paddle->GetParent<CMainGame>() : nullptr;
    return match ? match->random.Draw() : numbers.Draw();
}

int CComputerInput::RandomIn(int low, int high) { return low + Draw() % (high - low + 1); }

// The paddle animates once a frame and then hears from its input several times: the
// first call of a frame decides, every call moves one keyboard step.
void CComputerInput::UpdateInput()
{
    CInput::UpdateInput();
    auto* paddle = GetParent<CPaddle>();
    if (paddle && paddle->frames != lastFrame) {
        lastFrame = paddle->frames;
        Decide(*paddle);
    }
    Step();
}

unsigned int CComputerInput::GetPos() { return position; }

bool CComputerInput::GetButton(unsigned int i) { return i < 3 && buttons[i]; }

void CComputerInput::SetButton(unsigned int i, bool v)
{
    if (i < 3) buttons[i] = v;
}

// Towards the target like a player on the keys: Speed while far off, no key once within
// half a step.
void CComputerInput::Step()
{
    const SLevel& how = kLevels[level];
    const int distance = static_cast<int>(target) - static_cast<int>(position);
    buttons[2] = how.speedBeyond > 0 && std::abs(distance) > how.speedBeyond;
    const int half = static_cast<int>(CKeyboardInput::StepSize(buttons[2])) / 2;
    position = CKeyboardInput::Stepped(position, distance < -half, distance > half, buttons[2]);
}

namespace {

// What a player at this paddle sees. The input is asked while its screen walks its
// children, so the other paddles are found by following the screen's list node by node:
// a lookup there would move the walk's cursor.
SComputerSight Look(CPaddle& paddle)
{
    SComputerSight s;
    s.side = ValidSide(paddle.side);
    if (CData* data = FindData(&paddle)) s.field = data->client;
    const CBall& ball = *paddle.ball;
    s.ball = {ball.rect.left, ball.rect.top, ball.velocity.dVx(), ball.velocity.dVy()};
    s.ballHeld = ball.holder != nullptr;
    s.heldByMe = ball.holder == &paddle;
    if (auto* player = paddle.GetParent<CPlayer>()) s.meter = player->meter;
    s.acrossLow = Across(s.side) ? paddle.rect.left : paddle.rect.top;
    s.acrossHigh = Across(s.side) ? paddle.rect.right : paddle.rect.bottom;
    if (const auto* round = dynamic_cast<const CRoundPaddle*>(&paddle)) {
        const Rect& e = round->ellipse;
        s.rounded = true;
        s.ellipseAcross = Across(s.side) ? (e.left + e.right) / 2 : (e.top + e.bottom) / 2;
        s.halfX = e.width / 2;
        s.halfY = e.height / 2;
    }
    CObject* screen = paddle.GetParent();
    for (LNode<CObject>* node = screen ? screen->children.head : nullptr; node; node = node->next) {
        const auto* other = dynamic_cast<const CPaddle*>(node->item);
        if (!other || ValidSide(other->side) == SideNone) continue;
        const Rect& r = other->rect;
        s.guarded[other->side] = true;
        s.paddleAt[other->side] = Across(other->side) ? (r.top + r.bottom) / 2 : (r.left + r.right) / 2;
    }
    return s;
}

}  // namespace

void CComputerInput::Decide(CPaddle& paddle)
{
    const SComputerSight sight = Look(paddle);
    ++looks;
    if (sight.heldByMe)
        Hold(sight);
    else
        Chase(sight);
    // The grab drains the meter every frame it is down; an empty meter lets go.
    buttons[0] = buttons[0] && sight.meter > 0;
}

// A ball that turns is a new path: the aim is off by a new amount, and whether to grab
// it is decided anew.
void CComputerInput::NoticeNewPath(const SComputerSight& s)
{
    const int sx = Sign(s.ball.vx), sy = Sign(s.ball.vy);
    if (sx == signX && sy == signY) return;
    signX = sx;
    signY = sy;
    const SLevel& how = kLevels[level];
    const int error = Draw() % 100 < how.lapsePercent ? kLapse : how.aimError;
    aimError = RandomIn(-error, error);
    wantsGrab = Draw() % 100 < how.grabPercent;
}

// What the player saw `delay` frames ago, now that it reacts to it.
int CComputerInput::Remembered(int seen)
{
    memory[looks % kMemory] = seen;
    const unsigned int delay = kLevels[level].delay;
    return looks > delay ? memory[(looks - delay) % kMemory] : seen;
}

// Goes where the ball will come, or waits for it; grabs a ball that arrives when it
// wants to and the meter has enough in reserve.
void CComputerInput::Chase(const SComputerSight& s)
{
    holding = false;
    const SLevel& how = kLevels[level];
    NoticeNewPath(s);
    const Arrival arrival = s.ballHeld ? Arrival{} : Foresee(s.ball, s);
    const bool mine = arrival.side == s.side && s.side != SideNone;
    const int steer = arrival.frames <= kSteerFrom ? how.steer : 0;
    int seen = kNotComing;
    if (mine)
        seen = MeetingPoint(arrival, s, aimError, steer);
    else if (!s.ballHeld && Rolling(s))
        seen = MeetingPoint(RollingInto(s), s, 0, kUnstickRange);
    seen = Remembered(seen);
    if (seen != kNotComing)
        target = Clamped(seen);
    else if (level == ComputerHard)
        target = Clamped((Along(s.ball, s.side) + kMiddle) / 2);
    else if (level == ComputerFair)
        target = Clamped(Along(s.ball, s.side));
    buttons[0] = mine && wantsGrab && arrival.frames <= kGrabLead && s.meter >= how.grabMeter &&
                 Settled(position, target, arrival);
}

// Carries a caught ball to a point from which it flies off towards another player's side
// away from that player's paddle, and lets go there.
void CComputerInput::Hold(const SComputerSight& s)
{
    const SLevel& how = kLevels[level];
    if (!holding) {
        holding = true;
        heldFrames = 0;
        releaseAt = Carriable(how.releaseError < 0 ? RandomIn(kLowestCentre, 512 - kLowestCentre)
                                                   : static_cast<int>(ReleasePoint(s)) +
                                                         RandomIn(-how.releaseError, how.releaseError),
                              position);
    }
    ++heldFrames;
    target = releaseAt;
    const bool there = std::abs(static_cast<int>(position) - static_cast<int>(releaseAt)) <=
                       static_cast<int>(CKeyboardInput::StepSize(false));
    buttons[0] = !there && heldFrames < how.longestHold;
}
