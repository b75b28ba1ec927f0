#include "ui/color_block.h"

namespace {

constexpr unsigned int kSize = 100;

BYTE Component(const unsigned int* value) { return static_cast<BYTE>(*value); }

}  // namespace

CColorBlock::CColorBlock(unsigned int* red, unsigned int* green, unsigned int* blue, unsigned int x,
                         unsigned int y, const LList<CObject>& parents)
    : CGraphic(parents, Rect(x, y, x + kSize, y + kSize)), red(red), green(green), blue(blue)
{
    type.Load(kType);
}

CColorBlock::~CColorBlock() { Release(BackBuffer(), brush); }

bool CColorBlock::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

void CColorBlock::DescribeLook(PaintLook& look) { look.Add(*red).Add(*green).Add(*blue); }

bool CColorBlock::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    // The brush lives only for this paint, so the block always shows the current mixture.
    brush = CreateSolidBrush(RGB(Component(red), Component(green), Component(blue)));
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, brush);
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    Release(dc, brush);
    return true;
}
