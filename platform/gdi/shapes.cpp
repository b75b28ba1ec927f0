// Rectangle, Ellipse, Pie, lines and single pixels. Every shape opens the same way: find
// the DC's surface, normalise the box, decide pen and brush, then paint the shape's rows.

#include "platform/gdi/dc.h"
#include "platform/gdi/painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace gdi {
namespace {

// Pixel (x, y) is sampled at its centre (x + 0.5, y + 0.5); a tiny tolerance keeps
// samples that lie exactly on a curve inside it on both sides alike.
constexpr double Tolerance = 1e-9;
constexpr double EdgeInset = 0.1;
// A pie's rays start at a pixel corner, the integer centre. Its pixels are tested at
// their top-left corners nudged right and a little less down, which puts a pixel on a
// ray inside when the pie lies right of or below the ray: GDI's top-left fill rule.
constexpr double NudgeX = 1e-6;
constexpr double NudgeY = 1e-12;

struct Box {
    int left, top, right, bottom;
};

// Coordinates beyond 2^27 are cut to it, as GDI's device space is 28 bits wide; the
// arithmetic on boxes then never overflows.
constexpr int CoordinateLimit = 1 << 27;

int Limited(int value) { return std::clamp(value, -CoordinateLimit, CoordinateLimit); }

Box Normalised(int left, int top, int right, int bottom)
{
    left = Limited(left);
    top = Limited(top);
    right = Limited(right);
    bottom = Limited(bottom);
    return Box{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

class RectangleShape : public Shape {
public:
    explicit RectangleShape(Box box) : box(box) {}
    const Box& Bounds() const { return box; }
    int Top() const override { return box.top; }
    int Bottom() const override { return box.bottom; }
    Runs Row(int y) const override
    {
        Runs runs;
        if (y >= box.top && y < box.bottom) runs.Add(box.left, box.right);
        return runs;
    }

private:
    Box box;
};

// The rectangle's outline is its border ring, so its rows are painted directly: the
// same pixels as the general shape painter gives, without working them out.
void PaintShape(Surface& surface, const RECT& area, const RectangleShape& shape,
                std::optional<std::uint32_t> outline, std::optional<std::uint32_t> fill)
{
    const Box& b = shape.Bounds();
    const bool thin = b.right - b.left <= 2;
    for (int y = std::max<int>(b.top, area.top); y < std::min<int>(b.bottom, area.bottom); ++y) {
        if (thin || y == b.top || y == b.bottom - 1) {
            if (outline) FillSpan(surface, area, y, b.left, b.right, *outline);
            continue;
        }
        if (outline) {
            FillSpan(surface, area, y, b.left, b.left + 1, *outline);
            FillSpan(surface, area, y, b.right - 1, b.right, *outline);
        }
        if (fill) FillSpan(surface, area, y, b.left + 1, b.right - 1, *fill);
    }
}

// The ellipse inscribed in the box, as GDI rasterises it: a curve traced through the
// box's corner pixels (left..right-1, top..bottom-1) one step at a time, each step to
// the neighbour that keeps the error of the ellipse's equation smallest (the
// integer-only ellipse of A. Zingl's "A Rasterizing Algorithm for Drawing Curves"). Each
// row covers the columns from the curve's leftmost pixel on it to its rightmost; the
// outline rule of the painter then gives the curve itself back.
//
// The trace costs a step per pixel of the curve, so boxes larger than any surface are
// drawn instead by sampling pixel centres against the ellipse's equation.
class EllipseShape : public Shape {
public:
    explicit EllipseShape(Box box)
        : box(box),
          cx((box.left + box.right) / 2.0),
          cy((box.top + box.bottom) / 2.0),
          a((box.right - box.left) / 2.0 - EdgeInset),
          b((box.bottom - box.top) / 2.0 - EdgeInset),
          traced(Traceable(box) ? &Trace(box) : nullptr)
    {
    }
    int Top() const override { return box.top; }
    int Bottom() const override { return box.bottom; }
    Runs Row(int y) const override
    {
        Runs runs;
        if (y < box.top || y >= box.bottom || box.right <= box.left) return runs;
        if (traced) {
            const Run& row = (*traced)[static_cast<std::size_t>(y - box.top)];
            runs.Add(row.begin, row.end);
            return runs;
        }
        const double dy = (y + 0.5 - cy) / b;
        const double half = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        const int x0 = static_cast<int>(std::ceil(cx - half - 0.5 - Tolerance));
        const int x1 = static_cast<int>(std::floor(cx + half - 0.5 + Tolerance)) + 1;
        runs.Add(std::max(x0, box.left), std::min(x1, box.right));
        return runs;
    }

private:
    static constexpr int kLargestTraced = 1 << 14;

    static bool Traceable(Box box)
    {
        const int width = box.right - box.left, height = box.bottom - box.top;
        return width > 0 && height > 0 && width <= kLargestTraced && height <= kLargestTraced;
    }

    // The rows of the traced curve, in a buffer kept for the thread (one shape is drawn
    // at a time), so that drawing a shape every frame allocates nothing.
    static const std::vector<Run>& Trace(Box box)
    {
        thread_local std::vector<Run> rows;
        rows.assign(static_cast<std::size_t>(box.bottom - box.top), Run{box.right, box.left});
        const auto mark = [&](long long x, long long y) {
            if (y < box.top || y >= box.bottom) return;
            Run& row = rows[static_cast<std::size_t>(y - box.top)];
            row.begin = std::min(row.begin, static_cast<int>(x));
            row.end = std::max(row.end, static_cast<int>(x) + 1);
        };
        long long left = box.left, right = box.right - 1;
        const long long a = right - left, b = box.bottom - 1 - box.top, odd = b & 1;
        long long dx = 4 * (1 - a) * b * b, dy = 4 * (odd + 1) * a * a, err = dx + dy + odd * a * a;
        long long lower = box.top + (b + 1) / 2, upper = lower - odd;
        // The four quarters are walked at once, from the middle rows out to the top and
        // bottom: the error decides whether to step a row outward, a column inward, or both.
        const auto markFour = [&](long long x0, long long x1) {
            mark(x0, lower);
            mark(x1, lower);
            mark(x0, upper);
            mark(x1, upper);
        };
        do {
            markFour(left, right);
            const long long e2 = 2 * err;
            if (e2 <= dy) {
                ++lower;
                --upper;
                dy += 8 * a * a;
                err += dy;
            }
            if (e2 >= dx) {
                ++left;
                --right;
                dx += 8 * b * b;
                err += dx;
            }
        } while (left <= right);
        // A very flat ellipse runs out of columns before it reaches its top and bottom
        // rows: its tips go straight on.
        while (lower - upper < b) {
            markFour(left - 1, right + 1);
            ++lower;
            --upper;
        }
        return rows;
    }

    Box box;
    double cx, cy, a, b;
    const std::vector<Run>* traced;
};

// A direction with y pointing up, so that counter-clockwise means what it means on
// screen.
struct Direction {
    double x, y;
};

double Cross(Direction a, Direction b) { return a.x * b.y - a.y * b.x; }
double Dot(Direction a, Direction b) { return a.x * b.x + a.y * b.y; }

// The part of the ellipse swept counter-clockwise from the ray `from` to the ray `to`,
// both from the centre (left + width / 2, top + height / 2) in integer halves.
class PieShape : public Shape {
public:
    PieShape(Box box, POINT first, POINT second, bool clockwise)
        : ellipse(box),
          cx(box.left + (box.right - box.left) / 2),
          cy(box.top + (box.bottom - box.top) / 2),
          // Clockwise from the first ray to the second is counter-clockwise back again.
          from(Towards(clockwise ? second : first)),
          to(Towards(clockwise ? first : second)),
          whole(SameRay(from, to)),
          turn(Cross(from, to))
    {
    }
    int Top() const override { return ellipse.Top(); }
    int Bottom() const override { return ellipse.Bottom(); }
    Runs Row(int y) const override
    {
        const Runs span = ellipse.Row(y);
        if (whole) return span;
        Runs runs;
        for (const Run& run : span) AddSwept(runs, run, cy - (y + NudgeY));
        return runs;
    }

private:
    Direction Towards(POINT p) const { return Direction{double(p.x) - cx, double(cy) - p.y}; }

    // Both radial rays meeting the ellipse at one place make the whole ellipse, as in GDI.
    static bool SameRay(Direction a, Direction b)
    {
        const bool degenerate = (a.x == 0 && a.y == 0) || (b.x == 0 && b.y == 0);
        return degenerate || (Cross(a, b) == 0 && Dot(a, b) > 0);
    }


    // Along a row each side test changes its answer at most once (it is linear in x), so
    // the swept pixels of a run are found by searching for those changes. Each branch
    // works out only the sides it needs: this runs for every row of every pie.
    void AddSwept(Runs& runs, Run run, double py) const
    {
        if (turn > 0) {
            const Run both = Between(run, py, from, to);
            runs.Add(both.begin, both.end);
        } else if (turn < 0) {
            // Outside the pie swept from `to` back to `from`.
            const Run back = Between(run, py, to, from);
            runs.Add(run.begin, std::min(run.end, std::max(run.begin, back.begin)));
            runs.Add(std::max(run.begin, std::max(back.end, back.begin)), run.end);
        } else {
            const Run left = Side(run, py, from, true);
            runs.Add(left.begin, left.end);
        }
    }

    // The pixels of the run counter-clockwise of `start` and clockwise of `end`.
    Run Between(Run run, double py, Direction start, Direction end) const
    {
        const Run after = Side(run, py, start, true), before = Side(run, py, end, false);
        return Run{std::max(after.begin, before.begin), std::min(after.end, before.end)};
    }

    // The pixels of the run on the counter-clockwise side of the ray (or, with `after`
    // false, on its clockwise side): one interval, since the test is monotone in x. The
    // column where the answer changes is worked out from the ray, then settled by the
    // test itself, so that rounding never moves it.
    Run Side(Run run, double py, Direction ray, bool after) const
    {
        auto inside = [&](int x) {
            const double cross = Cross(ray, Direction{x + NudgeX - cx, py});
            return after ? cross > 0 : cross < 0;
        };
        if (run.begin >= run.end) return run;
        const bool first = inside(run.begin);
        if (first == inside(run.end - 1)) return first ? run : Run{run.begin, run.begin};
        // The answer changes within the run, so the ray is not level (ray.y != 0).
        const double crossing =
            std::clamp(cx - NudgeX + ray.x * py / ray.y, double(run.begin + 1), double(run.end - 1));
        int changed = static_cast<int>(std::ceil(crossing));
        while (changed > run.begin + 1 && inside(changed - 1) != first) --changed;
        while (changed < run.end - 1 && inside(changed) == first) ++changed;
        return first ? Run{run.begin, changed} : Run{changed, run.end};
    }

    EllipseShape ellipse;
    int cx, cy;
    Direction from, to;
    bool whole;
    double turn;  // positive when the sweep is less than a half turn
};

// Without a pen a rectangle's (and a pie's) fill loses the right column and bottom row,
// as on Windows; an ellipse's fills its whole box.
enum class NullPen { Shrinks, KeepsBox };

// `make` builds the shape for the box that the pen leaves; the shape lives on the stack.
template <class MakeShape>
BOOL DrawShape(HDC dc, int left, int top, int right, int bottom, MakeShape make, NullPen nullPen = NullPen::Shrinks)
{
    const DeviceContext* context = FindDC(dc);
    Surface* surface = context ? context->Target() : nullptr;
    if (!surface) return FALSE;
    Box box = Normalised(left, top, right, bottom);
    const Pen* pen = FindAs<Pen>(context->pen, Kind::Pen);
    const Brush* brush = FindAs<Brush>(context->brush, Kind::Brush);
    std::optional<std::uint32_t> outline, fill;
    if (pen && !pen->null) outline = SurfacePixel(*surface, pen->color);
    if (brush && !brush->null) fill = SurfacePixel(*surface, brush->color);
    if (!outline) {
        if (nullPen == NullPen::Shrinks) {
            box.right -= 1;
            box.bottom -= 1;
        }
        outline = fill;
    } else if (box.right - box.left == 1 && box.bottom - box.top == 1) {
        return TRUE;  // a pen draws nothing around a single pixel, as on Windows
    }
    PaintShape(*surface, DrawingArea(*context, *surface), make(box), outline, fill);
    return TRUE;
}

// numerator / denominator (denominator > 0) rounded to the nearest integer; a half goes
// to the smaller one, whichever way the line runs, as GDI breaks its ties.
long long RoundedQuotient(long long numerator, long long denominator)
{
    const long long twice = 2 * numerator - denominator, below = 2 * denominator;
    return twice >= 0 ? (twice + below - 1) / below : -(-twice / below);
}

// One pixel per step along the longer axis, the other coordinate rounded to the ideal
// line. Only the steps whose longer-axis coordinate lies on the surface are taken, so a
// line far off the surface costs nothing. The end point itself is not drawn, as in GDI.
void DrawLine(Surface& surface, const RECT& area, POINT from, POINT to, std::uint32_t pixel)
{
    from = POINT{Limited(from.x), Limited(from.y)};
    to = POINT{Limited(to.x), Limited(to.y)};
    const long long dx = static_cast<long long>(to.x) - from.x, dy = static_cast<long long>(to.y) - from.y;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    const long long start = alongX ? from.x : from.y, limit = alongX ? surface.Width() : surface.Height();
    const long long direction = (alongX ? dx : dy) < 0 ? -1 : 1;
    // Steps i with 0 <= start + i * direction < limit.
    const long long first = std::max(0LL, direction > 0 ? -start : start - limit + 1);
    const long long last = std::min(steps, direction > 0 ? limit - start : start + 1);
    for (long long i = first; i < last; ++i) {
        const long long x = from.x + RoundedQuotient(i * dx, steps);
        const long long y = from.y + RoundedQuotient(i * dy, steps);
        if (y >= area.top && y < area.bottom && x >= area.left && x < area.right)
            surface.Row(static_cast<int>(y))[x] = pixel;
    }
}

bool OnSurface(const Surface& surface, int x, int y)
{
    return x >= 0 && y >= 0 && x < surface.Width() && y < surface.Height();
}

}  // namespace
}  // namespace gdi

using gdi::Box;

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom)
{
    return gdi::DrawShape(dc, left, top, right, bottom,
                          [](Box box) { return gdi::RectangleShape(box); });
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom)
{
    return gdi::DrawShape(dc, left, top, right, bottom,
                          [](Box box) { return gdi::EllipseShape(box); }, gdi::NullPen::KeepsBox);
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int x1, int y1, int x2, int y2)
{
    const bool clockwise = GetArcDirection(dc) == AD_CLOCKWISE;
    return gdi::DrawShape(dc, left, top, right, bottom, [=](Box box) {
        return gdi::PieShape(box, POINT{x1, y1}, POINT{x2, y2}, clockwise);
    });
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous)
{
    gdi::DeviceContext* context = gdi::FindDC(dc);
    if (!context) return FALSE;
    if (previous) *previous = context->position;
    context->position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y)
{
    gdi::DeviceContext* context = gdi::FindDC(dc);
    gdi::Surface* surface = context ? context->Target() : nullptr;
    if (!surface) return FALSE;
    const POINT to{x, y};
    const gdi::Pen* pen = gdi::FindAs<gdi::Pen>(context->pen, gdi::Kind::Pen);
    if (pen && !pen->null)
        gdi::DrawLine(*surface, gdi::DrawingArea(*context, *surface), context->position, to,
                      gdi::SurfacePixel(*surface, pen->color));
    context->position = to;
    return TRUE;
}

COLORREF GetPixel(HDC dc, int x, int y)
{
    const gdi::Surface* surface = gdi::SurfaceOf(dc);
    if (!surface || !gdi::OnSurface(*surface, x, y)) return CLR_INVALID;
    return gdi::SurfaceColor(*surface, surface->Row(y)[x]);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color)
{
    const gdi::DeviceContext* context = gdi::FindDC(dc);
    gdi::Surface* surface = context ? context->Target() : nullptr;
    if (!surface) return CLR_INVALID;
    const RECT area = gdi::DrawingArea(*context, *surface);
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom) return CLR_INVALID;
    const std::uint32_t pixel = gdi::SurfacePixel(*surface, color & 0xFFFFFF);
    surface->Row(y)[x] = pixel;
    return gdi::SurfaceColor(*surface, pixel);
}
