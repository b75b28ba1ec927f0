#include "ui/text.h"

#include "model/data.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr unsigned int kLeftToRight = 0;
constexpr unsigned int kUpward = 900;
constexpr unsigned int kUpsideDown = 1800;
constexpr unsigned int kDownward = 2700;

constexpr UINT kCentredLine = DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_CENTER;
constexpr UINT kRightAlignedLine = DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_RIGHT;

const char* const kPaddleFace = "Curier New";
constexpr unsigned int kPaddleHeight = 18;
const char* const kTitleFace = "Magneto";
constexpr unsigned int kTitleHeight = 48;
// No text is shrunk below this, however long: past it, it is no longer read.
constexpr unsigned int kSmallestHeight = 8;

// Glyphs of some faces reach a little past the box their advances make (on Windows).
constexpr LONG kGuiInkMargin = 2;

// The box that a text of w x h covers when its unturned top-left corner is at (x, y),
// turned by `angle`.
RECT TurnedBox(LONG x, LONG y, LONG w, LONG h, unsigned int angle)
{
    switch (angle) {
    case kUpward: return RECT{x, y - w, x + h, y};
    case kDownward: return RECT{x - h, y, x, y + w};
    case kUpsideDown: return RECT{x - w, y - h, x, y};
    default: return RECT{x, y, x + w, y + h};
    }
}

RECT Widened(RECT box, LONG margin)
{
    InflateRect(&box, margin, margin);
    return box;
}

// The whole text, measured or drawn by DrawText into `box`.
int DrawWhole(HDC dc, const str& text, RECT* box, UINT format)
{
    return DrawText(dc, text, static_cast<int>(text.Size()), box, format);
}

int LineWidth(HDC dc, const str& text)
{
    RECT box{0, 0, 0, 0};
    DrawText(dc, text, static_cast<int>(text.Size()), &box, DT_CALCRECT | DT_SINGLELINE);
    return box.right - box.left;
}

// The text, or as much of it as fits in `room` pixels followed by "...".
str FittedLine(HDC dc, const str& text, LONG room)
{
    if (room <= 0 || LineWidth(dc, text) <= room) return text;
    const std::string whole(static_cast<const char*>(text));
    std::size_t keep = whole.size();
    str cut;
    do cut = str((whole.substr(0, --keep) + "...").c_str());
    while (keep > 0 && LineWidth(dc, cut) > room);
    return cut;
}

}  // namespace

// ---- CText -----------------------------------------------------------------------

CText::CText(const str& t, const LList<CObject>& parents, const Rect& r) : CGraphic(parents, r), text(t)
{
    type.Load(kType);
    SetRectEmpty(&extent);
    extent.width = extent.height = 0;
}

bool CText::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

const Rect* CText::ParentRect()
{
    auto* parent = GetParent<CGraphic>();
    return parent ? &parent->rect : nullptr;
}

// The text takes over its parent's rectangle afresh every frame, so that placement never
// accumulates and a text follows a moving parent.
void CText::Animate()
{
    CGraphic::Animate();
    if (const Rect* parent = ParentRect()) {
        SetRect(&rect, parent->left, parent->top, parent->right, parent->bottom);
        rect.Recalc();
    }
}

bool CText::InitPaint(HDC dc)
{
    if (!CGraphic::InitPaint(dc)) return false;
    font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return font != nullptr;
}

// The text colour goes back to what it was: sprites' masks are drawn in it.
bool CText::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, font);
    const COLORREF before = SetTextColor(dc, ink);
    const bool drawn = Draw(dc);
    SetTextColor(dc, before);
    return drawn;
}

bool CText::Draw(HDC) { return true; }

