#pragma once
// A computer player's controls. Once a frame it looks at the match as a player sees it
// (the ball's place and velocity, its own paddle and side, its player's meter, which
// sides are guarded) and then works the keys a keyboard player has: towards where the
// ball will cross its side, at the keyboard's pace, with the grab button while the meter
// allows. It only reads the match; its paddle moves by its position and button 0 like
// any other.

#include "input/input.h"
#include "model/controls.h"
#include "play/match_random.h"

class CPaddle;
struct SComputerSight;

// Everything a computer player remembers from frame to frame: a value, saved and
// restored with the match it plays in.
struct SComputerMind {
    static constexpr unsigned int kMemory = 32;

    unsigned int position = 256;
    // Grab, Special and Speed, as a keyboard player's.
    bool buttons[3] = {false, false, false};
    // Where the paddle's centre is wanted along its side.
    unsigned int target = 256;

    unsigned long long lastFrame = ~0ull;
    unsigned int looks = 0;
    int memory[kMemory] = {};
    int aimError = 0;
    bool wantsGrab = false;
    bool holding = false;
    unsigned int heldFrames = 0;
    unsigned int releaseAt = 256;
    int signX = 0, signY = 0;
    bool ownNumbers = false;
    CMatchRandom numbers;

    bool operator==(const SComputerMind&) const = default;
};

class CComputerInput : public CInput, private SComputerMind {
public:
    static constexpr const char* kType = "CComputerInput";
    // Frames of what the player saw, kept for its reaction delay.
    using SComputerMind::kMemory;

    CComputerInput(unsigned int level, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void UpdateInput() override;
    unsigned int GetPos() override;
    bool GetButton(unsigned int i) override;
    void SetButton(unsigned int i, bool v) override;

    // One look at the match around `paddle` and what to do about it: where to go and
    // whether to hold the grab button.
    void Decide(CPaddle& paddle);
    // From now on the player's chances come from its own numbers, started from `seed`,
    // rather than the match's: in a match played with other machines, which run it only
    // where it plays, it must not draw the others' numbers.
    void Seed(unsigned int seed);

    const SComputerMind& Mind() const { return *this; }
    void SetMind(const SComputerMind& mind) { static_cast<SComputerMind&>(*this) = mind; }

    EComputerLevel level;
    using SComputerMind::buttons;
    using SComputerMind::position;
    using SComputerMind::target;

private:
    void Step();
    void NoticeNewPath(const SComputerSight& sight);
    int Remembered(int seen);
    void Chase(const SComputerSight& sight);
    void Hold(const SComputerSight& sight);
    int Draw();
    int RandomIn(int low, int high);

};
