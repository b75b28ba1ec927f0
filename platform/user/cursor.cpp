#include "platform/user/host.h"
#include "platform/user/window_system.h"

using user::System;

namespace {

// The window whose cursor rules apply: the active one, else the newest visible one.
user::Window* CursorWindow()
{
    if (user::Window* active = System().windows.Focused()) return active;
    return user::FindWindow(System().windows.Newest());
}

POINT ClientOrigin(const user::Window& window)
{
    const POINT frame = user::FrameOrigin(window);
    return POINT{frame.x, frame.y + window.MenuBarHeight()};
}

void ApplyClip()
{
    user::Host* host = user::TheHost();
    user::Window* window = CursorWindow();
    if (!host || !window) return;
    const std::optional<RECT>& clip = System().cursor.clip;
    if (!clip) {
        host->ConfineCursor(window->handle, nullptr);
        return;
    }
    RECT frameRect = *clip;
    const POINT origin = user::FrameOrigin(*window);
    OffsetRect(&frameRect, -origin.x, -origin.y);
    host->ConfineCursor(window->handle, &frameRect);
}

}  // namespace

int ShowCursor(BOOL show)
{
    int& count = System().cursor.displayCount;
    const bool wasVisible = count >= 0;
    count += show ? 1 : -1;
    const bool visible = count >= 0;
    if (visible != wasVisible)
        if (user::Host* host = user::TheHost()) host->SetCursorVisible(visible);
    return count;
}

BOOL ClipCursor(const RECT* rect)
{
    if (rect && IsRectEmpty(rect)) return FALSE;
    System().cursor.clip = rect ? std::optional<RECT>(*rect) : std::nullopt;
    ApplyClip();
    return TRUE;
}

BOOL ClientToScreen(HWND handle, LPPOINT point)
{
    const user::Window* window = user::FindWindow(handle);
    if (!window || !point) return FALSE;
    const POINT origin = ClientOrigin(*window);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND handle, LPPOINT point)
{
    const user::Window* window = user::FindWindow(handle);
    if (!window || !point) return FALSE;
    const POINT origin = ClientOrigin(*window);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL GetCursorPos(LPPOINT point)
{
    if (!point) return FALSE;
    *point = System().input.pointer;
    return TRUE;
}

BOOL SystemParametersInfo(UINT action, UINT, LPVOID data, UINT)
{
    user::Host* host = user::TheHost();
    if (action != SPI_GETWORKAREA || !data || !host) return FALSE;
    *static_cast<RECT*>(data) = host->WorkArea();
    return TRUE;
}
