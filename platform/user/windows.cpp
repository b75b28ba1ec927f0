#include "platform/user/host.h"
#include "platform/user/resources.h"
#include "platform/user/window_system.h"

#include "platform/gdi/gdi32.h"

#include <algorithm>

using user::System;
using user::Window;

namespace {

constexpr int kDefaultClientSize = 512;
constexpr int kLargestSide = 8192;
constexpr std::uintptr_t kMenuHandleBase = 0x10000;

int SaneSide(int side, int fallback)
{
    if (side == CW_USEDEFAULT) return fallback;
    return std::clamp(side, 1, kLargestSide);
}

std::string ResourceName(LPCSTR name)
{
    if (!name) return "";
    if (!IS_INTRESOURCE(name)) return name;
    std::string number = "#";
    number += std::to_string(reinterpret_cast<std::uintptr_t>(name));
    return number;
}

// Menu handles stand for the registered menu's id.
const std::vector<user::MenuEntry>* MenuOfHandle(HMENU menu)
{
    const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(menu);
    if (value < kMenuHandleBase || value > kMenuHandleBase + 0xFFFF) return nullptr;
    return user::FindMenu(MAKEINTRESOURCE(static_cast<WORD>(value - kMenuHandleBase)));
}

HMENU WindowMenu(const user::WindowClass& windowClass, HMENU menu)
{
    if (menu || windowClass.menuName.empty()) return menu;
    return LoadMenu(nullptr, windowClass.menuName.c_str());
}

void SendActivate(HWND window, WORD state, bool minimized)
{
    SendMessage(window, WM_ACTIVATE, MAKEWPARAM(state, minimized ? 1 : 0), 0);
}

void ReleaseAllDCs(Window& window)
{
    for (HDC dc : window.dcs) DeleteDC(dc);
    window.dcs.clear();
}

}  // namespace

namespace user {

void Activate(HWND handle)
{
    WindowTable& windows = System().windows;
    const HWND previous = windows.Active();
    if (previous == handle) return;
    windows.SetActive(handle);
    if (Window* old = FindWindow(previous)) {
        if (old->menu) ApplyMenuOutcome(*old, old->menu->Close());
        SendActivate(previous, WA_INACTIVE, old->minimized);
    }
    if (!FindWindow(handle)) return;
    System().input.CatchUp();
    SendActivate(handle, WA_ACTIVE, false);
}

void DeactivateMinimized(HWND handle)
{
    if (System().windows.Active() == handle) Activate(nullptr);
}

void ApplyMenuOutcome(Window& window, const MenuOutcome& outcome)
{
    if (outcome.changed) MarkFrameDirty(window);
    if (outcome.command) PostMessage(window.handle, WM_COMMAND, MAKEWPARAM(*outcome.command, 0), 0);
}

}  // namespace user

ATOM RegisterClassEx(const WNDCLASSEX* wc)
{
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName)) return 0;
    user::WindowClass windowClass;
    windowClass.name = wc->lpszClassName;
    windowClass.style = wc->style;
    windowClass.procedure = wc->lpfnWndProc;
    windowClass.menuName = ResourceName(wc->lpszMenuName);
    return System().windows.RegisterClass(std::move(windowClass));
}

ATOM RegisterClass(const WNDCLASS* wc)
{
    if (!wc) return 0;
    const WNDCLASSEX ex{sizeof(WNDCLASSEX), wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra,
                        wc->hInstance, wc->hIcon, wc->hCursor, wc->hbrBackground, wc->lpszMenuName,
                        wc->lpszClassName, nullptr};
    return RegisterClassEx(&ex);
}

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    user::Host* host = user::TheHost();
    if (!host || !className || IS_INTRESOURCE(className)) return nullptr;
    const user::WindowClass* windowClass = System().windows.FindClass(className);
    if (!windowClass) return nullptr;

    const HMENU menuHandle = WindowMenu(*windowClass, menu);
    const std::vector<user::MenuEntry>* menuEntries = MenuOfHandle(menuHandle);
    const int barHeight = menuEntries ? user::Menu::kBarHeight : 0;
    const int clientWidth = SaneSide(width, kDefaultClientSize);
    const int clientHeight = height == CW_USEDEFAULT ? kDefaultClientSize : SaneSide(height - barHeight, 1);
    auto created = std::make_unique<Window>(clientWidth, clientHeight);
    created->windowClass = windowClass;
    created->procedure = windowClass->procedure;
    created->title = windowName ? windowName : "";
    created->style = style;
    created->position = POINT{x == CW_USEDEFAULT ? 0 : x, y == CW_USEDEFAULT ? 0 : y};
    if (menuEntries) created->menu = std::make_unique<user::Menu>(*menuEntries);
    created->menuHandle = menuEntries ? menuHandle : nullptr;
    created->hosted = !(style & (WS_POPUP | WS_CHILD));
    Window& window = System().windows.Add(std::move(created));
    const HWND handle = window.handle;
    if (window.hosted) host->OpenWindow(handle, window.title, window.position, clientWidth, clientHeight + barHeight);

    CREATESTRUCT create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), windowName,
                        className, exStyle};
    if (SendMessage(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!user::FindWindow(handle)) return nullptr;  // destroyed while being created
    if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return handle;
}

HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height, HWND parent,
                  HMENU menu, HINSTANCE instance, LPVOID param)
{
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}

