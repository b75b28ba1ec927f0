#pragma once

#include "input/input.h"

// Five keys (decrease, increase, Grab, Special, Speed) that move a position from 0 to
// 512 on every input update while they are held. A key pressed since the last update
// counts as held until that update, even if it was let go again: a tap is never lost.
class CKeyboardInput : public CInput {
public:
    static constexpr const char* kType = "CKeyboardInput";
    enum Key { Decrease = 0, Increase = 1, Grab = 2, Special = 3, Speed = 4, KeyCount = 5 };

    CKeyboardInput(const unsigned int* keyCodes, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void KeyDown(unsigned int key, bool down) override;
    void UpdateInput() override;
    unsigned int GetPos() override;
    bool GetButton(unsigned int i) override;
    void SetButton(unsigned int i, bool v) override;
    void TakeOverButton(unsigned int i) override;

    // How far one update moves the position, with or without Speed.
    static unsigned int StepSize(bool speed);
    // The position after one update with the decreasing and increasing keys as given.
    static unsigned int Stepped(unsigned int position, bool decrease, bool increase, bool speed);

    unsigned int keys[KeyCount] = {};
    bool pressed[KeyCount] = {};
    bool pressedSinceUpdate[KeyCount] = {};
    unsigned int position = 256;

private:
    void Step();
    bool Held(int key) const { return pressed[key] || pressedSinceUpdate[key]; }
};
