#include "play/brick.h"

#include "play/ball.h"
#include "play/main_game.h"
#include "play/player.h"
#include "play/sudden_death.h"
#include "model/sounds.h"

// ---- CBrick ------------------------------------------------------------------------

CBrick::CBrick(CBall* b, unsigned int x, unsigned int y, const LList<CObject>& parents, unsigned long c)
    : CGraphic(parents, Rect()), ball(b), color(static_cast<COLORREF>(c))
{
    type.Load(kType);
    const int left = static_cast<int>(x), top = static_cast<int>(y);
    SetRect(&rect, left, top, left + kSize, top + kSize);
    rect.Recalc();
}

// A brick broken in the middle of its paint cycle gives its pen and brush back.
CBrick::~CBrick()
{
    if (prepared) ReleaseTools(BackBuffer());
}

bool CBrick::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

// A dying brick no longer touches the ball. A neutral ball bounces off without breaking
// anything, unless it is stuck (in a hole of the wall, it could never leave it).
void CBrick::Animate()
{
    CGraphic::Animate();
    if (animator) {
        animator(nullptr, this);  // may remove this brick
        return;
    }
    if (!ball->Touches(rect)) return;
    ball->Mirror(rect);
    if (ball->owner)
        Reward(*ball->owner);
    else if (ball->Stuck())
        Break();
}

void CBrick::Reward(CPlayer& owner)
{
    owner.AddScore(kPoints);
    owner.meter = owner.meter + kMeterGain <= kMeterCap ? owner.meter + kMeterGain : kMeterCap;
    Break();
}

void CBrick::Break()
{
    PlayEffect(this, SoundBrick);
    animator = AniDie;
}

bool CBrick::AniDie(void*, CObject* object)
{
    if (!object) throw XDomainError(str("CBrick::AniDie"));
    if (!dynamic_cast<CBrick*>(object)) throw XChildError(object->type + str("::AniDie(Brick)"));
    auto* brick = static_cast<CBrick*>(object);
    Rect& r = brick->rect;
    if (r.width > 2 || r.height > 2) {
        InflateRect(&r, -1, -1);
        r.Recalc();
        return true;
    }
    if (auto* wall = brick->GetParent<CBricks>())
        wall->Remove(brick);
    else
        delete brick;
    return true;
}

bool CBrick::InitPaint(HDC dc)
{
    if (!CGraphic::InitPaint(dc)) return false;
    return MakeSolidTools(color);
}

bool CBrick::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    PaintRectWithTools(dc);
    return true;
}

bool CBrick::EndPaint(HDC dc)
{
    if (!CGraphic::EndPaint(dc)) return false;
    ReleaseTools(dc);
    return true;
}

// ---- CBricks -----------------------------------------------------------------------

CBricks::CBricks(CBall* b, const LList<CObject>& parents, const Rect& r, unsigned int rows, unsigned int columns)
    : CGraphicHolder(parents, r), ball(b), rows(rows), columns(columns)
{
    type.Load(kType);
    Matrix(rows, columns);
}

void CBricks::Relay()
{
    while (!children.Empty()) delete children.head->item;
    count = laid = 0;
    Matrix(rows, columns);
}

bool CBricks::HasType(const str& t) const { return t == kType || CGraphicHolder::HasType(t); }

void CBricks::Add(unsigned int x, unsigned int y)
{
    auto* brick = new CBrick(ball, x, y, LList<CObject>(false, 1, this), color);
    brick->slot = laid++;
    ++count;
}

// Rows of bricks spread evenly over the wall's rectangle, outer bricks on its edges; the
// gaps need at least two bricks each way, and room between them.
bool CBricks::Matrix(unsigned int rows, unsigned int columns)
{
    if (rows < 2 || columns < 2) return false;
    rect.Recalc();
    const int r = static_cast<int>(rows), c = static_cast<int>(columns);
    const int gapX = (rect.width - CBrick::kSize * c) / (c - 1);
    const int gapY = (rect.height - CBrick::kSize * r) / (r - 1);
    if (gapX <= 0 || gapY <= 0) return false;
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            Add(static_cast<unsigned int>(rect.left + j * (gapX + CBrick::kSize)),
                static_cast<unsigned int>(rect.top + i * (gapY + CBrick::kSize)));
    return true;
}

void CBricks::Remove(CBrick* brick)
{
    delete brick;
    if (count > 0) --count;
    if (count == 0) DecideMatch();
}

// The last brick is gone: the leader wins, or a shared top score goes to sudden death.
void CBricks::DecideMatch()
{
    auto* game = GetParent<CMainGame>();
    if (!game) throw XChildError(type + str("::Remove(Game)"));
    CObject* players = game->GetChild<CPlayers>();
    if (!players) throw XChildError(type + str("::Remove(Players)"));
    auto* matchBall = game->GetChild<CBall>();
    if (!matchBall) throw XChildError(type + str("::Remove(Ball)"));

    bool tie = false;
    CPlayer* leader = Leader(*players, tie);
    game->winner = leader ? leader->options.number : 0;
    game->decision = tie ? SuddenDeathDecided : MostPoints;
    if (tie)
        new CSuddenDeath(matchBall, LList<CObject>(false, 1, this));
    else
        game->gameOver = true;
}

CPlayer* CBricks::Leader(CObject& players, bool& tie)
{
    CPlayer* leader = nullptr;
    tie = false;
    for (unsigned int n = 1;; ++n) {
        auto* player = players.GetChild<CPlayer>(n);
        if (!player) return leader;
        if (!leader || player->score > leader->score) {
            leader = player;
            tie = false;
        } else if (player->score == leader->score) {
            tie = true;
        }
    }
}
