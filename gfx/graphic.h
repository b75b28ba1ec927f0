#pragma once
// Everything drawn in the window. A graphic has a rectangle, an animation step and a
// three-phase paint protocol: InitPaint (one Animate, then its drawing resources),
// Paint (on every repaint), EndPaint (release). A paint cycle spans a whole screen.

#include "core/object.h"
#include "core/rect.h"
#include "platform/win32.h"

class CGraphic : public CObject {
public:
    static constexpr const char* kType = "CGraphic";
    CGraphic(const LList<CObject>& parents, const Rect& r);
    ~CGraphic() override;
    bool HasType(str t) const override;

    virtual void Animate();
    virtual bool InitPaint(HDC dc);
    virtual bool Paint(HDC dc);
    virtual bool EndPaint(HDC dc);
    // Prepared now, when it is not yet and the engine's paint cycle is open (as it would
    // be at its first Paint, with the one Animate that InitPaint runs).
    void Prepare();

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
