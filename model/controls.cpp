#include "model/controls.h"

#include "core/exceptions.h"
#include "platform/win32.h"

#include <algorithm>
#include <iterator>

const char* ComputerLevelName(unsigned int level)
{
    static const char* const names[ComputerLevels] = {"Easy", "Fair", "Hard"};
    return names[ValidLevel(level)];
}

EComputerLevel ValidLevel(unsigned int level)
{
    return level < ComputerLevels ? static_cast<EComputerLevel>(level) : ComputerHard;
}

CControls::CControls(const LList<CObject>& parents) : CObject(parents) { type.Load(kType); }

bool CControls::HasType(const str& t) const { return t == kType || CObject::HasType(t); }

void CControls::SetKeyboard(unsigned int up, unsigned int down, unsigned int left, unsigned int right,
                            unsigned int grab, unsigned int special, unsigned int speed)
{
    const unsigned int codes[ControlCount] = {up, down, left, right, grab, special, speed};
    for (int i = 0; i < ControlCount; ++i) keys[i] = codes[i];
    kind = Keyboard;
}

void CControls::SetMouse(unsigned int value)
{
    kind = Mouse;
    keys[0] = value;
}

void CControls::SetPad(unsigned int slot)
{
    if (slot >= XUSER_MAX_COUNT) throw XDomainError(type + str("::SetPad"));
    kind = Controller;
    pad = slot;
}

void CControls::SetNet() { kind = Network; }

void CControls::SetNet(unsigned int s)
{
    kind = Network;
    seat = s;
}

void CControls::SetComputer(unsigned int l)
{
    kind = Computer;
    level = ValidLevel(l);
}

void CControls::CopyFrom(const CControls& other)
{
    std::copy(std::begin(other.keys), std::end(other.keys), keys);
    kind = other.kind;
    pad = other.pad;
    level = other.level;
    seat = other.seat;
}
