#pragma once
// What the match says over the field while it is not running: "3", "2", "1" before it
// starts and whenever it goes on again, and "Paused" while the player has paused it.
// While the numbers count down the ball waits (held or still) and only the paddles move.

#include "gfx/graphic.h"

class CBall;
class CLRText;

class CCountdown : public CGraphic {
public:
    static constexpr const char* kType = "CCountdown";
    // Frames each number shows: three of them make about two seconds at 50 frames a second.
    static constexpr unsigned int kStepFrames = 34;
    static constexpr unsigned int kNumbers = 3;
    static constexpr unsigned int kFrames = kStepFrames * kNumbers;

    // `parents`: the match screen, over whose whole field the texts stand.
    CCountdown(CBall* ball, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    // Counts from "3" again; the ball waits until the end.
    void Restart();
    // Shows "Paused" (or takes it away again) at once, without a frame.
    void ShowPaused(bool paused);
    bool Running() const { return framesLeft > 0; }
    // Says `words` for about a second, where the match cannot do what was asked.
    void Notice(const str& words);

    void Animate() override;

    CBall* ball;
    unsigned int framesLeft = 0;
    bool paused = false;
    unsigned int noticeFrames = 0;

private:
    void Show();

    CLRText* text;
    str notice;
};
