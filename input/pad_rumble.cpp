#include "input/pad_rumble.h"

#include "platform/win32.h"

namespace {

constexpr DWORD kRumbleMs = 250;
constexpr WORD kLowMotor = 40000;
constexpr WORD kHighMotor = 20000;

struct Rumble {
    bool running = false;
    DWORD started = 0;
};
Rumble rumbles[XUSER_MAX_COUNT];

void SetMotors(unsigned int pad, WORD low, WORD high)
{
    XINPUT_VIBRATION vibration{low, high};
    XInputSetState(pad, &vibration);
}

void Stop(unsigned int pad)
{
    SetMotors(pad, 0, 0);
    rumbles[pad].running = false;
}

// Only pads with motors rumble.
bool CanRumble(unsigned int pad)
{
    XINPUT_CAPABILITIES capabilities{};
    return XInputGetCapabilities(pad, 0, &capabilities) == ERROR_SUCCESS &&
           (capabilities.Vibration.wLeftMotorSpeed != 0 || capabilities.Vibration.wRightMotorSpeed != 0);
}

}  // namespace

void StartRumble(unsigned int pad)
{
    if (pad >= XUSER_MAX_COUNT || !CanRumble(pad)) return;
    SetMotors(pad, kLowMotor, kHighMotor);
    rumbles[pad] = Rumble{true, GetTickCount()};
}

bool ServiceRumbles()
{
    bool any = false;
    const DWORD now = GetTickCount();
    for (unsigned int pad = 0; pad < XUSER_MAX_COUNT; ++pad) {
        if (!rumbles[pad].running) continue;
        if (now - rumbles[pad].started >= kRumbleMs)
            Stop(pad);
        else
            any = true;
    }
    return any;
}

void StopRumbles()
{
    for (unsigned int pad = 0; pad < XUSER_MAX_COUNT; ++pad)
        if (rumbles[pad].running) Stop(pad);
}
