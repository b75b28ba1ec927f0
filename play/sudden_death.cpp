#include "play/sudden_death.h"

#include "play/ball.h"
#include "play/main_game.h"
#include "model/sounds.h"
#include "ui/text.h"

namespace {

constexpr double kStep = CSuddenDeath::kStep;
constexpr double kSpeedUp = 0.005;
constexpr unsigned int kBannerHeight = 62;

constexpr int kRandomRange = CMatchRandom::kRange;

}  // namespace

CSuddenDeath::CSuddenDeath(CBall* b, const LList<CObject>& parents) : CGraphic(parents, Rect()), ball(b)
{
    type.Load(kType);
    // Every sudden death starts with the same kicks, whatever an earlier one left.
    dAngleSpeed = dAccell = kStep;
    new CLRText(str("Sudden Death"), LList<CObject>(false, 1, GetParent()), kBannerHeight, str("Impact"), Rect());
    PlayEffect(this, SoundSuddenDeath);
}

bool CSuddenDeath::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

int CSuddenDeath::Draw()
{
    auto* match = ball->GetParent<CMainGame>();
    if (!match) throw XChildError(type + str("::Draw(Game)"));
    return match->Draw();
}

// One of seven things happens, each in a random direction s: a speed-and-turn kick, a
// turn, a change of the kick sizes, a reset of one of them, or nothing beyond the speed-up.
void CSuddenDeath::Animate()
{
    CGraphic::Animate();
    const double s = Draw() >= kRandomRange / 2 ? 1 : -1;
    const int choice = Draw() * 6 / (kRandomRange - 1);
    CVector& velocity = ball->velocity;
    velocity.aV(kSpeedUp);
    switch (choice) {
    case 0:
        velocity.aV(s * dAccell);
        velocity.aT(s * dAngleSpeed);
        break;
    case 1: velocity.aT(s * dAngleSpeed); break;
    case 2: dAngleSpeed += s * kStep; break;
    case 3: dAccell += s * kStep; break;
    case 4: dAngleSpeed = s * kStep; break;
    case 5: dAccell = s * kStep; break;
    default: break;
    }
    SoundEffectOnce(choice);
}

// Something strikes the ball nearly every frame; the sound of it comes at most every
// kEffectSoundGap frames, after the starting sound has had its time.
void CSuddenDeath::SoundEffectOnce(int choice)
{
    if (choice > 5 || frames < lastEffectSound + kEffectSoundGap) return;
    lastEffectSound = frames;
    PlayEffect(this, SoundEffect);
}
