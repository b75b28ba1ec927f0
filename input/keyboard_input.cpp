#include "input/keyboard_input.h"

namespace {

constexpr unsigned int kFieldEnd = 512;
constexpr unsigned int kStep = 5;
constexpr unsigned int kSpeedStep = 20;

}  // namespace

CKeyboardInput::CKeyboardInput(const unsigned int* keyCodes, const LList<CObject>& parents) : CInput(parents)
{
    type.Load("CKeyboardInput");
    if (keyCodes)
        for (int i = 0; i < KeyCount; ++i) keys[i] = keyCodes[i];
}

bool CKeyboardInput::HasType(str t) const { return t == "CKeyboardInput" || CInput::HasType(t); }

void CKeyboardInput::KeyDown(unsigned int key, bool down)
{
    CInput::KeyDown(key, down);
    for (int i = 0; i < KeyCount; ++i)  // a code bound twice updates both entries
        if (keys[i] == key) pressed[i] = down;
}

void CKeyboardInput::UpdateInput()
{
    CInput::UpdateInput();
    Step();
}

void CKeyboardInput::Step()
{
    const unsigned int step = pressed[Speed] ? kSpeedStep : kStep;
    if (pressed[Decrease]) position = position < step ? 0 : position - step;
    if (pressed[Increase]) position = position + step > kFieldEnd ? kFieldEnd : position + step;
}

unsigned int CKeyboardInput::GetPos() { return position; }

bool CKeyboardInput::GetButton(unsigned int i) { return i < 3 && pressed[Grab + i]; }

void CKeyboardInput::SetButton(unsigned int i, bool v)
{
    if (i < 3) pressed[Grab + i] = v;
}
