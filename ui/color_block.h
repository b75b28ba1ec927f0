#pragma once
// A 100 x 100 square filled, without a border, with the colour made of three component
// variables (0 to 255) that someone else owns; it always shows their current values.

#include "gfx/graphic.h"

class CColorBlock : public CGraphic {
public:
    static constexpr const char* kType = "CColorBlock";
    CColorBlock(unsigned int* red, unsigned int* green, unsigned int* blue, unsigned int x, unsigned int y,
                const LList<CObject>& parents);
    ~CColorBlock() override;
    bool HasType(const str& t) const override;

    bool Paint(HDC dc) override;
    void DescribeLook(PaintLook& look) override;

    unsigned int* red;
    unsigned int* green;
    unsigned int* blue;
};
