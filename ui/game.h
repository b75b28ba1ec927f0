#pragma once
// The base of every screen: a holder over the whole client area that owns the screen's
// widgets and graphics. A screen marks itself finished; the engine then asks it for its
// successor and deletes it.

#include "gfx/holder.h"

class CGame : public CGraphicHolder {
public:
    static constexpr const char* kType = "CGame";
    explicit CGame(const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    virtual bool GameOver();
    virtual CGame* NextGame();

    // The engine's clock starts again after it stopped (a pause, the window losing its
    // focus or being minimised), and the player pauses or goes on. Screens that run
    // against the clock react; menus do not.
    virtual void Resumed() {}
    virtual void Paused(bool) {}

    bool gameOver = false;
    bool capturesCursor = false;

protected:
    // The engine, which every successor screen takes as its only parent.
    LList<CObject> Successor() { return LList<CObject>(false, 1, GetParent()); }
};
