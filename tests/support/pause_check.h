#pragma once
// The program's "Pause Game" menu item, as a player sees it.

#include "app/resources.h"
#include "platform/win32.h"

// The state of the "Pause Game" check mark (setting it to what it was).
inline bool PauseChecked(HWND window)
{
    const DWORD was = CheckMenuItem(GetMenu(window), resources::kPauseGame, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(GetMenu(window), resources::kPauseGame, MF_BYCOMMAND | was);
    return was == MF_CHECKED;
}
