#include "ui/button.h"

#include "input/mouse_input.h"
#include "model/sounds.h"
#include "ui/text.h"
#include "ui/widget_parts.h"

namespace {

constexpr COLORREF kOutline = RGB(0, 0, 255);
// A button lit by something else than the pointer (a pad's button held), and a disabled one.
constexpr COLORREF kHighlight = RGB(255, 255, 0);
// Under the pointer a button is its own colour, paler, outlined in white.
constexpr COLORREF kPointedOutline = RGB(255, 255, 255);

COLORREF Paler(COLORREF color)
{
    const auto half = [](BYTE c) { return static_cast<BYTE>((c + 255) / 2); };
    return RGB(half(GetRValue(color)), half(GetGValue(color)), half(GetBValue(color)));
}
constexpr int kWindowEnd = 512;

// The pie of a rounded button: its bounding box, its two radial points and the arc
// direction that leaves the half-ellipse on the far side of the flat edge.
struct PieShape {
    RECT box;
    POINT from;
    POINT to;
    int direction;
};

PieShape HalfEllipse(const Rect& r, Side side)
{
    const LONG w = r.right - r.left;
    const LONG h = r.bottom - r.top;
    switch (side) {
    case SideLeft:
        return {{r.left - w, r.top, r.right, r.bottom}, {r.left - 2, 0}, {r.left, kWindowEnd}, AD_CLOCKWISE};
    case SideTop:
        return {{r.left, r.top - h, r.right, r.bottom}, {0, r.top - 2}, {kWindowEnd, r.top}, AD_COUNTERCLOCKWISE};
    case SideRight:
        return {{r.left, r.top, r.right + w, r.bottom}, {r.right - 2, 0}, {r.right, kWindowEnd}, AD_COUNTERCLOCKWISE};
    default:
        return {{r.left, r.top, r.right, r.bottom + h}, {0, r.bottom - 2}, {kWindowEnd, r.bottom}, AD_CLOCKWISE};
    }
}

}  // namespace

CButton::CButton(ObjectCallback callback, void* context, unsigned int x, unsigned int y, const str& caption,
                 const LList<CObject>& parents, COLORREF color, unsigned int width, unsigned int height,
                 EPadType padType, Side side)
    : CGraphic(parents, Rect(x, y, x + width, y + height)), callback(callback), context(context), color(color),
      padType(padType), side(side)
{
    type.Load(kType);
    new CMouseInput(BothAxes, LList<CObject>(false, 1, this));
    if (caption.Size() > 0) new CNormText(caption, LList<CObject>(false, 2, this, GetParent()), Rect());
}

CButton::~CButton() { ReleaseDrawingObjects(BackBuffer()); }

bool CButton::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

void CButton::Animate()
{
    CGraphic::Animate();
    if (!enabled) return;
    CMouseInput& mouse = WidgetMouse(this, "::Animate");
    hover = PtInRect(&rect, mouse.GetPoint());
    if (hover && mouse.GetButton(0) && callback && callback(context, GetParent())) PlayEffect(this, SoundClick);
}

bool CButton::InitPaint(HDC dc)
{
    if (!CGraphic::InitPaint(dc)) return false;
    brush = CreateSolidBrush(color);
    pen = CreatePen(PS_SOLID, 0, kOutline);
    hoverBrush = CreateSolidBrush(Paler(color));
    hoverPen = CreatePen(PS_SOLID, 0, kPointedOutline);
    litBrush = CreateSolidBrush(kHighlight);
    litPen = CreatePen(PS_SOLID, 0, kHighlight);
    return brush && pen;
}

bool CButton::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    SelectLook(dc);
    DrawShape(dc);
    return true;
}

bool CButton::EndPaint(HDC dc)
{
    // The base step may prepare the button on demand; release whatever exists after it.
    const bool ended = CGraphic::EndPaint(dc);
    ReleaseDrawingObjects(dc);
    return ended;
}

// A rounded button's pie may reach a pixel or two past its rectangle.
RECT CButton::PaintArea(HDC)
{
    RECT area = rect;
    if (padType == PadRounded) InflateRect(&area, 2, 2);
    return area;
}

void CButton::DescribeLook(PaintLook& look)
{
    look.Add(enabled).Add(hover).Add(lit).Add(color).Add(padType).Add(side);
}

// The caption is drawn in black or white, whichever reads on the fill.
void CButton::SelectLook(HDC dc)
{
    COLORREF fill = color;
    if (!enabled) {
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, litBrush);
        fill = kHighlight;
    } else if (lit) {
        SelectObject(dc, litPen);
        SelectObject(dc, litBrush);
        fill = kHighlight;
    } else if (hover) {
        SelectObject(dc, hoverPen);
        SelectObject(dc, hoverBrush);
        fill = Paler(color);
    } else {
        SelectObject(dc, pen);
        SelectObject(dc, brush);
    }
    for (unsigned int n = 1; auto* caption = GetChild<CText>(n); ++n) caption->ink = InkOn(fill);
}

void CButton::DrawShape(HDC dc)
{
    if (padType == PadRectangular)
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    else if (padType == PadRounded)
        DrawHalfEllipse(dc);
}

void CButton::DrawHalfEllipse(HDC dc)
{
    const PieShape pie = HalfEllipse(rect, side);
    // The arc direction stays set on the device context.
    SetArcDirection(dc, pie.direction);
    Pie(dc, pie.box.left, pie.box.top, pie.box.right, pie.box.bottom, pie.from.x, pie.from.y, pie.to.x, pie.to.y);
}

void CButton::ReleaseDrawingObjects(HDC dc)
{
    Release(dc, brush);
    Release(dc, pen);
    Release(dc, hoverBrush);
    Release(dc, hoverPen);
    Release(dc, litBrush);
    Release(dc, litPen);
}
