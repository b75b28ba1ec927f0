#include "gfx/holder.h"

namespace {

CGraphic* AsGraphic(CObject* o)
{
    return dynamic_cast<CGraphic*>(o);
}

HDC AsDC(void* data) { return static_cast<HDC>(data); }

struct ChangeSearch {
    HDC dc;
    HDC measure;
    std::vector<RECT>& changed;
};

}  // namespace

bool CGraphicHolder::passOverUnmet = true;

CGraphicHolder::CGraphicHolder(const LList<CObject>& parents, const Rect& r) : CGraphic(parents, r)
{
    type.Load(kType);
}

bool CGraphicHolder::HasType(str t) const { return t == kType || CGraphic::HasType(t); }

void CGraphicHolder::Animate() { IterateChildren(DoAnimate, nullptr); }
bool CGraphicHolder::InitPaint(HDC dc) { return IterateChildren(DoInitPaint, dc); }
bool CGraphicHolder::Paint(HDC dc) { return IterateChildren(DoPaint, dc); }
bool CGraphicHolder::EndPaint(HDC dc) { return IterateChildren(DoEndPaint, dc); }

void CGraphicHolder::FindChanges(HDC dc, HDC measure, std::vector<RECT>& changed)
{
    ChangeSearch search{dc, measure, changed};
    IterateChildren(DoFindChanges, &search);
}

bool CGraphicHolder::DoAnimate(void*, CObject* child)
{
    if (CGraphic* g = AsGraphic(child)) g->Animate();
    return true;
}

bool CGraphicHolder::DoInitPaint(void* data, CObject* child)
{
    CGraphic* g = AsGraphic(child);
    return !g || g->InitPaint(AsDC(data));
}

bool CGraphicHolder::DoPaint(void* data, CObject* child)
{
    CGraphic* g = AsGraphic(child);
    if (!g) return true;
    RECT clip;
    if (passOverUnmet && g->prepared && GetClipBox(AsDC(data), &clip) != ERROR && !g->PaintMeets(clip)) return true;
    return g->Paint(AsDC(data));
}

bool CGraphicHolder::DoEndPaint(void* data, CObject* child)
{
    CGraphic* g = AsGraphic(child);
    return !g || g->EndPaint(AsDC(data));
}

// The base step of Paint prepares an unprepared graphic on demand (or reports the paint
// out of order) without drawing; its area is known only once it is prepared.
bool CGraphicHolder::DoFindChanges(void* data, CObject* child)
{
    auto& search = *static_cast<ChangeSearch*>(data);
    if (auto* holder = dynamic_cast<CGraphicHolder*>(child)) {
        holder->FindChanges(search.dc, search.measure, search.changed);
        return true;
    }
    CGraphic* g = AsGraphic(child);
    if (!g) return true;
    if (!g->prepared) g->CGraphic::Paint(search.dc);
    g->TakeChange(search.measure, search.changed);
    return true;
}
