#include "input/computer_input.h"

#include "input/keyboard_input.h"
#include "play/ball.h"
#include "play/paddle.h"
#include "play/player.h"
#include "screens/data.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kMiddle = 256;
constexpr int kBallSize = 2 * CBall::kRadius;
// The ball's centre is this far from a side's edge when it reaches the paddle there.
constexpr int kReach = 2 * CPaddle::kThickness + CBall::kRadius;
// A paddle's centre stays this far from the ends of its side.
constexpr int kLowestCentre = CPaddle::kLength / 2;
constexpr int kFlightLimit = 400;
constexpr int kNotComing = -1;
// The grab goes down this many frames before the ball arrives.
constexpr int kGrabLead = 3;
constexpr int kReleaseCandidates = 33;

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
};

constexpr SLevel kLevels[ComputerLevels] = {
    {14, 90, 20, 0, 15, 60, -1, 40},
    {6, 40, 6, 120, 40, 40, 60, 60},
    {2, 12, 2, 40, 70, 25, 12, 80},
};

// How far off an inattentive player goes: half the time far enough to miss.
constexpr int kLapse = 2 * (CPaddle::kLength / 2 + CBall::kRadius);

int Sign(double v) { return (v > 0) - (v < 0); }

int RandomIn(int low, int high) { return low + std::rand() % (high - low + 1); }

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
    default: return kFlightLimit;
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

struct CComputerInput::Sight {
    Side side = SideNone;
    Rect field;
    Flight ball{};
    bool ballHeld = false;
    bool heldByMe = false;
    unsigned int meter = 0;
    bool guarded[5] = {};
    int paddleAt[5] = {};
};

namespace {

// Where a flight first reaches a guarded side (or the player's own), bouncing off the
// edges of the empty ones as the ball does. Bricks are not foreseen.
struct Arrival {
    Side side = SideNone;
    int along = 0;
    int frames = 0;
};

template <class Sight>
Arrival Foresee(Flight f, const Sight& s)
{
    Arrival arrival;
    if (static_cast<int>(f.vx) == 0 && static_cast<int>(f.vy) == 0) return arrival;
    for (int frame = 0; frame < kFlightLimit; ++frame) {
        for (unsigned int side = SideLeft; side <= SideRight; ++side) {
            const Side at = static_cast<Side>(side);
            if ((s.guarded[at] || at == s.side) && Towards(f, at) && Depth(f, at, s.field) < kReach)
                return {at, Along(f, at), frame};
        }
        if (f.left < s.field.left) f.vx = std::abs(f.vx);
        if (f.top < s.field.top) f.vy = std::abs(f.vy);
        if (f.left + kBallSize > s.field.right) f.vx = -std::abs(f.vx);
        if (f.top + kBallSize > s.field.bottom) f.vy = -std::abs(f.vy);
        f.left += static_cast<int>(f.vx);
        f.top += static_cast<int>(f.vy);
    }
    return arrival;
}

unsigned int Clamped(int centre)
{
    const int highest = 512 - kLowestCentre;
    return static_cast<unsigned int>(centre < kLowestCentre ? kLowestCentre : centre > highest ? highest : centre);
}

}  // namespace

const char* ComputerLevelName(unsigned int level)
{
    static const char* const names[ComputerLevels] = {"Easy", "Fair", "Hard"};
    return names[ValidLevel(level)];
}

EComputerLevel ValidLevel(unsigned int level)
{
    return level < ComputerLevels ? static_cast<EComputerLevel>(level) : ComputerHard;
}

CComputerInput::CComputerInput(unsigned int l, const LList<CObject>& parents) : CInput(parents), level(ValidLevel(l))
{
    type.Load("CComputerInput");
    for (int& seen : memory) seen = kNotComing;
}

bool CComputerInput::HasType(str t) const { return t == "CComputerInput" || CInput::HasType(t); }

