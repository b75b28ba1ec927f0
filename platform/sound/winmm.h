#pragma once
// WINMM's PlaySound for sounds kept as resources: the program registers its WAVE
// resources under ids (as a resource script would carry them), and PlaySound with
// SND_RESOURCE starts one, mixed with those already playing, through the output a host
// installed (sound/output.h). Without an output, or for an unknown sound, it returns FALSE.

#include "platform/win32_types.h"

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_MEMORY = 0x0004;
constexpr DWORD SND_LOOP = 0x0008;
constexpr DWORD SND_NOSTOP = 0x0010;
constexpr DWORD SND_PURGE = 0x0040;
constexpr DWORD SND_RESOURCE = 0x00040004;

// A null sound stops every sound playing. Only integer resource ids are known here;
// SND_SYNC plays asynchronously all the same (the game never waits for a sound).
BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);

#define PlaySound PlaySoundA
