#pragma once

#include "gfx/static_graphic.h"

// The grey, black-outlined rectangle that every screen creates first, beneath the rest.
class CBackground : public CStaticGraphic {
public:
    static constexpr const char* kType = "CBackground";
    CBackground(const LList<CObject>& parents, const Rect& r);
    bool HasType(const str& t) const override;
    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;

private:
    // Its picture with the top-left corner at (left, top).
    void Outline(HDC dc, int left, int top);
};
