#pragma once
// A window's picture as the host shows it, rows top to bottom: the menu bar over the
// client area. Its rows come from the window's kept frame alone, or (while no pop-up
// covers the client area) the bar's from the frame and the client area's straight from
// the client surface, so that what a paint changed is shown without one more copy.

#include "platform/gdi/surface.h"

#include <algorithm>
#include <cstdint>

namespace user {

class FrameView {
public:
    // Every row from one surface.
    explicit FrameView(const gdi::Surface& whole)
        : top(&whole), bottom(&whole), split(whole.Height()), height(whole.Height())
    {
    }
    // The first `barHeight` rows from the top of `bar`, the others from `client`, which
    // is as wide.
    FrameView(const gdi::Surface& bar, int barHeight, const gdi::Surface& client)
        : top(&bar), bottom(&client), split(barHeight), height(barHeight + client.Height())
    {
    }

    int Width() const { return top->Width(); }
    int Height() const { return height; }
    const std::uint32_t* Row(int y) const { return y < split ? top->Row(y) : bottom->Row(y - split); }
    // Where the rows from `y` on stop following each other in memory (`Width()` pixels
    // apart), if before `end`.
    int ContiguousEnd(int y, int end) const { return y < split ? std::min(end, split) : end; }

private:
    const gdi::Surface* top;
    const gdi::Surface* bottom;
    int split;
    int height;
};

}  // namespace user
