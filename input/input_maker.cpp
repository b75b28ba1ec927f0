#include "input/input_maker.h"

#include "input/computer_input.h"
#include "input/keyboard_input.h"
#include "input/mouse_input.h"
#include "input/pad_input.h"
#include "input/pad_rumble.h"
#include "platform/win32.h"
#include "input/net_input.h"
#include "play/online.h"

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

void CInputMaker::SetNet(unsigned int s)
{
    kind = Network;
    seat = s;
}

void CInputMaker::SetComputer(unsigned int l)
{
    kind = Computer;
    level = ValidLevel(l);
}

// In a match played with other machines every seat's paddle is steered by what the
// session agreed; this machine's own players' devices come after it, to be read by it.
CInput* CInputMaker::MakeInput(EAxis axis, const LList<CObject>& parents)
{
    COnline* online = parents.head ? FindOnline(parents.head->item) : nullptr;
    if (!online || !online->InMatch()) return MakeOwnInput(axis, parents);
    auto* seated = new CNetInput(seat, parents);
    const auto& seats = online->Session().Seats();
    if (seat < seats.size() && seats[seat].local) seated->local = MakeOwnInput(axis, parents);
    if (auto* computer = dynamic_cast<CComputerInput*>(seated->local)) computer->Seed(online->ComputerSeed(seat));
    return seated;
}

CInput* CInputMaker::MakeOwnInput(EAxis axis, const LList<CObject>& parents)
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
    // A place kept for a player on another machine that nobody has taken.
    if (kind == Network) return new CComputerInput(ComputerFair, parents);
    return nullptr;
}

void CInputMaker::DropOut()
{
    if (kind == Controller) StartRumble(pad);
}
