#pragma once
// Device contexts: where drawing goes (a surface) and the attributes it is drawn with.

#include "platform/gdi/gdi32.h"
#include "platform/gdi/objects.h"

#include <optional>

namespace gdi {

class DeviceContext : public Object {
public:
    // A memory DC (drawing on whichever bitmap is selected) or a DC over a caller's
    // surface (the window's).
    explicit DeviceContext(Surface* external);

    bool Memory() const { return external == nullptr; }
    Surface* Target() const;

    Surface* const external;
    HGDIOBJ pen;
    HGDIOBJ brush;
    HGDIOBJ font;
    HGDIOBJ bitmap;
    int mapMode = MM_TEXT;
    int bkMode = OPAQUE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    POINT position{0, 0};
    std::optional<RECT> clip;  // drawing stays inside it; none: the whole surface
    mutable bool drawn = false;  // something was drawn through it since it was last asked
};

DeviceContext* FindDC(HDC dc);

// Where drawing on `surface` through `dc` may land: the surface, cut to the DC's clip
// rectangle (possibly empty).
RECT DrawableArea(const DeviceContext& dc, const Surface& surface);
// The same, for an operation that draws now: the DC notes that it was drawn through.
RECT DrawingArea(const DeviceContext& dc, const Surface& surface);

// The surface pixel that shows a colour: itself on colour surfaces; on monochrome ones,
// 1 (white) for light colours and 0 (black) for dark ones.
std::uint32_t SurfacePixel(const Surface& surface, COLORREF color);

// The colour that a surface pixel shows (monochrome 1 is white, 0 black).
COLORREF SurfaceColor(const Surface& surface, std::uint32_t pixel);

}  // namespace gdi
