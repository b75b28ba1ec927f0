#include "input/input_maker.h"

#include "input/computer_input.h"
#include "input/keyboard_input.h"
#include "input/mouse_input.h"
#include "input/pad_input.h"
#include "input/pad_rumble.h"
#include "platform/win32.h"

CInputMaker::CInputMaker(const LList<CObject>& parents) : CObject(parents) { type.Load("CInputMaker"); }

bool CInputMaker::HasType(str t) const { return t == "CInputMaker" || CObject::HasType(t); }

void CInputMaker::SetKeyboard(unsigned int up, unsigned int down, unsigned int left, unsigned int right,
                              unsigned int grab, unsigned int special, unsigned int speed)
{
    const unsigned int codes[ControlCount] = {up, down, left, right, grab, special, speed};
    for (int i = 0; i < ControlCount; ++i) keys[i] = codes[i];
    kind = Keyboard;
}

void CInputMaker::SetMouse(unsigned int value)
{
    kind = Mouse;
    keys[0] = value;
}

void CInputMaker::SetPad(unsigned int slot)
{
    if (slot >= XUSER_MAX_COUNT) throw XDomainError(type + str("::SetPad"));
    kind = Controller;
    pad = slot;
}
void CInputMaker::SetNet() { kind = Network; }

void CInputMaker::SetComputer(unsigned int l)
{
    kind = Computer;
    level = ValidLevel(l);
}

CInput* CInputMaker::MakeInput(EAxis axis, const LList<CObject>& parents)
{
    if (kind == Keyboard) {
        // A vertical paddle is steered by Up and Down, a horizontal one by Left and Right.
        const bool vertical = axis == YAxis;
        const unsigned int codes[CKeyboardInput::KeyCount] = {
            keys[vertical ? Up : Left], keys[vertical ? Down : Right], keys[Grab], keys[Special], keys[Speed]};
        return new CKeyboardInput(codes, parents);
    }
    if (kind == Mouse) return new CMouseInput(axis, parents);
    if (kind == Controller) return new CPadInput(pad, axis, parents);
    if (kind == Computer) return new CComputerInput(level, parents);
    return nullptr;
}

void CInputMaker::DropOut()
{
    if (kind == Controller) StartRumble(pad);
}
