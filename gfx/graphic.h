#pragma once
// Everything drawn in the window. A graphic has a rectangle, an animation step and a
// three-phase paint protocol: InitPaint (one Animate, then its drawing resources),
// Paint (when a repaint meets it), EndPaint (release). A paint cycle spans a whole
// screen. A graphic remembers the area and look of its last paint, so that only what
// changed is painted again.

#include "core/object.h"
#include "core/rect.h"
#include "gfx/paint_look.h"
#include "platform/win32.h"

#include <cstdint>
#include <optional>
#include <vector>

class CGraphic : public CObject {
public:
    static constexpr const char* kType = "CGraphic";
    CGraphic(const LList<CObject>& parents, const Rect& r);
    ~CGraphic() override;
    bool HasType(const str& t) const override;

    virtual void Animate();
    virtual bool InitPaint(HDC dc);
    virtual bool Paint(HDC dc);
    virtual bool EndPaint(HDC dc);
    // Prepared now, when it is not yet and the engine's paint cycle is open (as it would
    // be at its first Paint, with the one Animate that InitPaint runs).
    void Prepare();

    // The part of the window that a paint now would cover: the rectangle, unless the
    // graphic draws elsewhere. `measure` is a scratch DC for measuring text.
    virtual RECT PaintArea(HDC measure);
    // Adds everything besides the area that decides the picture a paint now would make.
    virtual void DescribeLook(PaintLook& look);

    // Compares what a paint now would show with what the last paint showed; when they
    // differ, adds the old and new areas to `changed` and remembers the new ones as
    // painted. A graphic that was never painted has changed.
    void TakeChange(HDC measure, std::vector<RECT>& changed);
    // Whether the last paint's area meets `box` (true when it was never compared).
    bool PaintMeets(const RECT& box) const;

    // The process-wide order check: an unprepared Paint outside the engine's paint cycle
    // is reported once, then let through.
    static bool orderCheck;

    Rect rect;
    ObjectCallback animator = nullptr;
    HBITMAP bitmap = nullptr;
    HDC memDC = nullptr;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    unsigned int frames = 0;
    bool prepared = false;
    std::optional<RECT> paintedArea;  // none before its first paint
    bool holdsGraphics = false;        // a CGraphicHolder, which paints only its children
    std::uint64_t paintedLook = 0;
    // Whether Animate found the settings in this graphic's tree. They stay until the tree
    // is torn down and a graphic never changes trees, so Animate looks only once.
    bool settingsSeen = false;

protected:
    // Delete a pen, brush or font and forget its handle, first taking it out of `dc` if
    // it is selected there (a selected object cannot be deleted).
    static void Release(HDC dc, HPEN& object);
    static void Release(HDC dc, HBRUSH& object);
    static void Release(HDC dc, HFONT& object);

    // A solid pen of width 0 and a solid brush, both in `color`, as `pen` and `brush`;
    // true when both exist. ReleaseTools gives both back through Release.
    bool MakeSolidTools(COLORREF color);
    void ReleaseTools(HDC dc);
    // Draws `rect` into `dc` with the graphic's own pen and brush.
    void PaintRectWithTools(HDC dc);

    // The device context that graphics draw into: the engine's back buffer, or null.
    HDC BackBuffer();

private:
    static void ReleaseObject(HDC dc, HGDIOBJ object, UINT kind, int stockReplacement);
    void PrepareOnDemand();
};
