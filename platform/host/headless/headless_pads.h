#pragma once
// Pads without hardware: tests and the replay tool plug them in, press their buttons,
// push their sticks and pull their triggers; the game reads them through XInput. What the
// game asked of the motors is kept for reading.

#include "platform/xinput/pad_host.h"

#include <string>

namespace headless {

class HeadlessPads : public xinput::PadHost {
public:
    bool Read(DWORD slot, XINPUT_GAMEPAD& gamepad) override;
    const char* Name(DWORD slot) override;
    bool CanRumble(DWORD slot) override;
    bool Rumble(DWORD slot, WORD low, WORD high) override;

    // Slots outside 0 to 3 are ignored. A pad plugged in starts at rest.
    void Connect(DWORD slot, const std::string& name, bool rumbles = true);
    void Disconnect(DWORD slot);
    // XINPUT_GAMEPAD_* buttons.
    void Press(DWORD slot, WORD buttons, bool down);
    // The left stick, y up positive.
    void Stick(DWORD slot, SHORT x, SHORT y);
    // The left (or right) trigger, 0 to 255.
    void Trigger(DWORD slot, bool right, BYTE value);

    bool Connected(DWORD slot) const;
    // The motors' speeds as the game last set them (0 when the pad is unplugged).
    XINPUT_VIBRATION Motors(DWORD slot) const;

private:
    struct Pad {
        bool connected = false;
        bool rumbles = false;
        std::string name;
        XINPUT_GAMEPAD gamepad{};
        XINPUT_VIBRATION motors{};
    };
    Pad* Plugged(DWORD slot);

    Pad pads[XUSER_MAX_COUNT];
};

}  // namespace headless
