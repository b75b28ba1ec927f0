#include "gfx/holder.h"

namespace {

CGraphic* AsGraphic(CObject* o)
{
    return ObjectCast<CGraphic>(o);
}

HDC AsDC(void* data) { return static_cast<HDC>(data); }

struct ChangeSearch {
    HDC dc;
    HDC measure;
    std::vector<RECT>& changed;
    RECT covered{0, 0, 0, 0};  // the children's painted areas together
    bool allKnown = true;      // every child that is a graphic has a painted area
};

void Cover(ChangeSearch& search, const std::optional<RECT>& area)
{
    if (!area) {
        search.allKnown = false;
    } else if (IsRectEmpty(&search.covered)) {
        search.covered = *area;
    } else if (!IsRectEmpty(&*area)) {
        UnionRect(&search.covered, &search.covered, &*area);
    }
}

// A paint into `dc`, whose clip box (when it has one) is `clip`.
struct PaintPass {
    HDC dc;
    RECT clip;
    bool clipped;
};

}  // namespace

bool CGraphicHolder::passOverUnmet = true;

CGraphicHolder::CGraphicHolder(const LList<CObject>& parents, const Rect& r) : CGraphic(parents, r)
{
    type.Load(kType);
    holdsGraphics = true;
}

bool CGraphicHolder::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

void CGraphicHolder::Animate() { IterateChildren(DoAnimate, nullptr); }
bool CGraphicHolder::InitPaint(HDC dc) { return IterateChildren(DoInitPaint, dc); }
bool CGraphicHolder::Paint(HDC dc)
{
    PaintPass pass{dc, RECT{0, 0, 0, 0}, false};
    pass.clipped = passOverUnmet && GetClipBox(dc, &pass.clip) != ERROR;
    return IterateChildren(DoPaint, &pass);
}
bool CGraphicHolder::EndPaint(HDC dc) { return IterateChildren(DoEndPaint, dc); }

void CGraphicHolder::FindChanges(HDC dc, HDC measure, std::vector<RECT>& changed)
{
    ChangeSearch search{dc, measure, changed};
    IterateChildren(DoFindChanges, &search);
    if (search.allKnown)
        childrenArea = search.covered;
    else
        childrenArea.reset();
}

bool CGraphicHolder::ChildrenMeet(const RECT& box) const
{
    RECT both;
    return !childrenArea || IntersectRect(&both, &*childrenArea, &box);
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
    const auto& pass = *static_cast<const PaintPass*>(data);
    if (pass.clipped) {
        const bool unmet = g->holdsGraphics ? !static_cast<CGraphicHolder*>(g)->ChildrenMeet(pass.clip)
                                            : g->prepared && !g->PaintMeets(pass.clip);
        if (unmet) return true;
    }
    return g->Paint(pass.dc);
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
    CGraphic* g = AsGraphic(child);
    if (!g) return true;
    if (g->holdsGraphics) {
        auto* holder = static_cast<CGraphicHolder*>(g);
        holder->FindChanges(search.dc, search.measure, search.changed);
        Cover(search, holder->childrenArea);
        return true;
    }
    if (!g->prepared) g->CGraphic::Paint(search.dc);
    g->TakeChange(search.measure, search.changed);
    if (!g->prepared) search.allKnown = false;
    Cover(search, g->paintedArea);
    return true;
}
