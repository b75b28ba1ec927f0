#pragma once
// Graphics whose picture is drawn once per paint cycle into a surface of their own and
// copied to their position on every repaint; the alpha kind adds a monochrome mask
// (white = transparent, black = opaque) so that only its shape covers the background.

#include "gfx/graphic.h"

class CStaticGraphic : public CGraphic {
public:
    static constexpr const char* kType = "CStaticGraphic";
    CStaticGraphic(const LList<CObject>& parents, const Rect& r);
    ~CStaticGraphic() override;
    bool HasType(const str& t) const override;

    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;
    bool EndPaint(HDC dc) override;
    RECT PaintArea(HDC measure) override;
    void DescribeLook(PaintLook& look) override;

    // How many times its picture was drawn (once per preparation).
    unsigned int pictures = 0;

private:
    void ReleaseSurface();
};

class CAlphaStaticGraphic : public CStaticGraphic {
public:
    static constexpr const char* kType = "CAlphaStaticGraphic";
    CAlphaStaticGraphic(const LList<CObject>& parents, const Rect& r);
    ~CAlphaStaticGraphic() override;
    bool HasType(const str& t) const override;

    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;
    bool EndPaint(HDC dc) override;

    HDC maskDC = nullptr;
    HBITMAP mask = nullptr;

private:
    void ReleaseMask();
};
