#pragma once
// Filling shapes on a surface, one row at a time. A shape is described by the runs of
// pixels it covers on each row; its outline is every covered pixel that touches an
// uncovered one above, below, left or right, and the rest is its interior. That one
// rule gives a rectangle's one-pixel border and an ellipse's or pie's outline alike.

#include "platform/gdi/surface.h"

#include <array>
#include <cstdint>
#include <optional>

namespace gdi {

// Half-open pixel columns [begin, end).
struct Run {
    int begin;
    int end;
};

// The few runs a convex shape, or a pie with a wide sweep, covers on one row.
class Runs {
public:
    void Add(int begin, int end);
    int Count() const { return count; }
    const Run& operator[](int i) const { return runs[static_cast<std::size_t>(i)]; }
    const Run* begin() const { return runs.data(); }
    const Run* end() const { return runs.data() + count; }

private:
    std::array<Run, 4> runs{};
    int count = 0;
};

Runs Intersect(const Runs& a, const Runs& b);

class Shape {
public:
    virtual ~Shape() = default;
    virtual int Top() const = 0;     // first row
    virtual int Bottom() const = 0;  // one past the last row
    virtual Runs Row(int y) const = 0;
};

// Paints a shape clipped to `area` (which lies on the surface): its outline in
// `outline`, its interior in `fill`; a missing colour leaves those pixels alone.
void PaintShape(Surface& surface, const RECT& area, const Shape& shape, std::optional<std::uint32_t> outline,
                std::optional<std::uint32_t> fill);

// Sets the pixels [x0, x1) of row y that lie in `area` (which lies on the surface).
void FillSpan(Surface& surface, const RECT& area, int y, int x0, int x1, std::uint32_t pixel);

}  // namespace gdi
