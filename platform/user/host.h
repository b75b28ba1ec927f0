#pragma once
// The seam between the window system and whatever shows it. A host owns the clock, the
// display (or its absence) and the source of input events; the window system owns every
// rule about windows and messages. The window system never asks which host it runs on.
//
// A program installs one host before it creates windows (the SDL host's main() does,
// the headless session does); without one, windows cannot be created and message boxes
// go to standard error.

#include "platform/user/frame_view.h"
#include "platform/win32_types.h"

#include <string>
#include <vector>

namespace user {

constexpr DWORD kWaitForever = 0xFFFFFFFF;

// A modal box as the host shows it: a message box, or a dialog reduced to its texts
// and push buttons. The host returns the id of the button chosen.
struct BoxButton {
    std::string text;
    int id;
    bool isDefault;
};

struct Box {
    std::string caption;
    std::string text;
    UINT type;  // MB_ flags for message boxes, 0 for dialogs
    std::vector<BoxButton> buttons;
    int cancelId;  // answer when the box is closed or escaped
};

class Host {
public:
    virtual ~Host() = default;

    // Milliseconds since some fixed start, as GetTickCount reports them.
    virtual DWORD Now() = 0;

    // Delivers pending host events to the window system (through user/input.h).
    // With a timeout of 0 it only polls; otherwise it may sleep up to the timeout
    // (kWaitForever: until something happens). Returns false when the host wants the
    // program to end now (the window system then posts WM_QUIT).
    virtual bool WaitForEvents(DWORD timeoutMs) = 0;

    // A top-level window appeared, at the screen position the program asked for, with a
    // frame (menu bar plus client area) of the given size; or it went.
    virtual void OpenWindow(HWND window, const std::string& title, POINT position, int width, int height) = 0;
    virtual void CloseWindow(HWND window) = 0;
    virtual void ShowWindow(HWND window, bool visible) = 0;
    virtual void MinimizeWindow(HWND window) = 0;

    // Shows the window's frame: the menu bar on top, the client area below it. Only the
    // damaged rectangles (frame coordinates, never empty) changed since the last present;
    // a host that lost its picture asks for all of it with input::RepaintRequested.
    virtual void Present(HWND window, const FrameView& frame, const std::vector<RECT>& damage) = 0;

    // Blocks until the user answers; returns the chosen button's id.
    virtual int ShowBox(HWND owner, const Box& box) = 0;

    virtual void SetCursorVisible(bool visible) = 0;
    // Confines the pointer to a rectangle of the window's frame, or frees it (null).
    virtual void ConfineCursor(HWND window, const RECT* frameRect) = 0;

    // The desktop area free of task bars, in screen pixels.
    virtual RECT WorkArea() = 0;
    // Where the window's frame (its top-left pixel) is on the screen.
    virtual POINT FrameOrigin(HWND window) = 0;
};

// Installs a host (null uninstalls). The caller keeps ownership.
void InstallHost(Host* host);

}  // namespace user
