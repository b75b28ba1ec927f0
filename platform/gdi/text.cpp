// TextOut, DrawText and text measurement. A string is laid out unturned into a coverage
// mask one text cell high, which is then drawn turned by the font's escapement about the
// reference point, the top-left corner of the unturned cell.

#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gdi {
namespace {

struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
};

FontFace* SelectedFace(const DeviceContext& dc)
{
    Font* font = FindAs<Font>(dc.font, Kind::Font);
    return font ? font->Face() : nullptr;
}

SIZE Measure(FontFace& face, std::string_view text)
{
    LONG width = 0;
    for (const char c : text) width += GlyphOf(face, static_cast<unsigned char>(c)).advance;
    return SIZE{width, CellHeight(face)};
}

void Stamp(TextMask& mask, const Glyph& glyph, int penX, int baseline)
{
    for (int y = 0; y < glyph.height; ++y) {
        const int row = baseline - glyph.top + y;
        if (row < 0 || row >= mask.height) continue;
        for (int x = 0; x < glyph.width; ++x) {
            const int column = penX + glyph.left + x;
            if (column < 0 || column >= mask.width) continue;
            std::uint8_t& out = mask.coverage[static_cast<std::size_t>(row) * mask.width + column];
            out = std::max(out, glyph.coverage[static_cast<std::size_t>(y) * glyph.width + x]);
        }
    }
}

TextMask Compose(FontFace& face, std::string_view text)
{
    const SIZE size = Measure(face, text);
    TextMask mask{size.cx, size.cy, std::vector<std::uint8_t>(static_cast<std::size_t>(size.cx) * size.cy, 0)};
    int penX = 0;
    for (const char c : text) {
        const Glyph& glyph = GlyphOf(face, static_cast<unsigned char>(c));
        Stamp(mask, glyph, penX, Ascent(face));
        penX += glyph.advance;
    }
    return mask;
}

// Where the mask pixel (u, v) lands: origin + u * along + v * across. The four quarter
// turns of 0, 900, 1800 and 2700 tenths of a degree, counter-clockwise on screen.
struct Turn {
    POINT origin;
    POINT along;
    POINT across;
};

Turn TurnFor(LONG escapement, POINT at)
{
    const long quarter = ((std::lround(escapement / 900.0) % 4) + 4) % 4;
    switch (quarter) {
    case 1: return Turn{{at.x, at.y - 1}, {0, -1}, {1, 0}};       // runs upward, tops face left
    case 2: return Turn{{at.x - 1, at.y - 1}, {-1, 0}, {0, -1}};  // upside down, runs left
    case 3: return Turn{{at.x - 1, at.y}, {0, 1}, {-1, 0}};       // runs downward, tops face right
    default: return Turn{at, {1, 0}, {0, 1}};
    }
}

std::uint32_t Mix(std::uint32_t base, std::uint32_t ink, unsigned coverage)
{
    std::uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned b = (base >> shift) & 0xFF, i = (ink >> shift) & 0xFF;
        mixed |= ((i * coverage + b * (255 - coverage) + 127) / 255) << shift;
    }
    return mixed;
}

// Text pixels blend the text colour over the background colour (opaque mode) or over
// what is there (transparent mode); monochrome surfaces take the nearer of the two.
struct Ink {
    std::uint32_t text;
    bool opaque;
    std::uint32_t background;
    bool monochrome;

    std::uint32_t Over(std::uint32_t existing, unsigned coverage) const
    {
        const std::uint32_t base = opaque ? background : existing;
        if (monochrome) return coverage >= 128 ? text : base;
        return Mix(base, text, coverage);
    }
};

void DrawMask(Surface& surface, const TextMask& mask, const Turn& turn, const RECT& clip, const Ink& ink)
{
    for (int v = 0; v < mask.height; ++v) {
        for (int u = 0; u < mask.width; ++u) {
            const int x = turn.origin.x + u * turn.along.x + v * turn.across.x;
            const int y = turn.origin.y + u * turn.along.y + v * turn.across.y;
            if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) continue;
            const unsigned coverage = mask.coverage[static_cast<std::size_t>(v) * mask.width + u];
            if (coverage == 0 && !ink.opaque) continue;
            std::uint32_t& pixel = surface.Row(y)[x];
            pixel = ink.Over(pixel, coverage);
        }
    }
}

