#include "platform/xinput/pad_host.h"
#include "platform/xinput/pad_name.h"

#include <cstring>

namespace xinput {
namespace {

PadHost* installed = nullptr;

// XInput numbers every change of a pad's state; a reading that differs from the last one
// of its slot gets the next number.
struct Packets {
    XINPUT_GAMEPAD last{};
    DWORD number = 0;
};
Packets packets[XUSER_MAX_COUNT];

DWORD PacketFor(DWORD slot, const XINPUT_GAMEPAD& gamepad)
{
    Packets& slotPackets = packets[slot];
    if (std::memcmp(&slotPackets.last, &gamepad, sizeof gamepad) != 0) {
        slotPackets.last = gamepad;
        ++slotPackets.number;
    }
    return slotPackets.number;
}

bool ValidSlot(DWORD slot) { return slot < XUSER_MAX_COUNT; }

}  // namespace

PadHost* CurrentPadHost() { return installed; }

void InstallPadHost(PadHost* host) { installed = host; }

}  // namespace xinput

using xinput::CurrentPadHost;

DWORD WINAPI XInputGetState(DWORD dwUserIndex, XINPUT_STATE* pState)
{
    if (!xinput::ValidSlot(dwUserIndex) || !pState) return ERROR_BAD_ARGUMENTS;
    XINPUT_GAMEPAD gamepad{};
    if (!CurrentPadHost() || !CurrentPadHost()->Read(dwUserIndex, gamepad)) return ERROR_DEVICE_NOT_CONNECTED;
    pState->dwPacketNumber = xinput::PacketFor(dwUserIndex, gamepad);
    pState->Gamepad = gamepad;
    return ERROR_SUCCESS;
}

DWORD WINAPI XInputSetState(DWORD dwUserIndex, XINPUT_VIBRATION* pVibration)
{
    if (!xinput::ValidSlot(dwUserIndex) || !pVibration) return ERROR_BAD_ARGUMENTS;
    if (!CurrentPadHost() ||
        !CurrentPadHost()->Rumble(dwUserIndex, pVibration->wLeftMotorSpeed, pVibration->wRightMotorSpeed))
        return ERROR_DEVICE_NOT_CONNECTED;
    return ERROR_SUCCESS;
}

// Every pad is reported as a full gamepad: the hosts map whatever they find onto one.
DWORD WINAPI XInputGetCapabilities(DWORD dwUserIndex, DWORD dwFlags, XINPUT_CAPABILITIES* pCapabilities)
{
    if (!xinput::ValidSlot(dwUserIndex) || !pCapabilities || (dwFlags & ~XINPUT_FLAG_GAMEPAD) != 0)
        return ERROR_BAD_ARGUMENTS;
    XINPUT_GAMEPAD now{};
    if (!CurrentPadHost() || !CurrentPadHost()->Read(dwUserIndex, now)) return ERROR_DEVICE_NOT_CONNECTED;
    XINPUT_CAPABILITIES capabilities{};
    capabilities.Type = XINPUT_DEVTYPE_GAMEPAD;
    capabilities.SubType = XINPUT_DEVSUBTYPE_GAMEPAD;
    capabilities.Gamepad.wButtons = 0xF3FF;  // every button XInput knows
    capabilities.Gamepad.bLeftTrigger = capabilities.Gamepad.bRightTrigger = 0xFF;
    capabilities.Gamepad.sThumbLX = capabilities.Gamepad.sThumbLY = static_cast<SHORT>(0xFFC0);
    capabilities.Gamepad.sThumbRX = capabilities.Gamepad.sThumbRY = static_cast<SHORT>(0xFFC0);
    if (CurrentPadHost()->CanRumble(dwUserIndex)) {
        capabilities.Flags = XINPUT_CAPS_FFB_SUPPORTED;
        capabilities.Vibration.wLeftMotorSpeed = capabilities.Vibration.wRightMotorSpeed = 0xFF;
    }
    *pCapabilities = capabilities;
    return ERROR_SUCCESS;
}

DWORD GetPadName(DWORD dwUserIndex, LPSTR buffer, UINT size)
{
    if (!xinput::ValidSlot(dwUserIndex) || !buffer || size == 0) return ERROR_BAD_ARGUMENTS;
    buffer[0] = '\0';
    XINPUT_GAMEPAD now{};
    if (!CurrentPadHost() || !CurrentPadHost()->Read(dwUserIndex, now)) return ERROR_DEVICE_NOT_CONNECTED;
    const char* name = CurrentPadHost()->Name(dwUserIndex);
    UINT length = 0;
    for (; name && name[length] && length + 1 < size; ++length) buffer[length] = name[length];
    buffer[length] = '\0';
    return ERROR_SUCCESS;
}
