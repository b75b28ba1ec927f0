#pragma once
// The one header through which the game reaches the operating system. On Windows it is
// Windows itself; elsewhere it is our own implementation of the same subset, with the
// same names, types, constants and signatures.

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#include <xinput.h>
#else
#include "platform/win32_types.h"
#include "platform/gdi/gdi32.h"
#include "platform/user/user32.h"
#include "platform/profile/files.h"
#include "platform/profile/profile.h"
#include "platform/sound/winmm.h"
#include "platform/xinput/xinput.h"
#endif
#include "platform/xinput/pad_name.h"