RECT Bounds(const Surface& surface) { return RECT{0, 0, surface.Width(), surface.Height()}; }

RECT Intersection(const RECT& a, const RECT& b)
{
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool Write(DeviceContext& dc, POINT at, std::string_view text, const RECT& clip)
{
    Surface* surface = dc.Target();
    FontFace* face = SelectedFace(dc);
    const Font* font = FindAs<Font>(dc.font, Kind::Font);
    if (!surface || !face) return false;
    const Ink ink{SurfacePixel(*surface, dc.textColor), dc.bkMode == OPAQUE, SurfacePixel(*surface, dc.bkColor),
                  surface->Monochrome()};
    DrawMask(*surface, Compose(*face, text), TurnFor(font->logfont.lfEscapement, at),
             Intersection(clip, Bounds(*surface)), ink);
    return true;
}

// Without DT_NOPREFIX an ampersand marks the next character as a mnemonic and is not
// shown; "&&" shows one ampersand.
std::string WithoutPrefixes(std::string_view text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') ++i;
        if (i < text.size()) shown += text[i];
    }
    return shown;
}

std::optional<std::string_view> Text(LPCSTR text, int length)
{
    if (!text || length < 0) return std::nullopt;
    return std::string_view(text, static_cast<std::size_t>(length));
}

BOOL ExtentOf(HDC dc, LPCSTR text, int length, LPSIZE size)
{
    const DeviceContext* context = FindDC(dc);
    FontFace* face = context ? SelectedFace(*context) : nullptr;
    const std::optional<std::string_view> shown = Text(text, length);
    if (!face || !shown || !size) return FALSE;
    *size = Measure(*face, *shown);
    return TRUE;
}

// DrawText's single line inside the rectangle: left, centred or right; top, centred or
// bottom. Halves truncate towards zero.
POINT AlignedIn(const RECT& rect, SIZE size, UINT format)
{
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    POINT at{rect.left, rect.top};
    if (format & DT_CENTER) at.x = rect.left + (width - size.cx) / 2;
    else if (format & DT_RIGHT) at.x = rect.right - size.cx;
    if (format & DT_VCENTER) at.y = rect.top + (height - size.cy) / 2;
    else if (format & DT_BOTTOM) at.y = rect.bottom - size.cy;
    return at;
}

}  // namespace
}  // namespace gdi

BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length)
{
    gdi::DeviceContext* context = gdi::FindDC(dc);
    const std::optional<std::string_view> shown = gdi::Text(text, length);
    if (!context || !shown) return FALSE;
    const RECT everywhere{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    return gdi::Write(*context, POINT{x, y}, *shown, everywhere) ? TRUE : FALSE;
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size)
{
    return gdi::ExtentOf(dc, text, length, size);
}

BOOL GetTextExtentPoint(HDC dc, LPCSTR text, int length, LPSIZE size)
{
    return gdi::ExtentOf(dc, text, length, size);
}

int DrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    gdi::DeviceContext* context = gdi::FindDC(dc);
    // A length of -1 means the text ends at its terminating zero.
    if (text && length == -1) length = static_cast<int>(std::strlen(text));
    std::optional<std::string_view> given = gdi::Text(text, length);
    if (!context || !given || !rect) return 0;
    const std::string shown = (format & DT_NOPREFIX) ? std::string(*given) : gdi::WithoutPrefixes(*given);
    SIZE size{};
    if (!gdi::ExtentOf(dc, shown.data(), static_cast<int>(shown.size()), &size)) return 0;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + size.cx;
        rect->bottom = rect->top + size.cy;
        return size.cy;
    }
    const POINT at = gdi::AlignedIn(*rect, size, format);
    const RECT everywhere{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    if (!gdi::Write(*context, at, shown, (format & DT_NOCLIP) ? everywhere : *rect)) return 0;
    return (format & (DT_VCENTER | DT_BOTTOM)) ? at.y - rect->top + size.cy : size.cy;
}
