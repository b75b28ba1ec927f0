#include "play/match_state.h"

#include "model/sounds.h"
#include "play/ball.h"
#include "play/brick.h"
#include "play/countdown.h"
#include "play/main_game.h"
#include "play/paddle.h"
#include "play/player.h"
#include "play/sudden_death.h"
#include "ui/text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

SMatchState::Box BoxOf(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void SetRect(Rect& r, const SMatchState::Box& box)
{
    ::SetRect(&r, static_cast<int>(box.left), static_cast<int>(box.top), static_cast<int>(box.right),
              static_cast<int>(box.bottom));
    r.Recalc();
}

// The children of `parent` of class T, in order, in one walk (GetChild<T>(n) walks from
// the first child for every n, which a wall of 64 bricks makes slow).
template <class T>
std::vector<T*> ChildrenOf(CObject& parent)
{
    std::vector<T*> found;
    for (LNode<CObject>* node = parent.children.head; node; node = node->next)
        if (auto* child = dynamic_cast<T*>(node->item)) found.push_back(child);
    return found;
}

// The objects of class T anywhere under `root`, in one walk.
template <class T>
void Collect(CObject& root, std::vector<T*>& found)
{
    for (LNode<CObject>* node = root.children.head; node; node = node->next) {
        if (auto* object = dynamic_cast<T*>(node->item)) found.push_back(object);
        Collect(*node->item, found);
    }
}

std::vector<CPaddle*> PaddlesOf(CMainGame& match)
{
    std::vector<CPaddle*> paddles;
    Collect(match, paddles);
    return paddles;
}

CPlayer* PlayerNumbered(CPlayers& players, unsigned int number)
{
    for (CPlayer* player : ChildrenOf<CPlayer>(players))
        if (player->options.number == number) return player;
    return nullptr;
}

CPaddle* PaddleAt(CMainGame& match, Side side)
{
    for (CPaddle* paddle : PaddlesOf(match))
        if (paddle->side == side) return paddle;
    return nullptr;
}

// The wall's bricks by their slots; null where a slot has none.
std::array<CBrick*, SMatchState::kBricks> BricksBySlot(CBricks& wall)
{
    std::array<CBrick*, SMatchState::kBricks> bricks{};
    for (CBrick* brick : ChildrenOf<CBrick>(wall))
        if (brick->slot < SMatchState::kBricks) bricks[brick->slot] = brick;
    return bricks;
}

CPlayers& PlayersOf(CMainGame& match)
{
    auto* players = match.GetChild<CPlayers>();
    if (!players) throw XChildError(match.type + str("::Players"));
    return *players;
}

CBricks& WallOf(CMainGame& match)
{
    auto* wall = match.GetChild<CBricks>();
    if (!wall) throw XChildError(match.type + str("::Bricks"));
    return *wall;
}

CBall& BallOf(CMainGame& match)
{
    auto* ball = match.GetChild<CBall>();
    if (!ball) throw XChildError(match.type + str("::Ball"));
    return *ball;
}

// ---- Saving ----------------------------------------------------------------------

void SaveBall(CBall& ball, SMatchState::Ball& saved)
{
    saved.rect = BoxOf(ball.rect);
    saved.velocity = ball.velocity;
    saved.owner = ball.owner ? ball.owner->options.number : 0;
    saved.holder = ball.holder ? ball.holder->side : SideNone;
    saved.holderSide = ball.holderSide;
    saved.waiting = ball.waiting;
    saved.frames = ball.frames;
    saved.untouched = ball.untouched;
}

void SavePaddle(CPaddle& paddle, SMatchState::Paddle& saved)
{
    saved.present = true;
    saved.rect = BoxOf(paddle.rect);
    saved.frames = paddle.frames;
    for (unsigned int n = 1; auto* mind = paddle.GetChild<CComputerInput>(n); ++n)
        if (saved.minds < SMatchState::kMinds) saved.mind[saved.minds++] = mind->Mind();
}

void SaveBricks(CBricks& wall, SMatchState& state)
{
    state.bricksLeft = wall.count;
    state.bricksLaid = wall.laid;
    for (CBrick* brick : ChildrenOf<CBrick>(wall)) {
        if (brick->slot >= SMatchState::kBricks) continue;
        SMatchState::BrickState& saved = state.bricks[brick->slot];
        saved.state = brick->animator ? SMatchState::Brick::Breaking : SMatchState::Brick::Whole;
        saved.rect = BoxOf(brick->rect);
        saved.frames = brick->frames;
    }
    if (auto* sudden = wall.GetChild<CSuddenDeath>())
        state.sudden = {true, sudden->dAngleSpeed, sudden->dAccell, sudden->lastEffectSound, sudden->frames};
}

// ---- Restoring -------------------------------------------------------------------

bool MissesPlayers(CMainGame& match, const SMatchState& state)
{
    CPlayers& players = PlayersOf(match);
    for (unsigned int i = 0; i < SMatchState::kPlayers; ++i)
        if (state.players[i].in && !PlayerNumbered(players, i + 1)) return true;
    return false;
}

void DropPlayersOut(CMainGame& match, const SMatchState& state)
{
    CPlayers& players = PlayersOf(match);
    for (unsigned int i = 0; i < SMatchState::kPlayers; ++i)
        if (CPlayer* player = PlayerNumbered(players, i + 1); player && !state.players[i].in) delete player;
}

bool MissesBricks(CBricks& wall, const SMatchState& state)
{
    if (wall.GetChild<CSuddenDeath>() && !state.sudden.on) return true;
    const auto bricks = BricksBySlot(wall);
    for (unsigned int slot = 0; slot < SMatchState::kBricks; ++slot)
        if (state.bricks[slot].state != SMatchState::Brick::Gone && !bricks[slot]) return true;
    return false;
}

// The wall as it stood: bricks back or gone, sudden death begun or not.
void RebuildBricks(CBricks& wall, CBall& ball, const SMatchState& state)
{
    if (MissesBricks(wall, state)) wall.Relay();
    const auto bricks = BricksBySlot(wall);
    for (unsigned int slot = 0; slot < SMatchState::kBricks; ++slot)
        if (bricks[slot] && state.bricks[slot].state == SMatchState::Brick::Gone) delete bricks[slot];
    if (state.sudden.on && !wall.GetChild<CSuddenDeath>()) new CSuddenDeath(&ball, LList<CObject>(false, 1, &wall));
}

void RestoreBricks(CBricks& wall, const SMatchState& state)
{
    for (CBrick* brick : ChildrenOf<CBrick>(wall)) {
        if (brick->slot >= SMatchState::kBricks) continue;
        const SMatchState::BrickState& saved = state.bricks[brick->slot];
        SetRect(brick->rect, saved.rect);
        brick->frames = saved.frames;
        brick->animator = saved.state == SMatchState::Brick::Breaking ? CBrick::AniDie : nullptr;
    }
    wall.count = state.bricksLeft;
    wall.laid = state.bricksLaid;
    if (auto* sudden = wall.GetChild<CSuddenDeath>()) {
        sudden->dAngleSpeed = state.sudden.angleSpeed;
        sudden->dAccell = state.sudden.accell;
        sudden->lastEffectSound = state.sudden.lastEffectSound;
        sudden->frames = state.sudden.frames;
    }
}

void RestorePaddle(CPaddle& paddle, const SMatchState::Paddle& saved)
{
    Rect r;
    SetRect(r, saved.rect);
    const bool across = paddle.orientation == Horizontal;
    paddle.SetPos(static_cast<unsigned int>(across ? (r.left + r.right) / 2 : (r.top + r.bottom) / 2));
    paddle.frames = saved.frames;
    for (unsigned int n = 1; auto* mind = paddle.GetChild<CComputerInput>(n); ++n) {
        // A stand-in that took over after the state was saved is not there yet.
        if (n > saved.minds) {
            delete mind;
            break;
        }
        mind->SetMind(saved.mind[n - 1]);
    }
}

// Graphics made anew (a match built again, a wall laid again, sudden death) are prepared
// before the state is applied: preparing runs a step of each.
void PrepareNew(CGraphicHolder& holder)
{
    for (CGraphic* graphic : ChildrenOf<CGraphic>(holder)) {
        if (auto* inner = dynamic_cast<CGraphicHolder*>(graphic))
            PrepareNew(*inner);
        else
            graphic->Prepare();
    }
}

void ApplyBall(CMainGame& match, CBall& ball, const SMatchState::Ball& saved)
{
    SetRect(ball.rect, saved.rect);
    ball.velocity = saved.velocity;
    ball.holder = PaddleAt(match, saved.holder);
    ball.holderSide = saved.holderSide;
    ball.waiting = saved.waiting;
    ball.frames = saved.frames;
    ball.untouched = saved.untouched;
}

// The owner decides the ball's colour; a new colour rebuilds its sprite, which takes one
// more step, so the ball's place is put back after it.
void RestoreBall(CMainGame& match, CBall& ball, const SMatchState::Ball& saved)
{
    ApplyBall(match, ball, saved);
    CPlayer* owner = saved.owner ? PlayerNumbered(PlayersOf(match), saved.owner) : nullptr;
    if (owner != ball.owner) ball.SetPlayer(owner);
    ApplyBall(match, ball, saved);
}

}  // namespace

