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

constexpr RECT Unclipped{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};

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

// Half-open mask columns or rows [begin, end).
struct Steps {
    int begin;
    int end;
};

// The steps w in [0, count) that put origin + w * step (step -1 or 1) in [low, high).
Steps StepsWithin(LONG origin, LONG step, LONG low, LONG high, int count)
{
    const long long o = origin, first = step > 0 ? low - o : o - high + 1, last = step > 0 ? high - o : o - low + 1;
    return Steps{static_cast<int>(std::clamp<long long>(first, 0, count)),
                 static_cast<int>(std::clamp<long long>(last, 0, count))};
}

// The steps along `direction` (a quarter turn: one of its parts is 0) that stay in the clip.
Steps StepsInClip(POINT origin, POINT direction, const RECT& clip, int count)
{
    if (direction.x != 0) return StepsWithin(origin.x, direction.x, clip.left, clip.right, count);
    return StepsWithin(origin.y, direction.y, clip.top, clip.bottom, count);
}

// Only the part of the mask that lands in the clip is visited: the turns are quarter
// turns, so mask columns map to one axis and mask rows to the other.
void DrawMask(Surface& surface, const TextMask& mask, const Turn& turn, const RECT& clip, const Ink& ink)
{
    const Steps columns = StepsInClip(turn.origin, turn.along, clip, mask.width);
    const Steps rows = StepsInClip(turn.origin, turn.across, clip, mask.height);
    for (int v = rows.begin; v < rows.end; ++v) {
        for (int u = columns.begin; u < columns.end; ++u) {
            const int x = turn.origin.x + u * turn.along.x + v * turn.across.x;
            const int y = turn.origin.y + u * turn.along.y + v * turn.across.y;
            const unsigned coverage = mask.coverage[static_cast<std::size_t>(v) * mask.width + u];
            if (coverage == 0 && !ink.opaque) continue;
            std::uint32_t& pixel = surface.Row(y)[x];
            pixel = ink.Over(pixel, coverage);
        }
    }
}

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
             Intersection(clip, DrawingArea(dc, *surface)), ink);
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

// DrawText's lines: the whole text with DT_SINGLELINE, else split at CR LF, LF or CR.
std::vector<std::string_view> Lines(std::string_view text, UINT format)
{
    if (format & DT_SINGLELINE) return {text};
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\n' && text[i] != '\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return lines;
}

// The block of lines inside the rectangle: left, centred or right; top, or for a single
// line centred or bottom. Halves truncate towards zero.
LONG AlignedX(const RECT& rect, LONG width, UINT format)
{
    if (format & DT_CENTER) return rect.left + (rect.right - rect.left - width) / 2;
    if (format & DT_RIGHT) return rect.right - width;
    return rect.left;
}

LONG AlignedY(const RECT& rect, LONG height, UINT format)
{
    if (!(format & DT_SINGLELINE)) return rect.top;
    if (format & DT_VCENTER) return rect.top + (rect.bottom - rect.top - height) / 2;
    if (format & DT_BOTTOM) return rect.bottom - height;
    return rect.top;
}

}  // namespace
}  // namespace gdi

BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int length)
{
    gdi::DeviceContext* context = gdi::FindDC(dc);
    const std::optional<std::string_view> shown = gdi::Text(text, length);
    if (!context || !shown) return FALSE;
    return gdi::Write(*context, POINT{x, y}, *shown, gdi::Unclipped) ? TRUE : FALSE;
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
    gdi::FontFace* face = context ? gdi::SelectedFace(*context) : nullptr;
    // A length of -1 means the text ends at its terminating zero.
    if (text && length == -1) length = static_cast<int>(std::strlen(text));
    const std::optional<std::string_view> given = gdi::Text(text, length);
    if (!face || !given || !rect) return 0;
    const std::string shown = (format & DT_NOPREFIX) ? std::string(*given) : gdi::WithoutPrefixes(*given);
    const std::vector<std::string_view> lines = gdi::Lines(shown, format);
    const LONG lineHeight = gdi::CellHeight(*face), height = lineHeight * static_cast<LONG>(lines.size());
    LONG width = 0;
    for (const std::string_view line : lines) width = std::max(width, gdi::Measure(*face, line).cx);
    if (format & DT_CALCRECT) {
        rect->right = rect->left + width;
        rect->bottom = rect->top + height;
        return height;
    }
    const LONG top = gdi::AlignedY(*rect, height, format);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const POINT at{gdi::AlignedX(*rect, gdi::Measure(*face, lines[i]).cx, format),
                       top + lineHeight * static_cast<LONG>(i)};
        if (!gdi::Write(*context, at, lines[i], (format & DT_NOCLIP) ? gdi::Unclipped : *rect)) return 0;
    }
    // With DT_VCENTER or DT_BOTTOM the result is the offset from the top to the text's end.
    return top - rect->top + height;
}
