#include "platform/user/frame_damage.h"

#include "platform/user/user32.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace user {
namespace {

constexpr std::size_t kPixelSize = sizeof(std::uint32_t);

bool TileDiffers(const gdi::Surface& source, int sourceTop, const gdi::Surface& kept, int keptTop, int rows, int left,
                 int width)
{
    for (int y = 0; y < rows; ++y)
        if (std::memcmp(source.Row(sourceTop + y) + left, kept.Row(keptTop + y) + left, kPixelSize * width) != 0)
            return true;
    return false;
}

void CopyTile(const gdi::Surface& source, int sourceTop, gdi::Surface& kept, int keptTop, int rows, int left, int width)
{
    for (int y = 0; y < rows; ++y)
        std::memcpy(kept.Row(keptTop + y) + left, source.Row(sourceTop + y) + left, kPixelSize * width);
}

// A run of changed columns in one band joins the rectangle right above it when that
// spans the same columns; otherwise it starts a rectangle of its own.
void AddRun(std::vector<RECT>& damage, std::size_t bandStart, RECT run)
{
    for (std::size_t i = bandStart; i-- > 0;) {
        RECT& above = damage[i];
        if (above.bottom == run.top && above.left == run.left && above.right == run.right) {
            above.bottom = run.bottom;
            return;
        }
    }
    damage.push_back(run);
}

}  // namespace

void CopyChangedTiles(const gdi::Surface& source, gdi::Surface& kept, int keptTop, std::vector<RECT>& damage)
{
    const int width = std::min(source.Width(), kept.Width());
    const int height = std::min(source.Height(), kept.Height() - keptTop);
    for (int top = 0; top < height; top += kDamageBandRows) {
        const int rows = std::min(kDamageBandRows, height - top);
        const std::size_t bandStart = damage.size();
        std::optional<RECT> run;
        for (int left = 0; left < width; left += kDamageChunkPixels) {
            const int chunk = std::min(kDamageChunkPixels, width - left);
            if (!TileDiffers(source, top, kept, keptTop + top, rows, left, chunk)) continue;
            CopyTile(source, top, kept, keptTop + top, rows, left, chunk);
            if (run && run->right == left) {
                run->right = left + chunk;
                continue;
            }
            if (run) AddRun(damage, bandStart, *run);
            run = RECT{left, keptTop + top, left + chunk, keptTop + top + rows};
        }
        if (run) AddRun(damage, bandStart, *run);
    }
}

void CopyWhole(const gdi::Surface& source, gdi::Surface& kept, int keptTop, std::vector<RECT>& damage)
{
    const int width = std::min(source.Width(), kept.Width());
    const int height = std::min(source.Height(), kept.Height() - keptTop);
    if (width <= 0 || height <= 0) return;
    CopyTile(source, 0, kept, keptTop, height, 0, width);
    damage.push_back(RECT{0, keptTop, width, keptTop + height});
}

void CopyParts(const FrameView& source, const std::vector<RECT>& parts, gdi::Surface& kept)
{
    const RECT bounds{0, 0, source.Width(), source.Height()};
    for (const RECT& rect : parts) {
        RECT part;
        if (!IntersectRect(&part, &rect, &bounds)) continue;
        for (int y = part.top; y < part.bottom; ++y)
            std::memcpy(kept.Row(y) + part.left, source.Row(y) + part.left,
                        kPixelSize * static_cast<std::size_t>(part.right - part.left));
    }
}

}  // namespace user
