#pragma once
// The name of the pad in a slot. XInput has no call for it: our layer asks the pad host,
// and on Windows every XInput pad is an Xbox controller as far as the game can tell.
// Copies the name, cut to fit and zero-terminated, into `buffer` of `size` characters.
// Returns XInput's codes: ERROR_SUCCESS, ERROR_DEVICE_NOT_CONNECTED or ERROR_BAD_ARGUMENTS
// (a slot outside 0 to 3, or no room for even the terminating zero).

#ifdef _WIN32
inline DWORD GetPadName(DWORD dwUserIndex, LPSTR buffer, UINT size)
{
    if (dwUserIndex >= XUSER_MAX_COUNT || !buffer || size == 0) return ERROR_BAD_ARGUMENTS;
    buffer[0] = '\0';
    XINPUT_CAPABILITIES capabilities{};
    const DWORD result = XInputGetCapabilities(dwUserIndex, 0, &capabilities);
    if (result != ERROR_SUCCESS) return result;
    const char name[] = "Xbox Controller";
    UINT i = 0;
    for (; i + 1 < size && name[i]; ++i) buffer[i] = name[i];
    buffer[i] = '\0';
    return ERROR_SUCCESS;
}
#else
#include "platform/xinput/xinput.h"

DWORD GetPadName(DWORD dwUserIndex, LPSTR buffer, UINT size);
#endif
