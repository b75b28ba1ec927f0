#include "play/player.h"

#include "play/input_maker.h"
#include "play/ball.h"
#include "play/main_game.h"
#include "play/paddle.h"
#include "ui/text.h"

namespace {

constexpr int kMiddle = 256;
constexpr int kField = 512;

// Players still being built do not end the match when one of them turns out to play
// in no pad slot.
constexpr unsigned int kBuildingOffset = 10;

}  // namespace

// ---- CPlayers ----------------------------------------------------------------------

CPlayers::CPlayers(CBall* b, const LList<CObject>& parents) : CObject(parents), ball(b)
{
    type.Load(kType);
    const SLineup lineup = MatchLineup(this, "::CPlayers");
    count = kBuildingOffset;
    for (unsigned int i = 0; i < kPlayers; ++i) AddPlayer(i, lineup.players[i]);
    count -= kBuildingOffset;
}

bool CPlayers::HasType(const str& t) const { return t == kType || CObject::HasType(t); }

// A player who plays in no pad slot leaves again at once.
void CPlayers::AddPlayer(unsigned int, const SPlayerOptions& record)
{
    ++count;
    auto* player = new CPlayer(record, LList<CObject>(false, 3, this, ball, GetParent()));
    if (!player->InMatch()) delete player;
}

// Below two players the match is over: the one left wins, or nobody.
void CPlayers::RemovePlayer(CPlayer* leaving)
{
    // A screen that is being torn down is no CMainGame any more and is left alone.
    auto* game = GetParent<CMainGame>();
    if (game && leaving && leaving->InMatch()) game->RecordOut(*leaving);
    if (count > 0) --count;
    if (count >= 2) return;
    auto* winner = GetChild<CPlayer>();
    if (winner == leaving) winner = GetChild<CPlayer>(2);
    if (!game) return;
    game->winner = winner ? winner->options.number : 0;
    if (game->decision != SuddenDeathDecided) game->decision = LastStanding;
    game->gameOver = true;
}

// ---- CPlayer -----------------------------------------------------------------------

CPlayer::CPlayer(const SPlayerOptions& record, const LList<CObject>& parents) : CObject(parents), options(record)
{
    type.Load(kType);
    const SLineup lineup = MatchLineup(this, "::CPlayer(Data)");
    CObject* screen = GetParent<CGraphicHolder>();
    auto* ball = GetParent<CBall>();
    if (!ball) throw XChildError(type + str("::CPlayer(Ball)"));
    for (unsigned int slot = 0; slot < kPadSlots; ++slot)
        if (lineup.padPlayers[slot] == options.number) TakeSlot(slot, ball, screen);
}

// A paddle on the slot's side with the name on it, its input and the meter; the first
// paddle of the match starts holding the ball, its grab button held for the player if
// the player still has it down as the match begins.
void CPlayer::TakeSlot(unsigned int slot, CBall* ball, CObject* screen)
{
    const Side side = ePadSides[slot];
    CPaddle* paddle = MakePaddle(options.padType, ball, LList<CObject>(false, 2, screen, this), side);
    if (!paddle) return;
    MakeText(options.name, ePadTexts[slot], LList<CObject>(false, 3, paddle, this, screen));
    const LList<CObject> underPaddle(false, 1, paddle);
    CInput* input = options.input ? MakeInput(*options.input, SideToAxis[side], underPaddle) : nullptr;
    new CPaddleMeter(&options, side, LList<CObject>(false, 1, this));
    if (ball->holder) return;
    ball->holder = paddle;
    ball->holderSide = side;
    if (input) input->TakeOverButton(0);
}

// The leaving player's objects go with it. Its match list and the ball are told only
// while they are whole: when the screen is torn down the ball may already be dying.
CPlayer::~CPlayer()
{
    if (auto* players = GetParent<CPlayers>()) players->RemovePlayer(this);
    auto* ball = GetParent<CBall>();
    if (ball && ball->owner == this) ball->SetPlayer(nullptr);
}

bool CPlayer::HasType(const str& t) const { return t == kType || CObject::HasType(t); }

bool CPlayer::InMatch() { return GetChild<CPaddle>() != nullptr; }

// From the first points on, every name text of the player shows the score.
void CPlayer::AddScore(int amount)
{
    score += static_cast<unsigned int>(amount);
    ShowScore();
}

void CPlayer::ShowScore()
{
    scoreShown = true;
    Show(str(score));
}

void CPlayer::ShowName()
{
    scoreShown = false;
    Show(options.name);
}

void CPlayer::Show(const str& shown)
{
    for (unsigned int n = 1; auto* text = GetChild<CText>(n); ++n) text->text = shown;
}

// ---- CPaddleMeter ------------------------------------------------------------------

CPaddleMeter::CPaddleMeter(const SPlayerOptions* o, Side side, const LList<CObject>& parents)
    : CGraphic(parents, Rect()), options(o), orientation(SideToOrientation[ValidSide(side)])
{
    type.Load(kType);
    const int low = 214, high = 297;
    switch (ValidSide(side)) {
    case SideLeft: SetRect(&rect, 0, low, kThickness, high); break;
    case SideTop: SetRect(&rect, low, 0, high, kThickness); break;
    case SideBottom: SetRect(&rect, low, kField - kThickness, high, kField); break;
    case SideRight: SetRect(&rect, kField - kThickness, low, kField, high); break;
    default: SetRectEmpty(&rect); break;
    }
    rect.Recalc();
}

CPaddleMeter::~CPaddleMeter()
{
    if (prepared) ReleaseTools(BackBuffer());
}

bool CPaddleMeter::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

// The bar is centred on the middle of its side and twice the meter long.
void CPaddleMeter::Animate()
{
    CGraphic::Animate();
    auto* player = GetParent<CPlayer>();
    if (!player) throw XChildError(type + str("::Animate"));
    const int m = static_cast<int>(player->meter);
    if (orientation == Horizontal) {
        rect.left = kMiddle - m;
        rect.right = kMiddle + m;
    } else {
        rect.top = kMiddle - m;
        rect.bottom = kMiddle + m;
    }
    rect.Recalc();
}

bool CPaddleMeter::InitPaint(HDC dc)
{
    if (!CGraphic::InitPaint(dc)) return false;
    MakeSolidTools(options->color);
    return true;
}

bool CPaddleMeter::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    PaintRectWithTools(dc);
    return true;
}

bool CPaddleMeter::EndPaint(HDC dc)
{
    if (!CGraphic::EndPaint(dc)) return false;
    ReleaseTools(dc);
    return true;
}
