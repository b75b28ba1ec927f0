#pragma once
// The tie-breaker after the last brick: "Sudden Death" in large letters over the wall,
// and every frame a faster ball whose speed and direction are shaken at random, until
// fewer than two players are left.

#include "gfx/graphic.h"

class CBall;

class CSuddenDeath : public CGraphic {
public:
    static constexpr const char* kType = "CSuddenDeath";
    CSuddenDeath(CBall* ball, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void Animate() override;

    static constexpr double kStep = 0.1;

    // The sizes of a random turn (radians) and of a random change of speed (pixels per
    // frame), each sudden death's own.
    double dAngleSpeed = kStep;
    double dAccell = kStep;
    unsigned int lastEffectSound = 0;

    CBall* ball;

private:
    static constexpr unsigned int kEffectSoundGap = 25;
    void SoundEffectOnce(int choice);
    int Draw();
};
