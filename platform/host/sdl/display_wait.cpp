#include "platform/host/sdl/display_wait.h"

#ifdef QUORVEL_X11
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>
#endif

#include <algorithm>

namespace sdlhost {

#ifdef QUORVEL_X11

namespace {

constexpr int kLongestWaitMs = 1000;
// A wait no longer than a frame ends in the game's next tick, which reads all the input
// that came meanwhile; waking for each pointer movement before it would only cost.
constexpr int kFrameMs = 20;

}  // namespace

DisplayWait::DisplayWait(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        display = info.info.x11.display;
}

void DisplayWait::Wait(int timeoutMs) const
{
    auto* connection = static_cast<Display*>(display);
    if (!connection) return;
    XFlush(connection);
    if (XEventsQueued(connection, QueuedAlready) > 0) return;
    if (timeoutMs >= 0 && timeoutMs <= kFrameMs) {
        poll(nullptr, 0, timeoutMs);
        return;
    }
    pollfd ready{ConnectionNumber(connection), POLLIN, 0};
    poll(&ready, 1, timeoutMs < 0 ? kLongestWaitMs : std::min(timeoutMs, kLongestWaitMs));
}

#else

DisplayWait::DisplayWait(SDL_Window*) {}

void DisplayWait::Wait(int) const {}

#endif

}  // namespace sdlhost
