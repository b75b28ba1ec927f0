#pragma once
// The Win32 program around the game: the window, its menu and accelerators, and the
// window procedure that hands timer, paint, key and mouse messages to the frame engine.

#include "platform/win32.h"

#include <string>

class CGamer;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK About(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The one frame engine while the window exists, for tests that look inside; null
// before the window is created and after it is destroyed.
CGamer* CurrentGamer();

// The program starts by playing the recording in `path` instead of the intro.
void WatchAtStart(const std::string& path);
// The current screen gives way to the recording in `path` at once; a file that cannot be
// played opens the list of replays, which says why, and the reason is returned (empty
// when the recording plays).
std::string WatchReplay(const std::string& path);
