#pragma once
// The program's menu, accelerator table and About box, and their ids.

#include "platform/win32.h"

namespace resources {

constexpr WORD kMenu = 979;
constexpr WORD kAccelerators = 109;
constexpr WORD kAboutDialog = 103;
// The game's icon (assets/icons), on the window and in the task bar. Elsewhere than
// Windows the SDL host puts the same picture on the window itself.
constexpr WORD kProgramIcon = 1;

constexpr WORD kExit = 105;
constexpr WORD kAbout = 104;
constexpr WORD kNewGame = 301;
constexpr WORD kBoss = 302;
constexpr WORD kPauseGame = 303;
constexpr WORD kTilt = 304;
constexpr WORD kSound = 305;
constexpr WORD kResetPlayers = 306;

// Makes the resources known under their ids (on Windows the resource script does).
void Register();

}  // namespace resources
