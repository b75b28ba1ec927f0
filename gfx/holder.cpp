#include "gfx/holder.h"

namespace {

CGraphic* AsGraphic(CObject* o)
{
    return dynamic_cast<CGraphic*>(o);
}

HDC AsDC(void* data) { return static_cast<HDC>(data); }

}  // namespace

CGraphicHolder::CGraphicHolder(const LList<CObject>& parents, const Rect& r) : CGraphic(parents, r)
{
    type.Load(kType);
}

bool CGraphicHolder::HasType(str t) const { return t == kType || CGraphic::HasType(t); }

void CGraphicHolder::Animate() { IterateChildren(DoAnimate, nullptr); }
bool CGraphicHolder::InitPaint(HDC dc) { return IterateChildren(DoInitPaint, dc); }
bool CGraphicHolder::Paint(HDC dc) { return IterateChildren(DoPaint, dc); }
bool CGraphicHolder::EndPaint(HDC dc) { return IterateChildren(DoEndPaint, dc); }

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
    return !g || g->Paint(AsDC(data));
}

bool CGraphicHolder::DoEndPaint(void* data, CObject* child)
{
    CGraphic* g = AsGraphic(child);
    return !g || g->EndPaint(AsDC(data));
}
