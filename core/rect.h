#pragma once
// A Win32 rectangle with its width and height kept beside it, never thinner than 2
// pixels in either direction after Recalc. It is a RECT, so it goes wherever a RECT* is
// expected; whoever changes the corners through such a call runs Recalc afterwards.

#include "platform/win32.h"

class Rect : public RECT {
public:
    Rect(int left = 0, int top = 0, int right = 0, int bottom = 0);

    void Recalc();

    LONG width = 0;
    LONG height = 0;
};

POINT MkPoint(int x, int y);
