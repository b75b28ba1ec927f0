#pragma once

#include "input/input.h"

// One gamepad, read through XInput on every input update: the left stick or the D-pad
// moves a position from 0 to 512 along the axis (stick up and D-pad up towards 0), A is
// the grab button (0), B special (1), either shoulder or the right trigger speed (2).
class CPadInput : public CInput {
public:
    static constexpr const char* kType = "CPadInput";
    enum Button { Grab = 0, Special = 1, Speed = 2, ButtonCount = 3 };

    CPadInput(unsigned int pad, EAxis axis, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void UpdateInput() override;
    unsigned int GetPos() override;
    bool GetButton(unsigned int i) override;
    void SetButton(unsigned int i, bool v) override;
    void TakeOverButton(unsigned int i) override;

    unsigned int pad;  // the XInput slot, 0 to 3
    EAxis axis;
    bool pressed[ButtonCount] = {};
    unsigned int position = 256;  // whole pixels, kept from `fine`

private:
    void Read();
    void TakeButtons(const bool (&now)[ButtonCount]);
    void Step(int deflection);

    // The buttons as last read: a button's pressed state follows the pad only when the
    // pad's button changes, as keys follow their key messages, so a press that the match
    // gives the player (SetButton) holds until the player presses and lets go.
    bool held[ButtonCount] = {};
    // The position in thousandths of a pixel, so that slow stick moves add up.
    unsigned int fine = 256000;
};
