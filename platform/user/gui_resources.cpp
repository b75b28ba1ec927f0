#include "platform/user/user32.h"

#include "platform/gdi/objects.h"

#include <cstdint>

// The current process is a pseudo-handle, as on Windows.
HANDLE GetCurrentProcess()
{
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
}

DWORD GetGuiResources(HANDLE process, DWORD flags)
{
    if (process != GetCurrentProcess() || flags != GR_GDIOBJECTS) return 0;
    return static_cast<DWORD>(gdi::CreatedObjectCount());
}
