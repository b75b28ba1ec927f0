#pragma once
// The frame engine: the root of the object tree. It runs the frame clock, animates the
// current screen on every tick and replaces it when it is finished, keeps the back
// buffer that every graphic paints into, confines the cursor for screens that capture
// it, tilts the ball, and reads and writes the players' settings.

#include "gfx/static_graphic.h"
#include "app/paint_check.h"
#include "app/settings.h"

#include <vector>

class CData;
class CGame;

class CGamer : public CStaticGraphic {
public:
    static constexpr const char* kType = "CGamer";
    CGamer(HWND window, unsigned int period, unsigned int timerId);
    ~CGamer() override;
    bool HasType(const str& t) const override;

    void Start();
    void Stop();
    void Pause();
    void UnPause();
    void TogglePaused();
    // The window has lost the focus (`away`) or has it again: the clock stops or goes on,
    // and the match says "Paused" while the window is away.
    void Away(bool away);

    void Animate() override;
    // One tick of the frame clock: a frame (Animate, then UpdateInput), unless it is a
    // frame of an online match that is not due yet on the match's clock or must wait
    // for the other machines' inputs. An online match behind its clock runs a second
    // frame in the tick, to catch up.
    void Tick();
    bool InitPaint();
    bool Paint();
    bool EndPaint();
    using CStaticGraphic::EndPaint;
    using CStaticGraphic::InitPaint;
    using CStaticGraphic::Paint;

    CGame* GetGame();
    bool Tilt();
    // Writes the settings when they changed; every screen change, New Game and the end
    // of the program call it, so leaving a settings screen keeps what it set.
    void SaveSettings();

    HWND window;
    HDC windowDC = nullptr;
    unsigned int period;
    unsigned int timerId;
    bool running = false;
    bool paused = false;
    bool gameReady = true;
    bool cursorShown = true;
    CGame* game = nullptr;
    SettingsFile settings;
    HDC measureDC = nullptr;  // scratch, for graphics that measure their text
    // The parts of the window that the last paint repainted (or, when it failed, that
    // the next one repaints).
    std::vector<RECT> parts;

private:
    void FindParts(CGame& current);
    void KeepDueParts();
    bool partsPainted = true;
    bool PaintParts(CGame& current);
    PaintCheck paintCheck;
    CGame& RequireGame(const char* context);
    CData& RequireEngineData(const char* context);
    void ConfineCursor(CData& data);
    void HideCursor();
    void ShowPaused();
    void ReplaceFinishedGame();
    // A frame of Tick, if it is due (the first of the tick takes in what the network
    // brought); whether an online match may run another frame in the same tick.
    bool Step(bool first);
    static constexpr unsigned int kMostFramesATick = 2;

    bool away = false;
};
