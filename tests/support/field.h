#pragma once
// The surroundings of a match for tests: a fresh window system on the headless host, a
// shown window with a 512 x 512 client area, the real frame engine on it with the
// default settings, and helpers to build a match and run it frame by frame.

#include "app/gamer.h"
#include "play/ball.h"
#include "play/main_game.h"
#include "play/paddle.h"
#include "play/player.h"
#include "platform/host/headless/session.h"
#include "screens/data.h"

#include <gtest/gtest.h>

class Field {
public:
    Field()
    {
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
        if (data->painting && engine->GetGame()) engine->EndPaint();
        delete engine;
        DestroyWindow(window);
    }

    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    // A match with the current settings, as the options screen starts it; with `paint`
    // its paint cycle is open, as the engine opens it for a new screen.
    CMainGame& Match(bool paint = false)
    {
        auto* game = new CMainGame(LList<CObject>(false, 1, engine));
        if (paint) engine->InitPaint();
        return *game;
    }

    // The engine's current screen.
    CGame* Screen() { return engine->GetGame(); }

    // One frame as the window procedure runs it: animation (which may replace a finished
    // screen), input sampling, and a repaint of the whole window.
    void Frame()
    {
        engine->Animate();
        engine->UpdateInput();
        InvalidateRect(window, nullptr, FALSE);
        engine->Paint();
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
};
