#pragma once
// Device contexts: where drawing goes (a surface) and the attributes it is drawn with.

#include "platform/gdi/gdi32.h"
#include "platform/gdi/objects.h"

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
};

DeviceContext* FindDC(HDC dc);

// The surface pixel that shows a colour: itself on colour surfaces; on monochrome ones,
// 1 (white) for light colours and 0 (black) for dark ones.
std::uint32_t SurfacePixel(const Surface& surface, COLORREF color);

// The colour that a surface pixel shows (monochrome 1 is white, 0 black).
COLORREF SurfaceColor(const Surface& surface, std::uint32_t pixel);

}  // namespace gdi
