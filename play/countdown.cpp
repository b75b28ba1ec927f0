#include "play/countdown.h"

#include "play/ball.h"
#include "ui/text.h"

namespace {

constexpr unsigned int kTextHeight = 96;

}  // namespace

CCountdown::CCountdown(CBall* b, const LList<CObject>& parents) : CGraphic(parents, Rect()), ball(b)
{
    type.Load(kType);
    rect = dynamic_cast<CGraphic&>(*GetParent()).rect;
    text = new CLRText(str(""), LList<CObject>(false, 2, this, GetParent()), kTextHeight, str("Impact"), Rect());
    Restart();
}

bool CCountdown::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

void CCountdown::Restart()
{
    framesLeft = kFrames;
    ball->waiting = true;
    Show();
}

void CCountdown::ShowPaused(bool on)
{
    paused = on;
    Show();
    text->Animate();  // measured and placed now: no frame runs while paused
}

void CCountdown::Notice(const str& words)
{
    constexpr unsigned int kNoticeFrames = 50;
    notice = words;
    noticeFrames = kNoticeFrames;
    Show();
    text->Animate();
}

void CCountdown::Animate()
{
    CGraphic::Animate();
    if (framesLeft > 0 && --framesLeft == 0) ball->waiting = false;
    if (noticeFrames > 0) --noticeFrames;
    Show();
}

// "3" for the first third of the count, then "2", then "1".
void CCountdown::Show()
{
    if (paused)
        text->text = str("Paused");
    else if (noticeFrames > 0)
        text->text = notice;
    else if (framesLeft > 0)
        text->text = str((framesLeft + kStepFrames - 1) / kStepFrames);
    else
        text->text = str("");
}
