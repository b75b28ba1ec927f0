#pragma once

#include "gfx/graphic.h"

// A graphic that draws nothing itself and forwards animation and the paint protocol to
// each of its children that is a graphic, in child order. It never becomes prepared.
// Its Paint passes over a child whose last painted area lies outside the DC's clip box,
// and a holder whose children's areas (as FindChanges last found them) all do.
class CGraphicHolder : public CGraphic {
public:
    static constexpr const char* kType = "CGraphicHolder";
    CGraphicHolder(const LList<CObject>& parents, const Rect& r);
    bool HasType(const str& t) const override;

    void Animate() override;
    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;
    bool EndPaint(HDC dc) override;

    // Before a repaint: prepares the children that are not yet (as their Paint would),
    // then adds the areas of every child whose picture changed since its last paint
    // (TakeChange) to `changed`, and keeps the children's painted areas together.
    // `dc` is the DC the repaint draws into.
    void FindChanges(HDC dc, HDC measure, std::vector<RECT>& changed);
    // Whether a child's painted area may meet `box` (true before FindChanges knew them all).
    bool ChildrenMeet(const RECT& box) const;

    static bool DoAnimate(void* data, CObject* child);
    static bool DoInitPaint(void* data, CObject* child);
    static bool DoPaint(void* data, CObject* child);
    static bool DoEndPaint(void* data, CObject* child);
    static bool DoFindChanges(void* data, CObject* child);

    // Whether Paint passes over children outside the clip box; a paint that must reach
    // every child (the paint check's) turns it off for its duration.
    static bool passOverUnmet;

private:
    std::optional<RECT> childrenArea;
};
