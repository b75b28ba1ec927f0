#include "platform/user/window_system.h"

#include "platform/gdi/gdi32.h"

#include <algorithm>

using user::Window;

namespace {

// The part of rect (the whole client area when null) that lies in the client area.
std::optional<RECT> ClippedToClient(const Window& window, const RECT* rect)
{
    const RECT client = window.ClientRect();
    if (!rect) return client;
    RECT clipped;
    if (!IntersectRect(&clipped, rect, &client)) return std::nullopt;
    return clipped;
}

void Invalidate(Window& window, const RECT* rect)
{
    const std::optional<RECT> area = ClippedToClient(window, rect);
    if (!area) return;
    if (!window.invalid) {
        window.invalid = *area;
        return;
    }
    RECT merged;
    UnionRect(&merged, &*window.invalid, &*area);
    window.invalid = merged;
}

HDC HandOutDC(Window& window)
{
    HDC dc = gdi::CreateSurfaceDC(&window.client);
    if (dc) window.dcs.push_back(dc);
    return dc;
}

bool TakeBackDC(Window& window, HDC dc)
{
    const auto found = std::find(window.dcs.begin(), window.dcs.end(), dc);
    if (!dc || found == window.dcs.end()) return false;
    window.dcs.erase(found);
    DeleteDC(dc);
    user::MarkFrameDirty(window);
    return true;
}

}  // namespace

// The erase flag is ignored: nothing is ever erased, the window has no background.
BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL)
{
    if (!handle) {
        user::System().windows.ForEach([&](Window& window) { Invalidate(window, rect); });
        return TRUE;
    }
    Window* window = user::FindWindow(handle);
    if (!window) return FALSE;
    Invalidate(*window, rect);
    return TRUE;
}

HDC BeginPaint(HWND handle, LPPAINTSTRUCT paint)
{
    Window* window = user::FindWindow(handle);
    if (!window || !paint) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->rcPaint = window->invalid.value_or(RECT{0, 0, 0, 0});
    paint->fErase = FALSE;
    window->invalid.reset();
    paint->hdc = HandOutDC(*window);
    return paint->hdc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint)
{
    Window* window = user::FindWindow(handle);
    if (!window || !paint) return FALSE;
    TakeBackDC(*window, paint->hdc);
    return TRUE;
}

HDC GetDC(HWND handle)
{
    Window* window = user::FindWindow(handle);
    return window ? HandOutDC(*window) : nullptr;
}

int ReleaseDC(HWND handle, HDC dc)
{
    Window* window = user::FindWindow(handle);
    return window && TakeBackDC(*window, dc) ? 1 : 0;
}
