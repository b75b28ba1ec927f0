#pragma once

#include "gfx/graphic.h"

// A graphic that draws nothing itself and forwards animation and the paint protocol to
// each of its children that is a graphic, in child order. It never becomes prepared.
class CGraphicHolder : public CGraphic {
public:
    static constexpr const char* kType = "CGraphicHolder";
    CGraphicHolder(const LList<CObject>& parents, const Rect& r);
    bool HasType(str t) const override;

    void Animate() override;
    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;
    bool EndPaint(HDC dc) override;

    static bool DoAnimate(void* data, CObject* child);
    static bool DoInitPaint(void* data, CObject* child);
    static bool DoPaint(void* data, CObject* child);
    static bool DoEndPaint(void* data, CObject* child);
};