COLORREF InkOn(COLORREF fill)
{
    // Relative luminance (sRGB): black reads better than white on anything brighter
    // than about 0.18.
    const auto linear = [](BYTE c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double luminance =
        0.2126 * linear(GetRValue(fill)) + 0.7152 * linear(GetGValue(fill)) + 0.0722 * linear(GetBValue(fill));
    return (luminance + 0.05) / 0.05 >= 1.05 / (luminance + 0.05) ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

void CText::DescribeLook(PaintLook& look) { look.Add(text).Add(ink); }

// ---- CAngleText ------------------------------------------------------------------

CAngleText::CAngleText(const str& t, const LList<CObject>& parents, unsigned int h, str f, unsigned int a,
                       const Rect& r)
    : CText(t, parents, r), angle(a), face(f), height(h), drawnHeight(h), fittedText(t)
{
    type.Load(kType);
}

// A text dropped in the middle of its paint cycle gives its font back.
CAngleText::~CAngleText()
{
    if (prepared) Release(BackBuffer(), font);
}

bool CAngleText::HasType(const str& t) const { return t == kType || CText::HasType(t); }

void CAngleText::Animate()
{
    CText::Animate();
    Measure();
    Fit();
}

// The size of the text in its own font. Before the font exists (the Animate that
// InitPaint runs) the window's own font is measured; the next frame is right.
void CAngleText::Measure()
{
    if (!SizeIsKnown()) {
        CData& data = RequireData(this, "::Animate");
        HDC dc = GetDC(data.window);
        if (!dc) return;
        TextSize(dc);
        ReleaseDC(data.window, dc);
    }
    SetRect(&extent, 0, 0, size.cx, size.cy);
    extent.Recalc();
}

SIZE CAngleText::TextSize(HDC dc)
{
    if (SizeIsKnown()) return size;
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    RECT box{0, 0, 0, 0};
    DrawWhole(dc, text, &box, DT_CALCRECT | DT_SINGLELINE);
    if (previous) SelectObject(dc, previous);
    size = SIZE{box.right - box.left, box.bottom - box.top};
    sized = true;
    sizedText = text;
    sizedInFont = font != nullptr;
    sizedHeight = drawnHeight;
    return size;
}

// A font is made again for each paint cycle and when the text shrinks, so the size is
// known by what the font is made of, not by its handle.
bool CAngleText::SizeIsKnown() const
{
    return sized && sizedText == text && sizedInFont == (font != nullptr) && sizedHeight == drawnHeight;
}

void CAngleText::DescribeLook(PaintLook& look)
{
    CText::DescribeLook(look);
    look.Add(drawnHeight);
}

// Only a text that has its own font can be measured in it, so a paint cycle's first
// frame draws the text at the size it had before.
void CAngleText::Fit()
{
    if (!font) return;
    const LONG space = room > 0 ? room : angle == kUpward || angle == kDownward ? rect.height : rect.width;
    const bool newText = !(text == fittedText);
    if (!newText && (space <= 0 || extent.width <= space)) return;
    unsigned int fitted = newText ? height : drawnHeight;
    fittedText = text;
    for (;;) {
        if (fitted != drawnHeight) {
            Release(BackBuffer(), font);
            font = MakeFont(fitted);
            drawnHeight = fitted;
            Measure();
        }
        if (!font || space <= 0 || extent.width <= space || fitted <= kSmallestHeight) return;
        fitted = std::max(kSmallestHeight, std::min(fitted - 1, fitted * static_cast<unsigned int>(space) /
                                                                   static_cast<unsigned int>(extent.width)));
    }
}

HFONT CAngleText::MakeFont(unsigned int cellHeight) const
{
    LOGFONT description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = static_cast<LONG>(cellHeight);
    description.lfEscapement = static_cast<LONG>(angle);
    description.lfOrientation = static_cast<LONG>(angle);
    description.lfWeight = FW_NORMAL;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&description);
}

bool CAngleText::InitPaint(HDC dc)
{
    if (!CText::InitPaint(dc)) return false;
    font = MakeFont(drawnHeight);
    return font != nullptr;
}

bool CAngleText::Draw(HDC dc)
{
    return TextOut(dc, rect.left, rect.top, text, static_cast<int>(text.Size()));
}

// Where TextOut puts the text in the graphic's own font.
RECT CAngleText::PaintArea(HDC measure)
{
    if (!font) return rect;
    const SIZE drawn = TextSize(measure);
    return Widened(TurnedBox(rect.left, rect.top, drawn.cx, drawn.cy, angle), static_cast<LONG>(height / 4));
}

bool CAngleText::EndPaint(HDC dc)
{
    if (!CGraphic::EndPaint(dc)) return false;
    Release(dc, font);
    return true;
}

// The text's rectangle keeps the parent's size; its top-left corner becomes the point
// at which the text cell's own top-left corner is drawn. `extent` becomes the box that
// the turned text covers on the screen.
void CAngleText::PlaceAt(LONG x, LONG y)
{
    const RECT box = TurnedBox(x, y, extent.width, extent.height, angle);
    OffsetRect(&rect, x - rect.left, y - rect.top);
    rect.Recalc();
    SetRect(&extent, box.left, box.top, box.right, box.bottom);
    extent.Recalc();
}

// ---- The turned texts --------------------------------------------------------------
// Each centres its visual box in the parent's rectangle (the title keeps the parent's
// top edge). W and H are the parent's size, w and h the measured text's.

CLRText::CLRText(const str& t, const LList<CObject>& parents, unsigned int h, str f, const Rect& r)
    : CAngleText(t, parents, h, f, kLeftToRight, r)
{
    type.Load(kType);
}

bool CLRText::HasType(const str& t) const { return t == kType || CAngleText::HasType(t); }

void CLRText::Animate()
{
    CAngleText::Animate();
    const Rect p = rect;
    PlaceAt(p.left + (p.width - extent.width) / 2, p.top + (p.height - extent.height) / 2);
}

CTitleText::CTitleText(const str& t, const LList<CObject>& parents, unsigned int h, str f, const Rect& r)
    : CAngleText(t, parents, h, f, kLeftToRight, r)
{
    type.Load(kType);
}

bool CTitleText::HasType(const str& t) const { return t == kType || CAngleText::HasType(t); }

void CTitleText::Animate()
{
    CAngleText::Animate();
    const Rect p = rect;
    PlaceAt(p.left + (p.width - extent.width) / 2, p.top);
}

CDUText::CDUText(const str& t, const LList<CObject>& parents, unsigned int h, str f, const Rect& r)
    : CAngleText(t, parents, h, f, kUpward, r)
{
    type.Load(kType);
}

bool CDUText::HasType(const str& t) const { return t == kType || CAngleText::HasType(t); }

void CDUText::Animate()
{
    CAngleText::Animate();
    const Rect p = rect;
    PlaceAt(p.left + (p.width - extent.height) / 2, p.bottom - (p.height - extent.width) / 2);
}

CUDText::CUDText(const str& t, const LList<CObject>& parents, unsigned int h, str f, const Rect& r)
    : CAngleText(t, parents, h, f, kDownward, r)
{
    type.Load(kType);
}

bool CUDText::HasType(const str& t) const { return t == kType || CAngleText::HasType(t); }

void CUDText::Animate()
{
    CAngleText::Animate();
    const Rect p = rect;
    PlaceAt(p.right - (p.width - extent.height) / 2, p.top + (p.height - extent.width) / 2);
}

CRLText::CRLText(const str& t, const LList<CObject>& parents, unsigned int h, str f, const Rect& r)
    : CAngleText(t, parents, h, f, kUpsideDown, r)
{
    type.Load(kType);
}

bool CRLText::HasType(const str& t) const { return t == kType || CAngleText::HasType(t); }

void CRLText::Animate()
{
    CAngleText::Animate();
    const Rect p = rect;
    PlaceAt(p.right - (p.width - extent.width) / 2, p.bottom - (p.height - extent.height) / 2);
}

// ---- Plain texts -------------------------------------------------------------------

CNormText::CNormText(const str& t, const LList<CObject>& parents, const Rect& r) : CText(t, parents, r)
{
    type.Load(kType);
}

bool CNormText::HasType(const str& t) const { return t == kType || CText::HasType(t); }

// One line centred both ways on the parent; `extent` is left as the box of the drawn
// text, where a text entry places its caret.
bool CNormText::Draw(HDC dc)
{
    RequireData(this, "::Paint");
    const str shown = FittedLine(dc, text, rect.width);
    extent = Layout(dc, shown);
    DrawWhole(dc, shown, &rect, kCentredLine);
    return true;
}

Rect CNormText::Layout(HDC dc, const str& shown)
{
    Rect box = rect;
    DrawWhole(dc, shown, &box, DT_CALCRECT | kCentredLine);
    box.Recalc();
    OffsetRect(&box, (rect.width - box.width) / 2, (rect.height - box.height) / 2);
    box.Recalc();
    return box;
}

// The whole text's box, centred like the line that is drawn, holds any shortened line.
RECT CNormText::PaintArea(HDC measure)
{
    HGDIOBJ previous = SelectObject(measure, GetStockObject(DEFAULT_GUI_FONT));
    const Rect box = Layout(measure, text);
    SelectObject(measure, previous);
    return Widened(box, kGuiInkMargin);
}

CRightNormText::CRightNormText(const str& t, const LList<CObject>& parents, const Rect& r)
    : CText(t, parents, r)
{
    type.Load(kType);
}

bool CRightNormText::HasType(const str& t) const { return t == kType || CText::HasType(t); }

// A label that ends 5 pixels before its parent, derived from the parent on every paint.
bool CRightNormText::Draw(HDC dc)
{
    Rect box = LabelBox();
    extent = box;
    DrawWhole(dc, text, &extent, DT_CALCRECT | kRightAlignedLine);
    extent.Recalc();
    // An empty label has nothing to draw, which is no failure.
    return DrawWhole(dc, text, &box, kRightAlignedLine) != 0 || text.Size() == 0;
}

Rect CRightNormText::LabelBox()
{
    const Rect* parent = ParentRect();
    Rect box = parent ? *parent : rect;
    OffsetRect(&box, -(box.width + kLabelGap), 0);
    box.Recalc();
    return box;
}

// Right-aligned and centred up and down in the label's box.
RECT CRightNormText::PaintArea(HDC measure)
{
    const Rect box = LabelBox();
    HGDIOBJ previous = SelectObject(measure, GetStockObject(DEFAULT_GUI_FONT));
    RECT measured = box;
    DrawWhole(measure, text, &measured, DT_CALCRECT | kRightAlignedLine);
    SelectObject(measure, previous);
    const LONG w = measured.right - measured.left, h = measured.bottom - measured.top;
    const LONG top = box.top + (box.bottom - box.top - h) / 2;
    return Widened(RECT{box.right - w, top, box.right, top + h}, kGuiInkMargin);
}

// ---- Factory -----------------------------------------------------------------------

CText* MakeText(const str& text, ETextDir dir, const LList<CObject>& parents)
{
    const Rect empty(0, 0, 0, 0);
    switch (dir) {
    case TextNorm: return new CNormText(text, parents, empty);
    case TextUD: return new CUDText(text, parents, kPaddleHeight, str(kPaddleFace), empty);
    case TextDU: return new CDUText(text, parents, kPaddleHeight, str(kPaddleFace), empty);
    case TextLR: return new CLRText(text, parents, kPaddleHeight, str(kPaddleFace), empty);
    case TextRL: return new CRLText(text, parents, kPaddleHeight, str(kPaddleFace), empty);
    case TextTitle: return new CTitleText(text, parents, kTitleHeight, str(kTitleFace), empty);
    }
    return nullptr;
}