SMatchState SaveMatch(CMainGame& match)
{
    SMatchState state;
    SaveBall(BallOf(match), state.ball);
    for (CPaddle* paddle : PaddlesOf(match))
        if (paddle->side < SMatchState::kSides) SavePaddle(*paddle, state.paddles[paddle->side]);
    CPlayers& players = PlayersOf(match);
    state.playersIn = players.count;
    for (CPlayer* player : ChildrenOf<CPlayer>(players)) {
        const unsigned int number = player->options.number;
        if (number >= 1 && number <= SMatchState::kPlayers)
            state.players[number - 1] = {true, player->score, player->meter, player->scoreShown};
    }
    SaveBricks(WallOf(match), state);
    state.countdown = match.countdown->framesLeft;
    state.countdownFrames = match.countdown->frames;
    state.winner = match.winner;
    state.gameOver = match.gameOver;
    state.decision = match.decision;
    std::copy(std::begin(match.played), std::end(match.played), state.played.begin());
    std::copy(std::begin(match.out), std::end(match.out), state.out.begin());
    std::copy(std::begin(match.finalScores), std::end(match.finalScores), state.finalScores.begin());
    state.random = match.random;
    state.frames = match.frames;
    state.record = match.Mark();
    return state;
}

void RestoreMatch(CMainGame& match, const SMatchState& state)
{
    CSoundMute quiet;
    if (MissesPlayers(match, state)) match.Reseat();
    DropPlayersOut(match, state);
    CBall& ball = BallOf(match);
    RebuildBricks(WallOf(match), ball, state);
    PrepareNew(match);
    RestoreBricks(WallOf(match), state);
    for (CPaddle* paddle : PaddlesOf(match))
        if (paddle->side < SMatchState::kSides) RestorePaddle(*paddle, state.paddles[paddle->side]);
    CPlayers& players = PlayersOf(match);
    for (CPlayer* player : ChildrenOf<CPlayer>(players)) {
        const SMatchState::Player& saved = state.players[player->options.number - 1];
        player->score = saved.score;
        player->meter = saved.meter;
        if (saved.scoreShown)
            player->ShowScore();
        else
            player->ShowName();
    }
    players.count = state.playersIn;
    RestoreBall(match, ball, state.ball);
    match.countdown->framesLeft = state.countdown;
    match.countdown->frames = state.countdownFrames;
    match.winner = state.winner;
    match.gameOver = state.gameOver;
    match.decision = state.decision;
    std::copy(state.played.begin(), state.played.end(), match.played);
    std::copy(state.out.begin(), state.out.end(), match.out);
    std::copy(state.finalScores.begin(), state.finalScores.end(), match.finalScores);
    match.random = state.random;
    match.frames = state.frames;
    match.Rewind(state.record);
}

