#include "platform/gdi/dc.h"

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

int SetMapMode(HDC dc, int mode)
{
    DeviceContext* context = FindDC(dc);
    // Only MM_TEXT (one logical unit is one pixel, y downward) is supported.
    if (!context || mode != MM_TEXT) return 0;
    const int previous = context->mapMode;
    context->mapMode = mode;
    return previous;
}

int GetMapMode(HDC dc)
{
    const DeviceContext* context = FindDC(dc);
    return context ? context->mapMode : 0;
}

int SetBkMode(HDC dc, int mode)
{
    DeviceContext* context = FindDC(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = context->bkMode;
    context->bkMode = mode;
    return previous;
}

int GetBkMode(HDC dc)
{
    const DeviceContext* context = FindDC(dc);
    return context ? context->bkMode : 0;
}

COLORREF SetBkColor(HDC dc, COLORREF color)
{
    DeviceContext* context = FindDC(dc);
    if (!context) return CLR_INVALID;
    const COLORREF previous = context->bkColor;
    context->bkColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetBkColor(HDC dc)
{
    const DeviceContext* context = FindDC(dc);
    return context ? context->bkColor : CLR_INVALID;
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    DeviceContext* context = FindDC(dc);
    if (!context) return CLR_INVALID;
    const COLORREF previous = context->textColor;
    context->textColor = color & 0xFFFFFF;
    return previous;
}

COLORREF GetTextColor(HDC dc)
{
    const DeviceContext* context = FindDC(dc);
    return context ? context->textColor : CLR_INVALID;
}

int SetArcDirection(HDC dc, int direction)
{
    DeviceContext* context = FindDC(dc);
    if (!context || (direction != AD_CLOCKWISE && direction != AD_COUNTERCLOCKWISE)) return 0;
    const int previous = context->arcDirection;
    context->arcDirection = direction;
    return previous;
}

int GetArcDirection(HDC dc)
{
    const DeviceContext* context = FindDC(dc);
    return context ? context->arcDirection : 0;
}
