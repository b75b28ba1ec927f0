#include "ui/slider.h"

#include "input/mouse_input.h"
#include "ui/text.h"
#include "ui/widget_parts.h"

#include <algorithm>
#include <utility>

namespace {

constexpr unsigned int kLength = 100;
constexpr unsigned int kThickness = 30;

Rect SliderRect(unsigned int x, unsigned int y, Orientation orientation)
{
    if (orientation == Horizontal) return Rect(x, y, x + kLength, y + kThickness);
    return Rect(x, y, x + kThickness, y + kLength);
}

}  // namespace

unsigned int Interpolate(unsigned int v, unsigned int a, unsigned int b, unsigned int p, unsigned int q)
{
    if (v < a) v = a;
    if (v > b) v = b;
    if (a == b) return p;
    return p + (v - a) * (q - p) / (b - a);
}

CSlider::CSlider(unsigned int x, unsigned int y, unsigned int* value, const LList<CObject>& parents,
                 Orientation orientation, unsigned int minimum, unsigned int maximum)
    : CGraphic(parents, SliderRect(x, y, orientation)), minimum(std::min(minimum, maximum)),
      maximum(std::max(minimum, maximum)), value(value), orientation(orientation)
{
    type.Load(kType);
    *value = std::clamp(*value, this->minimum, this->maximum);
    new CMouseInput(BothAxes, LList<CObject>(false, 1, this));
    new CNormText(str(*value), LList<CObject>(false, 1, this), Rect());
}

bool CSlider::HasType(str t) const { return t == kType || CGraphic::HasType(t); }

void CSlider::Animate()
{
    CGraphic::Animate();
    CMouseInput& mouse = WidgetMouse(this, "::Animate");
    const POINT pointer = mouse.GetPoint();
    if (!mouse.GetButton(0))
        dragging = false;
    else if (dragging || PtInRect(&rect, pointer))
        Follow(pointer);
    ShowValue();
}

void CSlider::Follow(POINT pointer)
{
    dragging = true;
    // Pinned to the slider's edges, so a drag that leaves the slider holds the nearer end.
    if (IsHorizontal()) {
        const LONG x = std::clamp(pointer.x, rect.left, rect.right);
        *value = Interpolate(x, rect.left, rect.right, minimum, maximum);
    } else {
        const LONG y = std::clamp(pointer.y, rect.top, rect.bottom);
        *value = Interpolate(y, rect.top, rect.bottom, minimum, maximum);
    }
}

void CSlider::ShowValue()
{
    WidgetText(this, "::Animate").text = str(*value);
}

void CSlider::DescribeLook(PaintLook& look) { look.Add(*value).Add(minimum).Add(maximum).Add(orientation); }

// At the maximum the value's line lies just past the box (on its right or bottom edge).
RECT CSlider::PaintArea(HDC)
{
    RECT area = rect;
    if (IsHorizontal())
        ++area.right;
    else
        ++area.bottom;
    return area;
}

bool CSlider::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    if (IsHorizontal()) {
        const int p = Interpolate(*value, minimum, maximum, rect.left, rect.right);
        MoveToEx(dc, p, rect.top, nullptr);
        LineTo(dc, p, rect.bottom);
    } else {
        const int p = Interpolate(*value, minimum, maximum, rect.top, rect.bottom);
        MoveToEx(dc, rect.left, p, nullptr);
        LineTo(dc, rect.right, p);
    }
    return true;
}
