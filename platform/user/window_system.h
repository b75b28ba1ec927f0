#pragma once
// Everything the window system remembers, in one place: windows and classes, the
// message queue, timers, the keyboard and pointer state, the cursor. One thread owns it
// (the program's, as in Win32, whose USER32 state belongs to the thread that made it).

#include "platform/user/input_state.h"
#include "platform/user/message_queue.h"
#include "platform/user/timer_table.h"
#include "platform/user/window.h"

#include <optional>

namespace user {

class Host;

struct CursorState {
    int displayCount = 0;       // shown while >= 0
    std::optional<RECT> clip;   // screen coordinates
};

struct WindowSystem {
    WindowTable windows;
    MessageQueue queue;
    TimerTable timers;
    InputState input;
    CursorState cursor;
};

WindowSystem& System();

// Destroys every window (each gets its WM_DESTROY) and forgets all state, as the end of
// a process would. Sessions of the headless host call it between runs.
void ResetWindowSystem();

// The host, for code that needs one; null when none is installed.
Host* TheHost();
DWORD Now();

// The host when it shows this window, else null.
Host* HostOf(const Window& window);

// Where the window's frame (the menu bar's top-left) is on the screen.
POINT FrameOrigin(const Window& window);

// The window behind a handle, or null for a null, stale or foreign handle.
Window* FindWindow(HWND handle);

// Moves activation to window (null: to no window). The window that loses it gets
// WM_ACTIVATE with WA_INACTIVE (and a non-zero high word when it is being minimised),
// the one that gains it WM_ACTIVATE with WA_ACTIVE, as Windows sends them.
void Activate(HWND window);
void DeactivateMinimized(HWND window);

// Applies what a menu did: redraws it, posts the chosen command.
void ApplyMenuOutcome(Window& window, const struct MenuOutcome& outcome);

// Marks the window's frame as changed; the loop presents it before it next sleeps.
void MarkFrameDirty(Window& window);
// The host lost what it showed of the window (exposed, resized): the next present hands
// it the whole frame.
void PresentWholeFrame(Window& window);
// Presents every window whose frame changed, with the parts that changed; a frame whose
// pixels are all as last presented is not presented.
void PresentDirtyFrames();

}  // namespace user
