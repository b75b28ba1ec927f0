#include "input/keyboard_input.h"

#include "platform/win32.h"

namespace {

constexpr unsigned int kFieldEnd = 512;
constexpr unsigned int kStep = 5;
constexpr unsigned int kSpeedStep = 20;

}  // namespace

CKeyboardInput::CKeyboardInput(const unsigned int* keyCodes, const LList<CObject>& parents) : CInput(parents)
{
    type.Load(kType);
    if (keyCodes)
        for (int i = 0; i < KeyCount; ++i) keys[i] = keyCodes[i];
}

bool CKeyboardInput::HasType(const str& t) const { return t == kType || CInput::HasType(t); }

void CKeyboardInput::KeyDown(unsigned int key, bool down)
{
    CInput::KeyDown(key, down);
    for (int i = 0; i < KeyCount; ++i)  // a code bound twice updates both entries
        if (keys[i] == key) {
            pressed[i] = down;
            if (down) pressedSinceUpdate[i] = true;
        }
}

void CKeyboardInput::UpdateInput()
{
    CInput::UpdateInput();
    Step();
    for (bool& key : pressedSinceUpdate) key = false;
}

void CKeyboardInput::Step() { position = Stepped(position, Held(Decrease), Held(Increase), Held(Speed)); }

unsigned int CKeyboardInput::StepSize(bool speed) { return speed ? kSpeedStep : kStep; }

unsigned int CKeyboardInput::Stepped(unsigned int position, bool decrease, bool increase, bool speed)
{
    const unsigned int step = StepSize(speed);
    if (decrease) position = position < step ? 0 : position - step;
    if (increase) position = position + step > kFieldEnd ? kFieldEnd : position + step;
    return position;
}

unsigned int CKeyboardInput::GetPos() { return position; }

bool CKeyboardInput::GetButton(unsigned int i) { return i < 3 && Held(static_cast<int>(Grab + i)); }

// Letting a button go by hand also forgets a press not yet seen.
void CKeyboardInput::SetButton(unsigned int i, bool v)
{
    if (i >= 3) return;
    pressed[Grab + i] = v;
    if (!v) pressedSinceUpdate[Grab + i] = false;
}

// Held only if the window system has the button's key down now.
void CKeyboardInput::TakeOverButton(unsigned int i)
{
    if (i < 3 && GetAsyncKeyState(static_cast<int>(keys[Grab + i])) < 0) SetButton(i, true);
}
