#include "gfx/static_graphic.h"

CStaticGraphic::CStaticGraphic(const LList<CObject>& parents, const Rect& r) : CGraphic(parents, r)
{
    type.Load(kType);
}

// A graphic destroyed in the middle of its paint cycle gives its surface back.
CStaticGraphic::~CStaticGraphic()
{
    if (prepared) ReleaseSurface();
}

bool CStaticGraphic::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

bool CStaticGraphic::InitPaint(HDC dc)
{
    if (!CGraphic::InitPaint(dc)) return false;
    rect.Recalc();
    memDC = CreateCompatibleDC(dc);
    bitmap = CreateCompatibleBitmap(dc, rect.width, rect.height);
    SetMapMode(memDC, GetMapMode(dc));
    SelectObject(memDC, bitmap);
    ++pictures;
    return memDC && bitmap;
}

// Where Paint copies the picture: the rectangle as Recalc leaves it.
RECT CStaticGraphic::PaintArea(HDC)
{
    Rect area = rect;
    area.Recalc();
    return area;
}

void CStaticGraphic::DescribeLook(PaintLook& look) { look.Add(pictures); }

bool CStaticGraphic::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    rect.Recalc();
    return BitBlt(dc, rect.left, rect.top, rect.width, rect.height, memDC, 0, 0, SRCCOPY);
}

bool CStaticGraphic::EndPaint(HDC dc)
{
    if (!CGraphic::EndPaint(dc)) return false;
    ReleaseSurface();
    return true;
}

void CStaticGraphic::ReleaseSurface()
{
    DeleteDC(memDC);
    DeleteObject(bitmap);
    memDC = nullptr;
    bitmap = nullptr;
}

CAlphaStaticGraphic::CAlphaStaticGraphic(const LList<CObject>& parents, const Rect& r)
    : CStaticGraphic(parents, r)
{
    type.Load(kType);
}

CAlphaStaticGraphic::~CAlphaStaticGraphic()
{
    if (prepared) ReleaseMask();
}

bool CAlphaStaticGraphic::HasType(const str& t) const
{
    return t == kType || CStaticGraphic::HasType(t);
}

bool CAlphaStaticGraphic::InitPaint(HDC dc)
{
    if (!CStaticGraphic::InitPaint(dc)) return false;
    rect.Recalc();
    maskDC = CreateCompatibleDC(dc);
    mask = CreateBitmap(rect.width, rect.height, 1, 1, nullptr);
    SelectObject(maskDC, mask);
    SelectObject(maskDC, GetStockObject(WHITE_PEN));
    SelectObject(maskDC, GetStockObject(WHITE_BRUSH));
    Rectangle(maskDC, 0, 0, rect.width, rect.height);
    // The subclass draws its opaque shape in black.
    SelectObject(maskDC, GetStockObject(BLACK_PEN));
    SelectObject(maskDC, GetStockObject(BLACK_BRUSH));
    return maskDC && mask;
}

// destination = (destination AND mask) OR picture
bool CAlphaStaticGraphic::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    rect.Recalc();
    BitBlt(dc, rect.left, rect.top, rect.width, rect.height, maskDC, 0, 0, SRCAND);
    BitBlt(dc, rect.left, rect.top, rect.width, rect.height, memDC, 0, 0, SRCPAINT);
    return true;
}

bool CAlphaStaticGraphic::EndPaint(HDC dc)
{
    if (!CStaticGraphic::EndPaint(dc)) return false;
    ReleaseMask();
    return true;
}

void CAlphaStaticGraphic::ReleaseMask()
{
    DeleteDC(maskDC);
    DeleteObject(mask);
    maskDC = nullptr;
    mask = nullptr;
}
