#include "platform/host/headless/headless_pads.h"

namespace headless {

HeadlessPads::Pad* HeadlessPads::Plugged(DWORD slot)
{
    return slot < XUSER_MAX_COUNT && pads[slot].connected ? &pads[slot] : nullptr;
}

bool HeadlessPads::Read(DWORD slot, XINPUT_GAMEPAD& gamepad)
{
    const Pad* pad = Plugged(slot);
    if (pad) gamepad = pad->gamepad;
    return pad != nullptr;
}

const char* HeadlessPads::Name(DWORD slot)
{
    const Pad* pad = Plugged(slot);
    return pad ? pad->name.c_str() : "";
}

bool HeadlessPads::CanRumble(DWORD slot)
{
    const Pad* pad = Plugged(slot);
    return pad && pad->rumbles;
}

bool HeadlessPads::Rumble(DWORD slot, WORD low, WORD high)
{
    Pad* pad = Plugged(slot);
    if (pad && pad->rumbles) pad->motors = XINPUT_VIBRATION{low, high};
    return pad != nullptr;
}

void HeadlessPads::Connect(DWORD slot, const std::string& name, bool rumbles)
{
    if (slot >= XUSER_MAX_COUNT) return;
    pads[slot] = Pad{true, rumbles, name, {}, {}};
}

void HeadlessPads::Disconnect(DWORD slot)
{
    if (slot < XUSER_MAX_COUNT) pads[slot] = Pad{};
}

void HeadlessPads::Press(DWORD slot, WORD buttons, bool down)
{
    if (Pad* pad = Plugged(slot))
        pad->gamepad.wButtons = down ? pad->gamepad.wButtons | buttons : pad->gamepad.wButtons & ~buttons;
}

void HeadlessPads::Stick(DWORD slot, SHORT x, SHORT y)
{
    if (Pad* pad = Plugged(slot)) {
        pad->gamepad.sThumbLX = x;
        pad->gamepad.sThumbLY = y;
    }
}

void HeadlessPads::Trigger(DWORD slot, bool right, BYTE value)
{
    if (Pad* pad = Plugged(slot)) (right ? pad->gamepad.bRightTrigger : pad->gamepad.bLeftTrigger) = value;
}

bool HeadlessPads::Connected(DWORD slot) const { return slot < XUSER_MAX_COUNT && pads[slot].connected; }

XINPUT_VIBRATION HeadlessPads::Motors(DWORD slot) const
{
    return Connected(slot) ? pads[slot].motors : XINPUT_VIBRATION{};
}

}  // namespace headless
