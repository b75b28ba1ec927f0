#pragma once
// Presenting to an X11 window through an image of our own, in memory shared with the X
// server where it allows that (MIT-SHM), sent with each put where it does not. It scales
// the damage as the window surface does, but puts the changed parts and only flushes:
// SDL's window surface waits for the server's answer after every present, a round trip
// that puts the game to sleep and wakes it again once more each tick.
//
// The image is written while the server may still be reading an earlier put of it.
// That is safe: every pixel written is put again after it was written, and the server
// carries out puts in order, so the window ends with the newest picture.

#include "platform/host/sdl/presenter.h"

#include <SDL.h>

#include <memory>

namespace sdlhost {

// Null when the window is not on X11, the build has no Xlib, or the window's visual
// does not hold 0x00RRGGBB pixels as they are.
std::unique_ptr<Presenter> MakeX11Presenter(SDL_Window* window, int frameWidth, int frameHeight);

}  // namespace sdlhost
