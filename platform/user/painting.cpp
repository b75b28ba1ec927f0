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

// A window keeps what is invalid as rectangles (so that a paint, and the present after
// it, need not cover their bounding box) and as their bounding box, which is rcPaint.
// Past this many rectangles they become their bounding box.
constexpr std::size_t kMaxInvalidParts = 64;

bool Covers(const RECT& outer, const RECT& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

void AddPart(std::vector<RECT>& parts, const RECT& area)
{
    for (const RECT& part : parts)
        if (Covers(part, area)) return;
    std::erase_if(parts, [&](const RECT& part) { return Covers(area, part); });
    parts.push_back(area);
}

void Invalidate(Window& window, const RECT* rect)
{
    const std::optional<RECT> area = ClippedToClient(window, rect);
    if (!area) return;
    if (!window.invalid) {
        window.invalid = *area;
    } else {
        RECT merged;
        UnionRect(&merged, &*window.invalid, &*area);
        window.invalid = merged;
    }
    AddPart(window.invalidParts, *area);
    if (window.invalidParts.size() > kMaxInvalidParts) window.invalidParts.assign(1, *window.invalid);
}

void ClearInvalid(Window& window)
{
    window.invalid.reset();
    window.invalidParts.clear();
}

HDC HandOutDC(Window& window)
{
    HDC dc = gdi::CreateSurfaceDC(&window.client);
    if (dc) window.dcs.push_back(dc);
    return dc;
}

// What a paint changed is what it was asked to repaint; a DC taken with GetDC that was
// drawn on may have changed anything.
bool TakeBackDC(Window& window, HDC dc, const std::vector<RECT>& painted)
{
    const auto found = std::find(window.dcs.begin(), window.dcs.end(), dc);
    if (!dc || found == window.dcs.end()) return false;
    window.dcs.erase(found);
    const bool drawn = gdi::TakeDrawnMark(dc);
    DeleteDC(dc);
    if (drawn && painted.empty())
        window.clientDamage.assign(1, window.ClientRect());
    else
        window.clientDamage.insert(window.clientDamage.end(), painted.begin(), painted.end());
    // A window that is not presented (hidden, or not shown by the host) keeps no long list.
    if (window.clientDamage.size() > kMaxInvalidParts) window.clientDamage.assign(1, window.ClientRect());
    if (drawn || !painted.empty()) user::MarkFrameDirty(window);
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

// Validating takes away every invalid rectangle that the given one covers (all of them
// when it is null); one that it covers only in part stays whole.
BOOL ValidateRect(HWND handle, const RECT* rect)
{
    Window* window = user::FindWindow(handle);
    if (!window) return FALSE;
    if (!rect) {
        ClearInvalid(*window);
        return TRUE;
    }
    std::erase_if(window->invalidParts, [&](const RECT& part) { return Covers(*rect, part); });
    if (window->invalidParts.empty()) {
        window->invalid.reset();
        return TRUE;
    }
    RECT box = window->invalidParts.front();
    for (const RECT& part : window->invalidParts) UnionRect(&box, &box, &part);
    window->invalid = box;
    return TRUE;
}

BOOL GetUpdateRect(HWND handle, LPRECT rect, BOOL)
{
    Window* window = user::FindWindow(handle);
    if (!window) return FALSE;
    if (rect) *rect = window->invalid.value_or(RECT{0, 0, 0, 0});
    return window->invalid ? TRUE : FALSE;
}

BOOL RedrawWindow(HWND handle, const RECT* rect, HRGN region, UINT flags)
{
    Window* window = user::FindWindow(handle);
    if (!window || region) return FALSE;
    if (flags & RDW_INVALIDATE) Invalidate(*window, rect);
    if (flags & RDW_INTERNALPAINT) window->internalPaint = true;
    return TRUE;
}

HDC BeginPaint(HWND handle, LPPAINTSTRUCT paint)
{
    Window* window = user::FindWindow(handle);
    if (!window || !paint) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->rcPaint = window->invalid.value_or(RECT{0, 0, 0, 0});
    paint->fErase = FALSE;
    window->painting.swap(window->invalidParts);  // both keep their storage: no allocation a frame
    ClearInvalid(*window);
    window->internalPaint = false;
    paint->hdc = HandOutDC(*window);
    // Windows clips a paint's DC to the update region; ours to its bounding box.
    const RECT& box = paint->rcPaint;
    if (paint->hdc) IntersectClipRect(paint->hdc, box.left, box.top, box.right, box.bottom);
    return paint->hdc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint)
{
    Window* window = user::FindWindow(handle);
    if (!window || !paint) return FALSE;
    TakeBackDC(*window, paint->hdc, window->painting);
    window->painting.clear();
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
    return window && TakeBackDC(*window, dc, {}) ? 1 : 0;
}
