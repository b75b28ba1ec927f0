#include "platform/gdi/dc.h"

#include <algorithm>

namespace gdi {
namespace {

HDC AsDC(HGDIOBJ handle) { return static_cast<HDC>(handle); }

void Select(HGDIOBJ handle)
{
    if (Object* object = Find(handle)) ++object->selections;
}

void Deselect(HGDIOBJ handle)
{
    if (Object* object = Find(handle)) --object->selections;
}

void DeselectAll(const DeviceContext& dc)
{
    for (HGDIOBJ handle : {dc.pen, dc.brush, dc.font, dc.bitmap}) Deselect(handle);
}

}  // namespace

DeviceContext::DeviceContext(Surface* external)
    : Object(Kind::DC),
      external(external),
      pen(GetStockObject(BLACK_PEN)),
      brush(GetStockObject(WHITE_BRUSH)),
      font(GetStockObject(SYSTEM_FONT)),
      bitmap(external ? nullptr : DefaultBitmap())
{
    for (HGDIOBJ handle : {pen, brush, font, bitmap}) Select(handle);
}

Surface* DeviceContext::Target() const
{
    if (external) return external;
    Bitmap* selected = FindAs<Bitmap>(bitmap, Kind::Bitmap);
    return selected ? &selected->surface : nullptr;
}

DeviceContext* FindDC(HDC dc)
{
    return FindAs<DeviceContext>(dc, Kind::DC);
}

RECT DrawableArea(const DeviceContext& dc, const Surface& surface)
{
    RECT area{0, 0, surface.Width(), surface.Height()};
    if (!dc.clip) return area;
    area.left = std::max(area.left, dc.clip->left);
    area.top = std::max(area.top, dc.clip->top);
    area.right = std::max(area.left, std::min(area.right, dc.clip->right));
    area.bottom = std::max(area.top, std::min(area.bottom, dc.clip->bottom));
    return area;
}

RECT DrawingArea(const DeviceContext& dc, const Surface& surface)
{
    const RECT area = DrawableArea(dc, surface);
    if (area.right > area.left && area.bottom > area.top) dc.drawn = true;
    return area;
}

bool TakeDrawnMark(HDC dc)
{
    const DeviceContext* context = FindDC(dc);
    if (!context) return false;
    const bool drawn = context->drawn;
    context->drawn = false;
    return drawn;
}

std::uint32_t SurfacePixel(const Surface& surface, COLORREF color)
{
    if (!surface.Monochrome()) return PixelFromColor(color);
    const int brightness = GetRValue(color) + GetGValue(color) + GetBValue(color);
    return brightness >= 3 * 128 ? 1u : 0u;
}

COLORREF SurfaceColor(const Surface& surface, std::uint32_t pixel)
{
    if (!surface.Monochrome()) return ColorFromPixel(pixel & 0xFFFFFF);
    return pixel ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

HDC CreateSurfaceDC(Surface* surface)
{
    if (!surface) return nullptr;
    return AsDC(Register(std::make_unique<DeviceContext>(surface)));
}

Surface* SurfaceOf(HDC dc)
{
    const DeviceContext* context = FindDC(dc);
    return context ? context->Target() : nullptr;
}

}  // namespace gdi

using gdi::DeviceContext;
using gdi::FindDC;

HDC CreateCompatibleDC(HDC dc)
{
    if (dc && !FindDC(dc)) return nullptr;
    return gdi::AsDC(gdi::Register(std::make_unique<DeviceContext>(nullptr)));
}

BOOL DeleteDC(HDC dc)
{
    const DeviceContext* context = FindDC(dc);
    if (!context) return FALSE;
    gdi::DeselectAll(*context);
    return gdi::Unregister(dc) ? TRUE : FALSE;
}

namespace gdi {
namespace {

// Attributes are set when the DC exists and the value is one it takes; the previous
// value, or `failure`, is returned.
template <class T>
T Exchange(HDC dc, T DeviceContext::*attribute, T value, bool valid, T failure)
{
    DeviceContext* context = FindDC(dc);
    if (!context || !valid) return failure;
    const T previous = context->*attribute;
    context->*attribute = value;
    return previous;
}

template <class T>
T Read(HDC dc, T DeviceContext::*attribute, T failure)
{
    const DeviceContext* context = FindDC(dc);
    return context ? context->*attribute : failure;
}

}  // namespace
}  // namespace gdi

// Only MM_TEXT (one logical unit is one pixel, y downward) is supported.
int SetMapMode(HDC dc, int mode) { return gdi::Exchange(dc, &DeviceContext::mapMode, mode, mode == MM_TEXT, 0); }
int GetMapMode(HDC dc) { return gdi::Read(dc, &DeviceContext::mapMode, 0); }

int SetBkMode(HDC dc, int mode)
{
    return gdi::Exchange(dc, &DeviceContext::bkMode, mode, mode == TRANSPARENT || mode == OPAQUE, 0);
}
int GetBkMode(HDC dc) { return gdi::Read(dc, &DeviceContext::bkMode, 0); }

COLORREF SetBkColor(HDC dc, COLORREF color)
{
    return gdi::Exchange(dc, &DeviceContext::bkColor, color & 0xFFFFFF, true, CLR_INVALID);
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    return gdi::Exchange(dc, &DeviceContext::textColor, color & 0xFFFFFF, true, CLR_INVALID);
}

int SetArcDirection(HDC dc, int direction)
{
    const bool valid = direction == AD_CLOCKWISE || direction == AD_COUNTERCLOCKWISE;
    return gdi::Exchange(dc, &DeviceContext::arcDirection, direction, valid, 0);
}
int GetArcDirection(HDC dc) { return gdi::Read(dc, &DeviceContext::arcDirection, 0); }

namespace gdi {
namespace {

int RegionKind(const RECT& box)
{
    return box.right > box.left && box.bottom > box.top ? SIMPLEREGION : NULLREGION;
}

}  // namespace
}  // namespace gdi

// The new clip is the old one (or the whole plane) cut to the rectangle.
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom)
{
    DeviceContext* context = FindDC(dc);
    if (!context) return ERROR;
    RECT box{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    if (context->clip) {
        const RECT& old = *context->clip;
        box = RECT{std::max(box.left, old.left), std::max(box.top, old.top), std::min(box.right, old.right),
                   std::min(box.bottom, old.bottom)};
        if (box.right < box.left || box.bottom < box.top) box = RECT{0, 0, 0, 0};
    }
    context->clip = box;
    return gdi::RegionKind(box);
}

int SelectClipRgn(HDC dc, HRGN region)
{
    DeviceContext* context = FindDC(dc);
    if (!context || region) return ERROR;
    context->clip.reset();
    return SIMPLEREGION;
}

// The clip rectangle, or the surface's bounds when there is none.
int GetClipBox(HDC dc, LPRECT rect)
{
    const DeviceContext* context = FindDC(dc);
    const gdi::Surface* surface = context ? context->Target() : nullptr;
    if (!surface || !rect) return ERROR;
    *rect = gdi::DrawableArea(*context, *surface);
    return gdi::RegionKind(*rect);
}
