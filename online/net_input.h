#pragma once
// A paddle's controls in a match played with other machines. Every machine's paddle
// moves by the input that the session has for the frame that runs (known, or predicted
// while it has not arrived). On the machine whose player it is, the player's own device
// (a sibling under the paddle, built just after it) is read once a frame and sent off,
// to count in the next frame everywhere; frames run again read no device.
// When the seat's machine has left, a computer player takes over, on every machine
// from the same frame.

#include "input/input.h"

class COnline;

class CNetInput : public CInput {
public:
    static constexpr const char* kType = "CNetInput";
    CNetInput(unsigned int seat, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void UpdateInput() override;
    unsigned int GetPos() override;
    bool GetButton(unsigned int i) override;
    // Only the hold of the serve counts, for the frames before the first inputs arrive.
    void SetButton(unsigned int i, bool v) override;
    // The serve's hold counts on every machine until the first inputs arrive; the
    // player's own device then says whether the button is still down.
    void TakeOverButton(unsigned int i) override;

    unsigned int seat;
    // The player's device on the player's machine, null elsewhere.
    CInput* local = nullptr;

private:
    // The input that answers for the frame that runs: the computer once it has taken
    // over, otherwise none (the agreed input answers).
    CInput* Stand();

    bool servesHeld = false;
    unsigned long long sentFrame = ~0ull;
};
