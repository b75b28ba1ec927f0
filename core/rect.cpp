#include "core/rect.h"

#include <utility>

Rect::Rect(int l, int t, int r, int b) : RECT{l, t, r, b}
{
    Recalc();
}

void Rect::Recalc()
{
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    width = right - left;
    height = bottom - top;
    if (width <= 1) {
        left = (left + right) / 2;
        right = left + 2;
        width = 2;
    }
    if (height <= 1) {
        top = (top + bottom) / 2;
        bottom = top + 2;
        height = 2;
    }
}

void Rect::Center(unsigned int w, unsigned int h)
{
    const LONG cx = (left + right) / 2;
    const LONG cy = (top + bottom) / 2;
    SetRect(this, cx, cy, cx, cy);
    InflateRect(this, static_cast<int>(w / 2), static_cast<int>(h / 2));
    Recalc();
    // An odd size puts the extra pixel on the right or bottom side.
    right += static_cast<LONG>(w) - width;
    width = static_cast<LONG>(w);
    bottom += static_cast<LONG>(h) - height;
    height = static_cast<LONG>(h);
}

POINT MkPoint(int x, int y) { return POINT{x, y}; }