namespace {

class Mixer {
public:
    void Add(std::uint64_t v)
    {
        for (int i = 0; i < 8; ++i) h = (h ^ (v >> (8 * i) & 0xff)) * 16777619u;
    }
    void Add(double d)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        Add(bits);
    }
    void Add(long v) { Add(static_cast<std::uint64_t>(v)); }
    void Add(const SMatchState::Box& b)
    {
        for (long v : {b.left, b.top, b.right, b.bottom}) Add(v);
    }
    std::uint32_t h = 2166136261u;
};

}  // namespace

void PrepareNewGraphics(CMainGame& match) { PrepareNew(match); }

std::uint32_t Checksum(const SMatchState& s)
{
    Mixer m;
    m.Add(s.ball.rect);
    m.Add(s.ball.velocity.dVx());
    m.Add(s.ball.velocity.dVy());
    for (std::uint64_t v : {std::uint64_t{s.ball.owner}, std::uint64_t{s.ball.holder}, std::uint64_t{s.ball.waiting},
                            std::uint64_t{s.ball.untouched}})
        m.Add(v);
    for (const SMatchState::Paddle& paddle : s.paddles) {
        m.Add(std::uint64_t{paddle.present});
        // Computer players' minds are left out: a machine's own computer players think
        // only there.
        m.Add(paddle.rect);
    }
    for (const SMatchState::Player& player : s.players)
        for (std::uint64_t v : {std::uint64_t{player.in}, std::uint64_t{player.score}, std::uint64_t{player.meter}})
            m.Add(v);
    for (const SMatchState::BrickState& brick : s.bricks) {
        m.Add(static_cast<std::uint64_t>(brick.state));
        m.Add(brick.rect);
    }
    m.Add(s.sudden.angleSpeed);
    m.Add(s.sudden.accell);
    for (std::uint64_t v : {std::uint64_t{s.bricksLeft}, std::uint64_t{s.sudden.on}, std::uint64_t{s.countdown},
                            std::uint64_t{s.winner}, std::uint64_t{s.gameOver}, std::uint64_t{s.decision},
                            std::uint64_t{s.random.state}})
        m.Add(v);
    return m.h;
}
