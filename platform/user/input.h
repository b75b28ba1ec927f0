#pragma once
// How a host hands its events to the window system. Positions are in the window's
// frame coordinates: (0, 0) is the top-left of the menu bar, the client area starts
// below it. The window system turns them into Win32 messages: the menu bar and its
// pop-ups take their own clicks and keys, the rest become input messages in the queue.

#include "platform/user/user32.h"

namespace user::input {

enum class Button { Left = 0, Right = 1, Middle = 2 };

void PointerMove(HWND window, POINT frame);
void PointerButton(HWND window, Button button, bool down, POINT frame);
// The wheel turned by `delta` (WHEEL_DELTA a notch, positive away from the user) over the
// window; the focused window hears it, with the pointer where it was last seen.
void Wheel(HWND window, int delta);
// A key went down (again, when repeat is set: auto-repeat) or up, on the active window.
void Key(UINT vk, bool down, bool repeat);
// The window gained or lost the keyboard focus (gaining it restores a minimised window).
void Focus(HWND window, bool gained);
// The user asked to close the window (its close box).
void CloseRequested(HWND window);
// The host lost what it showed of the window (exposed, resized): the next present is
// the whole frame.
void RepaintRequested(HWND window);

}  // namespace user::input
