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

POINT MkPoint(int x, int y) { return POINT{x, y}; }
