#include "ui/text.h"

#include "model/data.h"

#include <algorithm>
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

bool CText::HasType(str t) const { return t == kType || CGraphic::HasType(t); }

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

bool CText::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, font);
    return true;
}

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

bool CAngleText::HasType(str t) const { return t == kType || CText::HasType(t); }

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
    CData& data = RequireData(this, "::Animate");
    HDC dc = GetDC(data.window);
    if (!dc) return;
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SetRectEmpty(&extent);
    DrawWhole(dc, text, &extent, DT_CALCRECT | DT_SINGLELINE);
    extent.Recalc();
    if (previous) SelectObject(dc, previous);
    ReleaseDC(data.window, dc);
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

bool CAngleText::Paint(HDC dc)
{
    if (!CText::Paint(dc)) return false;
    return TextOut(dc, rect.left, rect.top, text, static_cast<int>(text.Size()));
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
    const LONG w = extent.width, h = extent.height;
    OffsetRect(&rect, x - rect.left, y - rect.top);
    rect.Recalc();
    switch (angle) {
    case kUpward: SetRect(&extent, x, y - w, x + h, y); break;
    case kDownward: SetRect(&extent, x - h, y, x, y + w); break;
    case kUpsideDown: SetRect(&extent, x - w, y - h, x, y); break;
    default: SetRect(&extent, x, y, x + w, y + h); break;
    }
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

bool CLRText::HasType(str t) const { return t == kType || CAngleText::HasType(t); }

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

bool CTitleText::HasType(str t) const { return t == kType || CAngleText::HasType(t); }

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

bool CDUText::HasType(str t) const { return t == kType || CAngleText::HasType(t); }

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

bool CUDText::HasType(str t) const { return t == kType || CAngleText::HasType(t); }

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

bool CRLText::HasType(str t) const { return t == kType || CAngleText::HasType(t); }

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

bool CNormText::HasType(str t) const { return t == kType || CText::HasType(t); }

// One line centred both ways on the parent; `extent` is left as the box of the drawn
// text, where a text entry places its caret.
bool CNormText::Paint(HDC dc)
{
    if (!CText::Paint(dc)) return false;
    RequireData(this, "::Paint");
    const str shown = FittedLine(dc, text, rect.width);
    extent = rect;
    DrawWhole(dc, shown, &extent, DT_CALCRECT | kCentredLine);
    extent.Recalc();
    OffsetRect(&extent, (rect.width - extent.width) / 2, (rect.height - extent.height) / 2);
    extent.Recalc();
    DrawWhole(dc, shown, &rect, kCentredLine);
    return true;
}

CRightNormText::CRightNormText(const str& t, const LList<CObject>& parents, const Rect& r)
    : CText(t, parents, r)
{
    type.Load(kType);
}

bool CRightNormText::HasType(str t) const { return t == kType || CText::HasType(t); }

// A label that ends 5 pixels before its parent, derived from the parent on every paint.
bool CRightNormText::Paint(HDC dc)
{
    if (!CText::Paint(dc)) return false;
    const Rect* parent = ParentRect();
    Rect box = parent ? *parent : rect;
    OffsetRect(&box, -(box.width + kLabelGap), 0);
    box.Recalc();
    extent = box;
    DrawWhole(dc, text, &extent, DT_CALCRECT | kRightAlignedLine);
    extent.Recalc();
    // An empty label has nothing to draw, which is no failure.
    return DrawWhole(dc, text, &box, kRightAlignedLine) != 0 || text.Size() == 0;
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
