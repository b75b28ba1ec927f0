#pragma once
// The clickable control of the menu screens: a rectangle or a half-ellipse bulging away
// from one side of the screen, with an optional caption. Under the pointer it turns
// paler with a white outline, and it calls its screen back in every frame in which the
// left button is held over it; lit by something else (a pad's button) it is yellow.

#include "gfx/graphic.h"
#include "model/side.h"

class CButton : public CGraphic {
public:
    static constexpr const char* kType = "CButton";
    CButton(ObjectCallback callback, void* context, unsigned int x, unsigned int y, const str& caption,
            const LList<CObject>& parents, COLORREF color, unsigned int width, unsigned int height,
            EPadType padType, Side side);
    ~CButton() override;
    bool HasType(const str& t) const override;

    void Animate() override;
    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;
    bool EndPaint(HDC dc) override;
    RECT PaintArea(HDC measure) override;
    void DescribeLook(PaintLook& look) override;

    bool enabled = true;
    bool hover = false;
    bool lit = false;
    ObjectCallback callback;
    void* context;
    HPEN hoverPen = nullptr;
    HBRUSH hoverBrush = nullptr;
    HPEN litPen = nullptr;
    HBRUSH litBrush = nullptr;
    COLORREF color;
    EPadType padType;
    Side side;

private:
    void SelectLook(HDC dc);
    void DrawShape(HDC dc);
    void DrawHalfEllipse(HDC dc);
    void ReleaseDrawingObjects(HDC dc);
};