// The paddle animates once a frame and then hears from its input several times: the
// first call of a frame decides, every call moves one keyboard step.
void CComputerInput::UpdateInput()
{
    CInput::UpdateInput();
    auto* paddle = dynamic_cast<CPaddle*>(GetParent(str("CPaddle"), false, 1));
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

void CComputerInput::Decide(CPaddle& paddle)
{
    Sight sight;
    Look(paddle, sight);
    ++looks;
    if (sight.heldByMe)
        Hold(sight);
    else
        Chase(sight);
    // The grab drains the meter every frame it is down; an empty meter lets go.
    buttons[0] = buttons[0] && sight.meter > 0;
}

// What a player at this paddle sees. The input is asked while its screen walks its
// children, so the other paddles are found by following the screen's list node by node:
// a lookup there would move the walk's cursor.
void CComputerInput::Look(CPaddle& paddle, Sight& s) const
{
    s.side = paddle.side;
    if (CData* data = FindData(&paddle)) s.field = data->client;
    const CBall& ball = *paddle.ball;
    s.ball = {ball.rect.left, ball.rect.top, ball.velocity.dVx(), ball.velocity.dVy()};
    s.ballHeld = ball.holder != nullptr;
    s.heldByMe = ball.holder == &paddle;
    if (auto* player = dynamic_cast<CPlayer*>(paddle.GetParent(str("CPlayer"), true, 1))) s.meter = player->meter;
    CObject* screen = paddle.GetParent();
    for (LNode<CObject>* node = screen ? screen->children.head : nullptr; node; node = node->next) {
        const auto* other = dynamic_cast<const CPaddle*>(node->item);
        if (!other || ValidSide(other->side) == SideNone) continue;
        const bool across = other->side == SideLeft || other->side == SideRight;
        s.guarded[other->side] = true;
        s.paddleAt[other->side] =
            across ? (other->rect.top + other->rect.bottom) / 2 : (other->rect.left + other->rect.right) / 2;
    }
}

// A ball that turns is a new path: the aim is off by a new amount, and whether to grab
// it is decided anew.
void CComputerInput::NoticeNewPath(const Sight& s)
{
    const int sx = Sign(s.ball.vx), sy = Sign(s.ball.vy);
    if (sx == signX && sy == signY) return;
    signX = sx;
    signY = sy;
    const SLevel& how = kLevels[level];
    const int error = std::rand() % 100 < how.lapsePercent ? kLapse : how.aimError;
    aimError = RandomIn(-error, error);
    wantsGrab = std::rand() % 100 < how.grabPercent;
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
void CComputerInput::Chase(const Sight& s)
{
    holding = false;
    const SLevel& how = kLevels[level];
    NoticeNewPath(s);
    const Arrival arrival = s.ballHeld ? Arrival{} : Foresee(s.ball, s);
    const bool mine = arrival.side == s.side && s.side != SideNone;
    const int seen = Remembered(mine ? arrival.along : kNotComing);
    if (seen != kNotComing)
        target = Clamped(seen + aimError);
    else if (level == ComputerHard)
        target = Clamped((Along(s.ball, s.side) + kMiddle) / 2);
    else if (level == ComputerFair)
        target = kMiddle;
    buttons[0] = mine && wantsGrab && arrival.frames <= kGrabLead && s.meter >= how.grabMeter;
}

// Carries a caught ball to a point from which it flies off towards another player's side
// away from that player's paddle, and lets go there.
void CComputerInput::Hold(const Sight& s)
{
    const SLevel& how = kLevels[level];
    if (!holding) {
        holding = true;
        heldFrames = 0;
        releaseAt = how.releaseError < 0 ? Clamped(RandomIn(kLowestCentre, 512 - kLowestCentre))
                                         : Clamped(static_cast<int>(ReleasePoint(s)) +
                                                   RandomIn(-how.releaseError, how.releaseError));
    }
    ++heldFrames;
    target = releaseAt;
    const bool there = std::abs(static_cast<int>(position) - static_cast<int>(releaseAt)) <=
                       static_cast<int>(CKeyboardInput::StepSize(false));
    buttons[0] = !there && heldFrames < how.longestHold;
}

// Of the points along its side, the one from which the held ball reaches another
// player's side farthest from that player's paddle for the time it takes; points that
// send the ball back to this side come last.
unsigned int CComputerInput::ReleasePoint(const Sight& s) const
{
    const int ballAlong = Along(s.ball, s.side);
    const bool across = s.side == SideLeft || s.side == SideRight;
    unsigned int best = Clamped(ballAlong);
    int bestScore = 0;
    bool found = false;
    for (int k = 0; k < kReleaseCandidates; ++k) {
        const int centre = kLowestCentre + k * (512 - 2 * kLowestCentre) / (kReleaseCandidates - 1);
        Flight from = s.ball;
        (across ? from.top : from.left) += centre - ballAlong;
        const Arrival arrival = Foresee(from, s);
        int score;
        if (arrival.side == SideNone)
            score = -5000;
        else if (arrival.side == s.side)
            score = -10000 + arrival.frames;
        else
            score = std::abs(arrival.along - s.paddleAt[arrival.side]) - 20 * arrival.frames;
        if (!found || score > bestScore) {
            found = true;
            bestScore = score;
            best = static_cast<unsigned int>(centre);
        }
    }
    return best;
}
