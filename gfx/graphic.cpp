#include "gfx/graphic.h"
#include "gfx/holder.h"

#include "model/data.h"

bool CGraphic::orderCheck = true;

CGraphic::CGraphic(const LList<CObject>& parents, const Rect& r) : CObject(parents), rect(r)
{
    type.Load(kType);
    // A graphic made under a non-drawing object is also attached to the holder that
    // draws it, so that the holder's walks reach it.
    if (!GetParent<CGraphicHolder>()) AddParent(FindParent<CGraphicHolder>());
}

// What a graphic painted is painted over when it goes.
CGraphic::~CGraphic()
{
    prepared = false;
    if (!paintedArea) return;
    if (CData* data = FindData(this)) InvalidateRect(data->window, &*paintedArea, FALSE);
}

bool CGraphic::HasType(const str& t) const { return t == kType || CObject::HasType(t); }

// What changed is found when the window is painted (TakeChange), not here.
void CGraphic::Animate()
{
    ++frames;
    if (settingsSeen) return;
    RequireData(this, "::Animate");
    settingsSeen = true;
}

RECT CGraphic::PaintArea(HDC) { return rect; }

void CGraphic::DescribeLook(PaintLook&) {}

namespace {

bool Meets(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Overlapping areas are painted as one.
void AddChange(std::vector<RECT>& changed, const RECT& before, const RECT& after)
{
    if (Meets(before, after)) {
        RECT both;
        UnionRect(&both, &before, &after);
        changed.push_back(both);
        return;
    }
    changed.push_back(before);
    changed.push_back(after);
}

}  // namespace

void CGraphic::TakeChange(HDC measure, std::vector<RECT>& changed)
{
    const RECT area = PaintArea(measure);
    PaintLook look;
    DescribeLook(look);
    if (paintedArea && EqualRect(&*paintedArea, &area) && paintedLook == look.Value()) return;
    if (paintedArea)
        AddChange(changed, *paintedArea, area);
    else
        changed.push_back(area);
    paintedArea = area;
    paintedLook = look.Value();
}

bool CGraphic::PaintMeets(const RECT& box) const { return !paintedArea || Meets(*paintedArea, box); }

bool CGraphic::InitPaint(HDC)
{
    if (prepared) throw XPaintError(type + str("::InitPaint"));
    Animate();
    prepared = true;
    return true;
}

bool CGraphic::Paint(HDC)
{
    if (prepared || !orderCheck) return true;
    CData& data = RequireData(this, "::Paint");
    if (data.painting) {
        PrepareOnDemand();
        return true;
    }
    orderCheck = false;
    throw XPaintError(type + str("::Paint"));
}

bool CGraphic::EndPaint(HDC)
{
    if (prepared) {
        prepared = false;
        return true;
    }
    CData& data = RequireData(this, "::EndPaint");
    if (!data.painting) throw XPaintError(type + str("::EndPaint"));
    // Prepared now, so that the subclass's EndPaint has resources to release.
    PrepareOnDemand();
    prepared = false;
    return true;
}

void CGraphic::Prepare()
{
    const CData* data = FindData(this);
    if (!prepared && data && data->painting) PrepareOnDemand();
}

void CGraphic::PrepareOnDemand()
{
    CData& data = RequireData(this, "::Paint");
    HDC dc = GetDC(data.window);
    if (!dc) return;
    try {
        InitPaint(dc);
    } catch (...) {
        ReleaseDC(data.window, dc);
        throw;
    }
    ReleaseDC(data.window, dc);
}

HDC CGraphic::BackBuffer()
{
    auto* engine = dynamic_cast<CGraphic*>(GetHead());
    return engine && engine->prepared ? engine->memDC : nullptr;
}

void CGraphic::ReleaseObject(HDC dc, HGDIOBJ object, UINT kind, int stockReplacement)
{
    if (!object) return;
    if (dc && GetCurrentObject(dc, kind) == object) SelectObject(dc, GetStockObject(stockReplacement));
    DeleteObject(object);
}

void CGraphic::Release(HDC dc, HPEN& object)
{
    ReleaseObject(dc, object, OBJ_PEN, BLACK_PEN);
    object = nullptr;
}

void CGraphic::Release(HDC dc, HBRUSH& object)
{
    ReleaseObject(dc, object, OBJ_BRUSH, WHITE_BRUSH);
    object = nullptr;
}

void CGraphic::Release(HDC dc, HFONT& object)
{
    ReleaseObject(dc, object, OBJ_FONT, ANSI_FIXED_FONT);
    object = nullptr;
}

bool CGraphic::MakeSolidTools(COLORREF color)
{
    brush = CreateSolidBrush(color);
    pen = CreatePen(PS_SOLID, 0, color);
    return brush && pen;
}

void CGraphic::ReleaseTools(HDC dc)
{
    Release(dc, pen);
    Release(dc, brush);
}

void CGraphic::PaintRectWithTools(HDC dc)
{
    SelectObject(dc, brush);
    SelectObject(dc, pen);
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}
