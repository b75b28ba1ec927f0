#pragma once
// The surroundings of a match for tests: a fresh window system on the headless host, a
// shown window with a 512 x 512 client area, the real frame engine on it with the
// default settings, and helpers to build a match and run it frame by frame.

#include "app/gamer.h"
#include "app/resources.h"
#include "model/controls.h"
#include "play/ball.h"
#include "play/countdown.h"
#include "screens/match_screen.h"
#include "play/paddle.h"
#include "play/player.h"
#include "platform/host/headless/session.h"
#include "model/data.h"

#include <algorithm>
#include <cstdlib>

class Field {
public:
    Field()
    {
        resources::Register();  // the sounds, as WinMain makes them known
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "QuorvelField";
        RegisterClass(&wc);
        RECT frame{0, 0, 512, 512};
        AdjustWindowRect(&frame, WS_CAPTION, FALSE);
        window = CreateWindow("QuorvelField", "Field", WS_CAPTION, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(window, SW_SHOWNORMAL);
        engine = new CGamer(window, 20, 1);
        data = FindData(engine);
        data->FillDefaults(engine);
    }

    ~Field()
    {
        if (engine) Close();
        DestroyWindow(window);
    }

    // Deletes the engine with everything in it, as the window's destruction does.
    void Close()
    {
        if (data->painting && engine->GetGame()) engine->EndPaint();
        delete engine;
        engine = nullptr;
        data = nullptr;
    }

    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    // Who plays in pad slots 0 to 3 (bottom, left, top, right); 0 for nobody.
    void Slots(unsigned int bottom, unsigned int left, unsigned int top, unsigned int right)
    {
        const unsigned int numbers[kPadSlots] = {bottom, left, top, right};
        for (unsigned int s = 0; s < kPadSlots; ++s) data->padPlayers[s] = numbers[s];
    }

    // Every player on the mouse, for tests that steer the paddles with the pointer.
    void Mice()
    {
        for (SPlayerOptions& player : data->players) player.input->SetMouse(0);
    }

    // Every player a computer player at `level`.
    void Computers(unsigned int level)
    {
        for (SPlayerOptions& player : data->players) player.input->SetComputer(level);
    }

    // A match with the current settings, as the options screen starts it; with `paint`
    // its paint cycle is open, as the engine opens it for a new screen.
    CMainGame& Match(bool paint = false)
    {
        auto* game = new CMatchScreen(LList<CObject>(false, 1, engine));
        if (paint) engine->InitPaint();
        return *game;
    }

    // Lets the current match's countdown run out at once: the ball and the paddles play.
    void SkipCountdown()
    {
        auto* game = dynamic_cast<CMainGame*>(Screen());
        while (game && game->countdown->Running()) game->countdown->Animate();
    }

    // The engine's current screen.
    CGame* Screen() { return engine->GetGame(); }

    // One frame as the window procedure runs it: animation (which may replace a finished
    // screen and invalidates what moved), input sampling, and the repaint.
    void Frame()
    {
        engine->Animate();
        engine->UpdateInput();
        engine->Paint();
    }

    // The mouse near the ball's centre: every mouse paddle follows the ball, meeting it
    // off its middle by up to `spread` pixels (a new offset every 40 frames) so that the
    // rounded paddles send it on different ways.
    void Follow(int spread = 0)
    {
        if (spread > 0 && offsetAge++ % 40 == 0) {
            offsetX = std::rand() % (2 * spread + 1) - spread;
            offsetY = std::rand() % (2 * spread + 1) - spread;
        }
        const Rect& b = Ball().rect;
        const int x = (b.left + b.right) / 2 + offsetX, y = (b.top + b.bottom) / 2 + offsetY;
        engine->MouseMove(static_cast<unsigned int>(std::max(x, 0)), static_cast<unsigned int>(std::max(y, 0)));
    }

    template <class T>
    T* Find(const char* type, unsigned int n = 1)
    {
        return dynamic_cast<T*>(Screen()->FindChild(str(type), false, n));
    }
    CBall& Ball() { return *Find<CBall>("CBall"); }
    // The paddle on `side`, or null.
    CPaddle* PaddleOn(Side side)
    {
        for (unsigned int n = 1; CPaddle* paddle = Find<CPaddle>("CPaddle", n); ++n)
            if (paddle->side == side) return paddle;
        return nullptr;
    }
    CPlayer& PlayerOn(Side side) { return *PaddleOn(side)->player; }

    static DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

    headless::Session session;
    HWND window = nullptr;
    CGamer* engine = nullptr;
    CData* data = nullptr;

private:
    int offsetX = 0, offsetY = 0, offsetAge = 0;
};
