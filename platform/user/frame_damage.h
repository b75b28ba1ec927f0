#pragma once
// What changed between two pictures of a window, found by comparing pixels: the window
// system keeps the frame it last presented, copies into it only the tiles (bands of
// rows cut into chunks of pixels) that differ from the new picture, and hands the host
// those tiles merged into rectangles. Pixels outside them equal the previous present.

#include "platform/gdi/surface.h"
#include "platform/user/frame_view.h"

#include <vector>

namespace user {

constexpr int kDamageBandRows = 16;
constexpr int kDamageChunkPixels = 32;

// Copies the rows of `source` into `kept` from row `keptTop` on, tile by tile, only
// where they differ, and adds each changed tile to `damage` in kept's coordinates
// (tiles next to each other in a band, and runs of the same columns in consecutive
// bands, become one rectangle). Both surfaces are equally wide.
void CopyChangedTiles(const gdi::Surface& source, gdi::Surface& kept, int keptTop, std::vector<RECT>& damage);

// Copies all of `source` into `kept` from row `keptTop` on and adds that band as damage.
void CopyWhole(const gdi::Surface& source, gdi::Surface& kept, int keptTop, std::vector<RECT>& damage);

// Copies the parts of `source` inside the rectangles (clipped to it) to the same places
// in `kept`, which is as large.
void CopyParts(const FrameView& source, const std::vector<RECT>& parts, gdi::Surface& kept);

}  // namespace user
