#pragma once
// The seam between XInput and whatever has the pads. A pad host keeps up to four pads in
// fixed slots (0 to 3): the SDL host fills them from SDL's game controllers, the headless
// host from injected pads. XInput's calls (xinput.cpp) ask the installed host; without
// one, every slot is empty.

#include "platform/xinput/xinput.h"

namespace xinput {

class PadHost {
public:
    virtual ~PadHost() = default;

    // The controls of the pad in the slot as they are now; false when no pad is there.
    virtual bool Read(DWORD slot, XINPUT_GAMEPAD& gamepad) = 0;
    // The pad's name as its maker gives it, valid while the pad stays; empty when no pad
    // is there.
    virtual const char* Name(DWORD slot) = 0;
    // Whether the pad has motors to rumble.
    virtual bool CanRumble(DWORD slot) = 0;
    // Runs the low- and high-frequency motors at these speeds until told otherwise;
    // false when no pad is there.
    virtual bool Rumble(DWORD slot, WORD low, WORD high) = 0;
};

// The installed pad host, or null.
PadHost* CurrentPadHost();
// Installs a pad host (null uninstalls). The caller keeps ownership.
void InstallPadHost(PadHost* host);

}  // namespace xinput
