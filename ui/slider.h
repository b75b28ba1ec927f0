#pragma once
// A draggable box that maps the pointer to a value between a minimum and a maximum and
// writes it into a variable that someone else owns; it shows the value as a number and
// as a line at the value's position.

#include "gfx/graphic.h"
#include "model/side.h"

// v limited to a..b, mapped linearly onto p..q in unsigned arithmetic. An empty range
// (a = b) maps everything onto p.
unsigned int Interpolate(unsigned int v, unsigned int a, unsigned int b, unsigned int p, unsigned int q);

class CSlider : public CGraphic {
public:
    static constexpr const char* kType = "CSlider";
    // Horizontal sliders are 100 x 30; every other orientation makes a vertical one, 30 x 100.
    CSlider(unsigned int x, unsigned int y, unsigned int* value, const LList<CObject>& parents,
            Orientation orientation, unsigned int minimum, unsigned int maximum);
    bool HasType(const str& t) const override;

    void Animate() override;
    bool Paint(HDC dc) override;
    void DescribeLook(PaintLook& look) override;
    RECT PaintArea(HDC measure) override;

    unsigned int minimum;
    unsigned int maximum;
    unsigned int* value;
    Orientation orientation;
    bool dragging = false;

private:
    bool IsHorizontal() const { return orientation == Horizontal; }
    void Follow(POINT pointer);
    void ShowValue();
};
