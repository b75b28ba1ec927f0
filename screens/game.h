#pragma once
// The base of every screen: a holder over the whole client area that owns the screen's
// widgets and graphics. A screen marks itself finished; the engine then asks it for its
// successor and deletes it.

#include "gfx/holder.h"

class CGame : public CGraphicHolder {
public:
    explicit CGame(const LList<CObject>& parents);
    bool HasType(str t) const override;

    virtual bool GameOver();
    virtual CGame* NextGame();

    bool gameOver = false;
    bool capturesCursor = false;

protected:
    // The engine, which every successor screen takes as its only parent.
    LList<CObject> Successor() { return LList<CObject>(false, 1, GetParent()); }
};
