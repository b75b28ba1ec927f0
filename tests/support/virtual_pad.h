#pragma once
// SDL's virtual joysticks, for tests and benchmarks of the pads without hardware.

#include <SDL.h>

// Plugs in a joystick that SDL knows as a game controller from the start; its device
// index, or a negative number when SDL refuses.
inline int AttachVirtualController(const char* name)
{
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    return SDL_JoystickAttachVirtualEx(&desc);
}
