#pragma once
// A small program written against the window system alone, for as long as the game's
// shell does not exist: a 512 x 512 window with a menu, accelerators and an About box,
// a 20 ms timer that moves a ball over a wall of bricks. The SDL build shows it, the
// replay tool and the host tests run it.

#include "platform/win32.h"

namespace demo {

constexpr WORD kMenuId = 1;
constexpr WORD kAcceleratorsId = 2;
constexpr WORD kAboutId = 3;

constexpr WORD kCommandNew = 301;
constexpr WORD kCommandBoss = 302;
constexpr WORD kCommandPause = 303;
constexpr WORD kCommandAbout = 104;
constexpr WORD kCommandExit = 105;

constexpr COLORREF kBackground = RGB(0, 0, 64);
constexpr COLORREF kBrick = RGB(200, 60, 40);
constexpr COLORREF kBall = RGB(255, 255, 255);

int WINAPI Main(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCmd);

// What the program saw, for tests to look at.
struct Record {
    int ticks = 0;
    int paints = 0;
    int commands = 0;
    WORD lastCommand = 0;
    int clicks = 0;
    int doubleClicks = 0;
    int activations = 0;
    int deactivations = 0;
};
const Record& Seen();

}  // namespace demo
