#include "gfx/background.h"

CBackground::CBackground(const LList<CObject>& parents, const Rect& r) : CStaticGraphic(parents, r)
{
    type.Load(kType);
}

bool CBackground::HasType(const str& t) const { return t == kType || CStaticGraphic::HasType(t); }

bool CBackground::InitPaint(HDC dc)
{
    if (!CStaticGraphic::InitPaint(dc)) return false;
    SelectObject(memDC, GetStockObject(GRAY_BRUSH));
    SelectObject(memDC, GetStockObject(BLACK_PEN));
    Rectangle(memDC, rect.left, rect.top, rect.right, rect.bottom);
    return true;
}
