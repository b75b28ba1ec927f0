#pragma once
// Text graphics. A text takes over the rectangle of its first parent that is a graphic
// every frame and places itself inside it: plain and right-aligned labels in the default
// GUI font, and texts in a face of their own turned by 0, 90, 180 or 270 degrees. A text
// never runs past its parent: a turned text longer than its parent is drawn in a smaller
// size of its face, a centred label loses its last letters to "...".

#include "gfx/graphic.h"

// Which text class MakeText builds.
enum ETextDir : unsigned int { TextNorm = 0, TextUD = 1, TextDU = 2, TextLR = 3, TextRL = 4, TextTitle = 5 };

// The direction of the text on each pad slot's paddle, so that the tops of the letters
// face the middle of the field.
constexpr ETextDir ePadTexts[4] = {TextLR, TextUD, TextRL, TextDU};

class CText : public CGraphic {
public:
    static constexpr const char* kType = "CText";
    CText(const str& text, const LList<CObject>& parents, const Rect& r);
    bool HasType(const str& t) const override;

    void Animate() override;
    bool InitPaint(HDC dc) override;
    bool Paint(HDC dc) override;
    void DescribeLook(PaintLook& look) override;

    str text;
    Rect extent{0, 0, 0, 0};
    HFONT font = nullptr;
    // The colour the text is drawn in.
    COLORREF ink = RGB(0, 0, 0);

protected:
    // Draws the text, its font and colour chosen.
    virtual bool Draw(HDC dc);
    // The rectangle of the first parent that is a graphic, or null.
    const Rect* ParentRect();
};

class CAngleText : public CText {
public:
    static constexpr const char* kType = "CAngleText";
    CAngleText(const str& text, const LList<CObject>& parents, unsigned int height, str face,
               unsigned int angle, const Rect& r);
    ~CAngleText() override;
    bool HasType(const str& t) const override;

    void Animate() override;
    bool InitPaint(HDC dc) override;
    bool EndPaint(HDC dc) override;
    RECT PaintArea(HDC measure) override;
    void DescribeLook(PaintLook& look) override;

    unsigned int angle;
    str face;
    unsigned int height;  // as asked for; smaller while the text does not fit
    LONG room = 0;        // the length the text may take along its run; 0: its parent's

protected:
    bool Draw(HDC dc) override;
    // Moves the text's rectangle so that its top-left corner is the reference point.
    void PlaceAt(LONG x, LONG y);

private:
    void Measure();
    // The size of the text in its font (before the font exists, in `dc`'s), measured
    // again only when the text or the font's size changed.
    SIZE TextSize(HDC dc);
    bool SizeIsKnown() const;
    // Shrinks the face until the text fits the parent's length along it; a new text
    // starts again from the size asked for.
    void Fit();
    HFONT MakeFont(unsigned int cellHeight) const;

    unsigned int drawnHeight;  // the font's cell height
    str fittedText;            // the text that drawnHeight was found for
    bool sized = false;
    str sizedText;
    bool sizedInFont = false;  // measured in the text's own font, not the DC's
    unsigned int sizedHeight = 0;
    SIZE size{0, 0};
};

// Left to right, centred both ways.
class CLRText : public CAngleText {
public:
    static constexpr const char* kType = "CLRText";
    CLRText(const str& text, const LList<CObject>& parents, unsigned int height, str face, const Rect& r);
    bool HasType(const str& t) const override;
    void Animate() override;
};

// Left to right, centred horizontally, top edge on the parent's top edge.
class CTitleText : public CAngleText {
public:
    static constexpr const char* kType = "CTitleText";
    CTitleText(const str& text, const LList<CObject>& parents, unsigned int height, str face, const Rect& r);
    bool HasType(const str& t) const override;
    void Animate() override;
};

// Bottom to top, centred.
class CDUText : public CAngleText {
public:
    static constexpr const char* kType = "CDUText";
    CDUText(const str& text, const LList<CObject>& parents, unsigned int height, str face, const Rect& r);
    bool HasType(const str& t) const override;
    void Animate() override;
};

// Top to bottom, centred.
class CUDText : public CAngleText {
public:
    static constexpr const char* kType = "CUDText";
    CUDText(const str& text, const LList<CObject>& parents, unsigned int height, str face, const Rect& r);
    bool HasType(const str& t) const override;
    void Animate() override;
};

// Right to left, upside down, centred.
class CRLText : public CAngleText {
public:
    static constexpr const char* kType = "CRLText";
    CRLText(const str& text, const LList<CObject>& parents, unsigned int height, str face, const Rect& r);
    bool HasType(const str& t) const override;
    void Animate() override;
};

// One line in the default GUI font, centred on the parent.
class CNormText : public CText {
public:
    static constexpr const char* kType = "CNormText";
    CNormText(const str& text, const LList<CObject>& parents, const Rect& r);
    bool HasType(const str& t) const override;
    RECT PaintArea(HDC measure) override;

protected:
    bool Draw(HDC dc) override;

private:
    // The box of `shown` as Draw draws it, measured in `dc`'s font.
    Rect Layout(HDC dc, const str& shown);
};

// One line in the default GUI font, right-aligned, ending 5 pixels left of the parent.
class CRightNormText : public CText {
public:
    static constexpr const char* kType = "CRightNormText";
    static constexpr LONG kLabelGap = 5;

    CRightNormText(const str& text, const LList<CObject>& parents, const Rect& r);
    bool HasType(const str& t) const override;
    RECT PaintArea(HDC measure) override;

protected:
    bool Draw(HDC dc) override;

private:
    // The box the label is aligned in: left of the parent.
    Rect LabelBox();
};

// Black or white, whichever reads better on `fill`.
COLORREF InkOn(COLORREF fill);

// A new text of the class for `dir`, or null for a direction outside the table.
CText* MakeText(const str& text, ETextDir dir, const LList<CObject>& parents);
