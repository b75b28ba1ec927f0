#pragma once
// XInput: up to four gamepads in fixed slots, read by polling. The names, structures,
// constants, error codes and signatures are XInput's own. On Windows the game gets the
// real <xinput.h>; here the calls ask whichever pad host is installed (pad_host.h).

#include "platform/win32_types.h"

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_BAD_ARGUMENTS = 160;
constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;

constexpr DWORD XUSER_MAX_COUNT = 4;

// wButtons of XINPUT_GAMEPAD.
constexpr WORD XINPUT_GAMEPAD_DPAD_UP = 0x0001;
constexpr WORD XINPUT_GAMEPAD_DPAD_DOWN = 0x0002;
constexpr WORD XINPUT_GAMEPAD_DPAD_LEFT = 0x0004;
constexpr WORD XINPUT_GAMEPAD_DPAD_RIGHT = 0x0008;
constexpr WORD XINPUT_GAMEPAD_START = 0x0010;
constexpr WORD XINPUT_GAMEPAD_BACK = 0x0020;
constexpr WORD XINPUT_GAMEPAD_LEFT_THUMB = 0x0040;
constexpr WORD XINPUT_GAMEPAD_RIGHT_THUMB = 0x0080;
constexpr WORD XINPUT_GAMEPAD_LEFT_SHOULDER = 0x0100;
constexpr WORD XINPUT_GAMEPAD_RIGHT_SHOULDER = 0x0200;
constexpr WORD XINPUT_GAMEPAD_A = 0x1000;
constexpr WORD XINPUT_GAMEPAD_B = 0x2000;
constexpr WORD XINPUT_GAMEPAD_X = 0x4000;
constexpr WORD XINPUT_GAMEPAD_Y = 0x8000;

constexpr SHORT XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE = 7849;
constexpr SHORT XINPUT_GAMEPAD_RIGHT_THUMB_DEADZONE = 8689;
constexpr BYTE XINPUT_GAMEPAD_TRIGGER_THRESHOLD = 30;

constexpr BYTE XINPUT_DEVTYPE_GAMEPAD = 0x01;
constexpr BYTE XINPUT_DEVSUBTYPE_GAMEPAD = 0x01;
constexpr DWORD XINPUT_FLAG_GAMEPAD = 0x00000001;
constexpr WORD XINPUT_CAPS_FFB_SUPPORTED = 0x0001;

struct XINPUT_GAMEPAD {
    WORD wButtons;
    BYTE bLeftTrigger;
    BYTE bRightTrigger;
    SHORT sThumbLX;
    SHORT sThumbLY;
    SHORT sThumbRX;
    SHORT sThumbRY;
};
using PXINPUT_GAMEPAD = XINPUT_GAMEPAD*;

struct XINPUT_STATE {
    DWORD dwPacketNumber;  // changes whenever the gamepad's state does
    XINPUT_GAMEPAD Gamepad;
};
using PXINPUT_STATE = XINPUT_STATE*;

struct XINPUT_VIBRATION {
    WORD wLeftMotorSpeed;   // the low-frequency motor, 0 to 65535
    WORD wRightMotorSpeed;  // the high-frequency motor
};
using PXINPUT_VIBRATION = XINPUT_VIBRATION*;

struct XINPUT_CAPABILITIES {
    BYTE Type;
    BYTE SubType;
    WORD Flags;
    XINPUT_GAMEPAD Gamepad;       // which controls the pad has (non-zero where it has one)
    XINPUT_VIBRATION Vibration;   // which motors it has
};
using PXINPUT_CAPABILITIES = XINPUT_CAPABILITIES*;

// ERROR_SUCCESS with the pad's state, ERROR_DEVICE_NOT_CONNECTED when the slot is empty,
// ERROR_BAD_ARGUMENTS for a slot outside 0 to 3 or a null pointer.
DWORD WINAPI XInputGetState(DWORD dwUserIndex, XINPUT_STATE* pState);
DWORD WINAPI XInputSetState(DWORD dwUserIndex, XINPUT_VIBRATION* pVibration);
DWORD WINAPI XInputGetCapabilities(DWORD dwUserIndex, DWORD dwFlags, XINPUT_CAPABILITIES* pCapabilities);
