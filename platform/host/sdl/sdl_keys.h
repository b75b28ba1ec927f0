#pragma once
// SDL's physical keys as the Windows virtual keys of a US keyboard.

#include "platform/win32_types.h"

#include <SDL.h>

namespace sdlhost {

// The virtual key of a scan code, or 0 for keys the game cannot see.
UINT VirtualKeyOf(SDL_Scancode scancode);

}  // namespace sdlhost
