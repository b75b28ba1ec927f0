#include "gfx/background.h"

CBackground::CBackground(const LList<CObject>& parents, const Rect& r) : CStaticGraphic(parents, r)
{
    type.Load(kType);
}

bool CBackground::HasType(const str& t) const { return t == kType || CStaticGraphic::HasType(t); }

bool CBackground::InitPaint(HDC dc)
{
    if (!CStaticGraphic::InitPaint(dc)) return false;
    Outline(memDC, 0, 0);
    return true;
}

// The picture is one grey rectangle in a black outline: drawn again where it stands,
// clipped to what is repainted, it gives the pixels a copy would without reading any.
bool CBackground::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    rect.Recalc();
    Outline(dc, rect.left, rect.top);
    return true;
}

void CBackground::Outline(HDC dc, int left, int top)
{
    const HGDIOBJ brush = SelectObject(dc, GetStockObject(GRAY_BRUSH));
    const HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, left, top, left + rect.width, top + rect.height);
    SelectObject(dc, pen);
    SelectObject(dc, brush);
}
