#pragma once
// The pixel surface behind bitmaps and device contexts, for the parts of the platform
// layer that own pixels themselves: the window system keeps the window's client area in
// one, and the hosts present or capture it.

#include "platform/win32_types.h"

#include <cstdint>
#include <vector>

namespace gdi {

// A rectangle of pixels. Colour surfaces hold 0x00RRGGBB per pixel (bytes B, G, R, X in
// memory, the layout of a Windows 32-bit DIB and of SDL's ARGB8888). Monochrome surfaces
// hold 0 or 1 per pixel.
class Surface {
public:
    Surface(int width, int height, bool monochrome);

    int Width() const { return width; }
    int Height() const { return height; }
    bool Monochrome() const { return monochrome; }
    std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const std::uint32_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
    std::uint32_t* Data() { return pixels.data(); }
    const std::uint32_t* Data() const { return pixels.data(); }

private:
    int width;
    int height;
    bool monochrome;
    std::vector<std::uint32_t> pixels;
};

// A device context that draws onto a surface owned by the caller, which must outlive it.
// It is released with DeleteDC (or ReleaseDC by the window system). It counts as a live
// GDI object while it exists.
HDC CreateSurfaceDC(Surface* surface);

// Whether anything was drawn through the device context since it was made or since the
// last time this was asked.
bool TakeDrawnMark(HDC dc);

// The surface a device context currently draws on (its selected bitmap's, or the one it
// was created over), or null.
Surface* SurfaceOf(HDC dc);

// Conversions between COLORREF (0x00BBGGRR) and surface pixels (0x00RRGGBB).
constexpr std::uint32_t PixelFromColor(COLORREF c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ColorFromPixel(std::uint32_t p)
{
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

}  // namespace gdi
