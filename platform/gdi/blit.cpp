// BitBlt: clip the block to the destination's drawable area and the source surface, bring each source row into the destination's
// format, then combine it with the destination row by the raster operation.

#include "platform/gdi/dc.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace gdi {
namespace {

struct Block {
    int x, y, width, height, sx, sy;
};

// Moves the block's edges on one axis inward until its destination lies in the drawable
// span [destStart, destLimit) and its source in [0, sourceLimit).
void ClipAxis(int& dest, int& source, int& length, int destStart, int destLimit, int sourceLimit)
{
    const int skip = std::max({0, destStart - dest, -source});
    dest += skip;
    source += skip;
    length -= skip;
    length = std::min({length, destLimit - dest, sourceLimit - source});
}

bool Clip(Block& block, const RECT& destArea, const Surface& source)
{
    ClipAxis(block.x, block.sx, block.width, destArea.left, destArea.right, source.Width());
    ClipAxis(block.y, block.sy, block.height, destArea.top, destArea.bottom, source.Height());
    return block.width > 0 && block.height > 0;
}

// Monochrome to colour: a 1 bit becomes the destination's background colour and a 0 bit
// its text colour. Colour to monochrome: the source's background colour becomes 1 and
// everything else 0. Between surfaces of one kind the row is used as it is.
class RowConverter {
public:
    RowConverter(const DeviceContext& dest, const Surface& destSurface, const DeviceContext& source,
                 const Surface& sourceSurface, int width)
        : toColour(sourceSurface.Monochrome() && !destSurface.Monochrome()),
          toMonochrome(!sourceSurface.Monochrome() && destSurface.Monochrome()),
          one(PixelFromColor(dest.bkColor)),
          zero(PixelFromColor(dest.textColor)),
          sourceBackground(PixelFromColor(source.bkColor)),
          width(static_cast<std::size_t>(width)),
          buffer(Scratch(this->width))
    {
    }

    const std::uint32_t* operator()(const std::uint32_t* row)
    {
        if (toColour)
            std::transform(row, row + width, buffer.begin(), [this](std::uint32_t bit) { return bit ? one : zero; });
        else if (toMonochrome)
            std::transform(row, row + width, buffer.begin(),
                           [this](std::uint32_t pixel) { return (pixel & 0xFFFFFF) == sourceBackground ? 1u : 0u; });
        else
            return row;
        return buffer.data();
    }

private:
    // One row of converted pixels, kept from blit to blit so that drawing a sprite
    // every frame allocates nothing.
    static std::vector<std::uint32_t>& Scratch(std::size_t width)
    {
        thread_local std::vector<std::uint32_t> scratch;
        if (scratch.size() < width) scratch.resize(width);
        return scratch;
    }

    bool toColour, toMonochrome;
    std::uint32_t one, zero, sourceBackground;
    std::size_t width;
    std::vector<std::uint32_t>& buffer;
};

bool KnownRop(DWORD rop)
{
    return rop == SRCCOPY || rop == SRCAND || rop == SRCPAINT;
}

void Combine(DWORD rop, std::uint32_t* dest, const std::uint32_t* source, int width)
{
    switch (rop) {
    case SRCCOPY:
        std::memmove(dest, source, static_cast<std::size_t>(width) * sizeof(std::uint32_t));
        break;
    case SRCAND:
        for (int i = 0; i < width; ++i) dest[i] &= source[i];
        break;
    case SRCPAINT:
        for (int i = 0; i < width; ++i) dest[i] |= source[i];
        break;
    }
}

// A copy of the source block, so that a blit within one surface reads the pixels as
// they were before it started writing.
Surface Snapshot(const Surface& source, const Block& block)
{
    Surface copy(block.width, block.height, source.Monochrome());
    for (int row = 0; row < block.height; ++row)
        std::memcpy(copy.Row(row), source.Row(block.sy + row) + block.sx,
                    static_cast<std::size_t>(block.width) * sizeof(std::uint32_t));
    return copy;
}

void Blit(const DeviceContext& destDC, Surface& dest, const DeviceContext& sourceDC, const Surface& source,
          Block block, DWORD rop)
{
    RowConverter convert(destDC, dest, sourceDC, source, block.width);
    for (int row = 0; row < block.height; ++row)
        Combine(rop, dest.Row(block.y + row) + block.x, convert(source.Row(block.sy + row) + block.sx),
                block.width);
}

}  // namespace
}  // namespace gdi

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop)
{
    const gdi::DeviceContext* destDC = gdi::FindDC(dest);
    const gdi::DeviceContext* sourceDC = gdi::FindDC(source);
    gdi::Surface* destSurface = destDC ? destDC->Target() : nullptr;
    const gdi::Surface* sourceSurface = sourceDC ? sourceDC->Target() : nullptr;
    if (!destSurface || !sourceSurface || !gdi::KnownRop(rop) || width < 0 || height < 0) return FALSE;
    gdi::Block block{x, y, width, height, sx, sy};
    if (!gdi::Clip(block, gdi::DrawingArea(*destDC, *destSurface), *sourceSurface)) return TRUE;
    if (destSurface != sourceSurface) {
        gdi::Blit(*destDC, *destSurface, *sourceDC, *sourceSurface, block, rop);
        return TRUE;
    }
    const gdi::Surface copy = gdi::Snapshot(*sourceSurface, block);
    block.sx = 0;
    block.sy = 0;
    gdi::Blit(*destDC, *destSurface, *sourceDC, copy, block, rop);
    return TRUE;
}
