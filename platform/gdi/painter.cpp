#include "platform/gdi/painter.h"

#include <algorithm>

namespace gdi {

void Runs::Add(int begin, int end)
{
    if (begin >= end || count == static_cast<int>(runs.size())) return;
    if (count > 0 && runs[static_cast<std::size_t>(count - 1)].end == begin) {
        runs[static_cast<std::size_t>(count - 1)].end = end;
        return;
    }
    runs[static_cast<std::size_t>(count++)] = Run{begin, end};
}

Runs Intersect(const Runs& a, const Runs& b)
{
    Runs both;
    for (const Run& x : a)
        for (const Run& y : b) both.Add(std::max(x.begin, y.begin), std::min(x.end, y.end));
    return both;
}

void FillSpan(Surface& surface, const RECT& area, int y, int x0, int x1, std::uint32_t pixel)
{
    if (y < area.top || y >= area.bottom) return;
    x0 = std::max<int>(x0, area.left);
    x1 = std::min<int>(x1, area.right);
    if (x0 < x1) std::fill(surface.Row(y) + x0, surface.Row(y) + x1, pixel);
}

namespace {

void PaintRun(Surface& surface, const RECT& area, int y, const Run& run, const Runs& interior,
              std::optional<std::uint32_t> outline, std::optional<std::uint32_t> fill)
{
    int x = run.begin;
    for (const Run& inner : interior) {
        if (outline) FillSpan(surface, area, y, x, inner.begin, *outline);
        if (fill) FillSpan(surface, area, y, inner.begin, inner.end, *fill);
        x = inner.end;
    }
    if (outline) FillSpan(surface, area, y, x, run.end, *outline);
}

}  // namespace

void PaintShape(Surface& surface, const RECT& area, const Shape& shape, std::optional<std::uint32_t> outline,
                std::optional<std::uint32_t> fill)
{
    const int top = std::max<int>(shape.Top(), area.top);
    const int bottom = std::min<int>(shape.Bottom(), area.bottom);
    if (top >= bottom) return;
    Runs above = shape.Row(top - 1);
    Runs current = shape.Row(top);
    for (int y = top; y < bottom; ++y) {
        const Runs below = shape.Row(y + 1);
        const Runs covered = Intersect(above, below);
        for (const Run& run : current) {
            Runs inner;
            inner.Add(run.begin + 1, run.end - 1);
            PaintRun(surface, area, y, run, Intersect(inner, covered), outline, fill);
        }
        above = current;
        current = below;
    }
}

}  // namespace gdi
