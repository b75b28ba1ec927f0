#pragma once
// A black frame around a widget: marks the chosen one of a group of buttons, such as the
// kind of input a player uses.

#include "gfx/graphic.h"

class CMark : public CGraphic {
public:
    static constexpr const char* kType = "CMark";
    // `parents`: the marked widget's screen; the frame stands just outside `around`.
    CMark(const Rect& around, const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    bool Paint(HDC dc) override;
};
