#include "platform/user/input.h"

#include "platform/user/host.h"
#include "platform/user/keyboard_layout.h"
#include "platform/user/window_system.h"

#include <algorithm>

using user::System;
using user::Window;

namespace user::input {
namespace {

struct ButtonMessages {
    UINT vk;
    UINT down;
    UINT up;
    UINT doubleClick;
};

constexpr ButtonMessages kButtons[] = {
    {VK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
    {VK_RBUTTON, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
    {VK_MBUTTON, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK},
};

// Windows keeps the pointer inside the clip rectangle.
POINT Clipped(const Window& window, POINT frame)
{
    const std::optional<RECT>& clip = System().cursor.clip;
    if (!clip) return frame;
    const POINT origin = FrameOrigin(window);
    frame.x = std::clamp<LONG>(frame.x, clip->left - origin.x, clip->right - 1 - origin.x);
    frame.y = std::clamp<LONG>(frame.y, clip->top - origin.y, clip->bottom - 1 - origin.y);
    return frame;
}

void RememberPointer(const Window& window, POINT frame)
{
    const POINT origin = FrameOrigin(window);
    System().input.pointer = POINT{origin.x + frame.x, origin.y + frame.y};
    System().input.pointerWindow = window.handle;
}

LPARAM ClientPointParam(const Window& window, POINT frame)
{
    const int x = frame.x;
    const int y = frame.y - window.MenuBarHeight();
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

void PostInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    System().queue.PostInput(MSG{window, message, wParam, lParam, Now(), System().input.pointer});
}

bool UsesDoubleClicks(const Window& window)
{
    return window.windowClass && (window.windowClass->style & CS_DBLCLKS);
}

bool MenuTakes(Window& window, const MenuOutcome& outcome)
{
    ApplyMenuOutcome(window, outcome);
    return outcome.consumed;
}

Window* LiveWindow(HWND handle)
{
    Window* window = FindWindow(handle);
    return window && !window->destroying ? window : nullptr;
}

UINT KeyMessage(UINT vk, bool down, bool alt)
{
    const bool system = alt || vk == VK_F10 || vk == VK_MENU;
    if (down) return system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    return system ? WM_SYSKEYUP : WM_KEYUP;
}

}  // namespace

void PointerMove(HWND handle, POINT frame)
{
    Window* window = LiveWindow(handle);
    if (!window) return;
    frame = Clipped(*window, frame);
    RememberPointer(*window, frame);
    if (window->menu && MenuTakes(*window, window->menu->PointerMove(frame))) return;
    PostInput(handle, WM_MOUSEMOVE, System().input.MouseFlags(), ClientPointParam(*window, frame));
}

void PointerButton(HWND handle, Button button, bool down, POINT frame)
{
    Window* window = LiveWindow(handle);
    const auto index = static_cast<std::size_t>(button);
    if (!window || index >= std::size(kButtons)) return;
    const ButtonMessages& messages = kButtons[index];
    frame = Clipped(*window, frame);
    RememberPointer(*window, frame);
    System().input.SetKey(messages.vk, down);
    if (window->menu) {
        const MenuOutcome outcome = down ? window->menu->PointerDown(frame) : window->menu->PointerUp(frame);
        if (MenuTakes(*window, outcome)) return;
    }
    UINT message = down ? messages.down : messages.up;
    if (down && System().input.IsDoubleClick(static_cast<int>(index), handle, frame, Now()) && UsesDoubleClicks(*window))
        message = messages.doubleClick;
    PostInput(handle, message, System().input.MouseFlags(), ClientPointParam(*window, frame));
}

void Wheel(HWND handle, int delta)
{
    Window* window = LiveWindow(handle);
    if (!window || delta == 0) return;
    if (window->menu && window->menu->IsOpen()) return;
    Window* focused = System().windows.Focused();
    if (!focused) return;
    const auto turn = static_cast<SHORT>(std::clamp(delta, -0x8000, 0x7FFF));
    const POINT screen = System().input.pointer;
    PostInput(focused->handle, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(System().input.MouseFlags()), static_cast<WORD>(turn)),
              MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(screen.x)), static_cast<WORD>(static_cast<SHORT>(screen.y))));
}

void Key(UINT vk, bool down, bool repeat)
{
    if (vk == 0 || vk > 0xFF) return;
    InputState& state = System().input;
    const bool wasDown = state.KeyDown(vk);
    state.SetKey(vk, down);
    Window* window = System().windows.Focused();
    if (!window) return;
    if (down && window->menu && window->menu->IsOpen() && MenuTakes(*window, window->menu->Key(vk))) return;
    const bool alt = state.AltDown();
    PostInput(window->handle, KeyMessage(vk, down, alt), vk, KeyMessageParam(vk, down, down ? wasDown || repeat : true, alt));
}

void Focus(HWND handle, bool gained)
{
    Window* window = LiveWindow(handle);
    if (!window) return;
    if (gained) {
        const bool wasMinimized = window->minimized;
        window->minimized = false;
        if (wasMinimized) InvalidateRect(handle, nullptr, FALSE);
        MarkFrameDirty(*window);
        Activate(handle);
        return;
    }
    if (System().windows.Active() == handle) Activate(nullptr);
}

void CloseRequested(HWND handle)
{
    if (LiveWindow(handle)) PostMessage(handle, WM_CLOSE, 0, 0);
}

void RepaintRequested(HWND handle)
{
    if (Window* window = LiveWindow(handle)) PresentWholeFrame(*window);
}

}  // namespace user::input
