#include "ui/slider.h"

#include "input/mouse_input.h"
#include "ui/text.h"
#include "ui/widget_parts.h"

#include <algorithm>
#include <utility>

namespace {

constexpr unsigned int kLength = 100;
constexpr unsigned int kThickness = 30;
constexpr int kNotch = 8;

void Notch(HDC dc, int x0, int y0, int x1, int y1)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

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

bool CSlider::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

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

// Every pixel of the slider is a place: the first one the minimum, the last the maximum.
// A vertical slider has its maximum at the top.
void CSlider::Follow(POINT pointer)
{
    dragging = true;
    // Pinned to the slider's edges, so a drag that leaves the slider holds the nearer end.
    if (IsHorizontal()) {
        const LONG x = std::clamp(pointer.x, rect.left, rect.right - 1);
        *value = Interpolate(x - rect.left, 0, kLength - 1, minimum, maximum);
    } else {
        const LONG y = std::clamp(pointer.y, rect.top, rect.bottom - 1);
        *value = Interpolate(rect.bottom - 1 - y, 0, kLength - 1, minimum, maximum);
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
    // The marker is a notch on each long edge, clear of the number in the middle.
    const int offset = static_cast<int>(Interpolate(*value, minimum, maximum, 0, kLength - 1));
    if (IsHorizontal()) {
        const int p = rect.left + offset;
        Notch(dc, p, rect.top, p, rect.top + kNotch);
        Notch(dc, p, rect.bottom - kNotch, p, rect.bottom);
    } else {
        const int p = rect.bottom - 1 - offset;
        Notch(dc, rect.left, p, rect.left + kNotch, p);
        Notch(dc, rect.right - kNotch, p, rect.right, p);
    }
    return true;
}
