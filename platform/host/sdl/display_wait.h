#pragma once
// Waiting for the display server directly: a sleep on the X connection until it has
// something to read or the time is up, instead of SDL's wait, which on X11 sends the
// window an event of its own to wake itself whenever it queues input while waiting (a
// round trip for every pointer movement). Where the window is not on X11 (or the build
// has no Xlib), it is not active and the host waits through SDL.

#include <SDL.h>

namespace sdlhost {

class DisplayWait {
public:
    DisplayWait() = default;
    explicit DisplayWait(SDL_Window* window);

    bool Active() const { return display != nullptr; }
    // Sends what is buffered, then sleeps until the connection has something to read, a
    // signal arrives or `timeoutMs` passes (at most a second: events that SDL's own
    // threads queue are seen then at the latest). A wait of at most a frame sleeps
    // through: input that comes meanwhile is read at its end. Returns at once when Xlib
    // already holds events.
    void Wait(int timeoutMs) const;

private:
    void* display = nullptr;  // the Xlib Display
};

}  // namespace sdlhost