BOOL DestroyWindow(HWND handle)
{
    Window* window = user::FindWindow(handle);
    if (!window || window->destroying) return FALSE;
    // Marked first, so that the window's handlers cannot destroy it a second time.
    window->destroying = true;
    if (System().windows.Active() == handle) user::Activate(nullptr);
    SendMessage(handle, WM_DESTROY, 0, 0);
    ReleaseAllDCs(*window);
    System().timers.KillAll(handle);
    System().queue.DropWindow(handle);
    if (user::Host* host = user::HostOf(*window)) host->CloseWindow(handle);
    System().windows.Remove(handle);
    return TRUE;
}

BOOL IsWindow(HWND handle)
{
    const Window* window = user::FindWindow(handle);
    return window && !window->destroying;
}

HWND GetActiveWindow()
{
    return System().windows.Active();
}

BOOL ShowWindow(HWND handle, int showCmd)
{
    Window* window = user::FindWindow(handle);
    if (!window) return FALSE;
    const BOOL wasVisible = window->visible;
    if (showCmd == SW_MINIMIZE || showCmd == SW_SHOWMINIMIZED) {
        window->visible = true;
        if (user::Host* host = user::HostOf(*window)) host->ShowWindow(handle, true);
        CloseWindow(handle);
        return wasVisible;
    }
    user::Host* host = user::HostOf(*window);
    window->visible = showCmd != SW_HIDE;
    if (host) host->ShowWindow(handle, window->visible);
    if (!window->visible) {
        user::DeactivateMinimized(handle);
        return wasVisible;
    }
    window->minimized = false;
    if (!wasVisible) InvalidateRect(handle, nullptr, FALSE);  // a window shown is painted whole
    user::MarkFrameDirty(*window);
    user::Activate(handle);
    return wasVisible;
}

BOOL UpdateWindow(HWND handle)
{
    Window* window = user::FindWindow(handle);
    if (!window) return FALSE;
    if (window->visible && window->NeedsPaint()) SendMessage(handle, WM_PAINT, 0, 0);
    return TRUE;
}

// Minimises the window; the deactivation that goes with it arrives as WM_ACTIVATE.
BOOL CloseWindow(HWND handle)
{
    Window* window = user::FindWindow(handle);
    if (!window) return FALSE;
    window->minimized = true;
    if (user::Host* host = user::HostOf(*window)) host->MinimizeWindow(handle);
    user::DeactivateMinimized(handle);
    return TRUE;
}

BOOL IsIconic(HWND handle)
{
    const Window* window = user::FindWindow(handle);
    return window && window->minimized;
}

LRESULT DefWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM)
{
    Window* window = user::FindWindow(handle);
    if (!window) return 0;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(handle);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(handle, &paint);
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the window, as the system menu's Close does.
        if (wParam == VK_F4) PostMessage(handle, WM_CLOSE, 0, 0);
        return 0;
    case WM_SYSCHAR:
        if (window->menu) user::ApplyMenuOutcome(*window, window->menu->Mnemonic(static_cast<char>(wParam)));
        return 0;
    default:
        return 0;
    }
}

BOOL GetClientRect(HWND handle, LPRECT rect)
{
    const Window* window = user::FindWindow(handle);
    if (!window || !rect) return FALSE;
    *rect = window->ClientRect();
    return TRUE;
}

BOOL GetWindowRect(HWND handle, LPRECT rect)
{
    const Window* window = user::FindWindow(handle);
    if (!window || !rect) return FALSE;
    const POINT origin = user::FrameOrigin(*window);
    *rect = RECT{origin.x, origin.y, origin.x + window->client.Width(),
                 origin.y + window->client.Height() + window->MenuBarHeight()};
    return TRUE;
}

// The window's frame is drawn by the host's own decorations; the menu bar is the one
// non-client part that belongs to the window.
BOOL AdjustWindowRect(LPRECT rect, DWORD, BOOL menu)
{
    if (!rect) return FALSE;
    if (menu) rect->top -= user::Menu::kBarHeight;
    return TRUE;
}

HINSTANCE GetModuleHandle(LPCSTR moduleName)
{
    if (moduleName) return nullptr;  // no other modules are loaded
    return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000));
}

HICON LoadIcon(HINSTANCE, LPCSTR name)
{
    return name ? reinterpret_cast<HICON>(static_cast<std::uintptr_t>(0x7F00)) : nullptr;
}

HCURSOR LoadCursor(HINSTANCE, LPCSTR name)
{
    return name ? reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(0x7F00)) : nullptr;
}

HMENU LoadMenu(HINSTANCE, LPCSTR menuName)
{
    const std::optional<WORD> id = user::ResourceId(menuName);
    if (!id || !user::FindMenu(menuName)) return nullptr;
    return reinterpret_cast<HMENU>(kMenuHandleBase + *id);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check)
{
    constexpr DWORD kNoItem = 0xFFFFFFFF;
    if (!menu || (check & MF_BYPOSITION) || item > 0xFFFF) return kNoItem;
    std::optional<bool> former;
    System().windows.ForEach([&](Window& window) {
        if (window.menuHandle != menu || !window.menu) return;
        former = window.menu->Check(static_cast<WORD>(item), (check & MF_CHECKED) != 0);
        user::MarkFrameDirty(window);
    });
    if (!former) return kNoItem;
    return *former ? MF_CHECKED : MF_UNCHECKED;
}

HMENU GetMenu(HWND handle)
{
    const Window* window = user::FindWindow(handle);
    return window ? window->menuHandle : nullptr;
}
