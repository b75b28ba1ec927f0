#include "ui/mark.h"

namespace {

constexpr int kGap = 2;
constexpr int kThickness = 2;

}  // namespace

CMark::CMark(const Rect& around, const LList<CObject>& parents) : CGraphic(parents, around)
{
    type.Load(kType);
    InflateRect(&rect, kGap + kThickness, kGap + kThickness);
    rect.Recalc();
}

bool CMark::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

bool CMark::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int i = 0; i < kThickness; ++i) Rectangle(dc, rect.left + i, rect.top + i, rect.right - i, rect.bottom - i);
    return true;
}
