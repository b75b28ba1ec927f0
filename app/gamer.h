#pragma once
// The frame engine: the root of the object tree. It runs the frame clock, animates the
// current screen on every tick and replaces it when it is finished, keeps the back
// buffer that every graphic paints into, confines the cursor for screens that capture
// it, and tilts the ball.

#include "gfx/static_graphic.h"

class CData;
class CGame;

class CGamer : public CStaticGraphic {
public:
    CGamer(HWND window, unsigned int period, unsigned int timerId);
    ~CGamer() override;
    bool HasType(str t) const override;

    void Start();
    void Stop();
    void ToggleOn();
    void Pause();
    void UnPause();
    void TogglePaused();

    void Animate() override;
    bool InitPaint();
    bool Paint();
    bool EndPaint();
    using CStaticGraphic::EndPaint;
    using CStaticGraphic::InitPaint;
    using CStaticGraphic::Paint;

    CGame* GetGame();
    bool Tilt();

    HWND window;
    HDC windowDC = nullptr;
    unsigned int period;
    unsigned int timerId;
    bool running = false;
    bool paused = false;
    bool gameReady = true;
    bool cursorShown = true;
    CGame* game = nullptr;

private:
    CGame& RequireGame(const char* context);
    CData& RequireEngineData(const char* context);
    void ConfineCursor(CData& data);
    void HideCursor();
    void ShowPaused();
    void ReplaceFinishedGame();
};
