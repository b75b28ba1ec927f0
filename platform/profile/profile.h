#pragma once
// The Win32 profile API over INI files: sections in brackets, key=value lines, names
// matched without regard to case. Every write replaces the whole file at once (a
// temporary file, flushed to disk, renamed over the old one), so a crash leaves either
// the old file or the new one, never half of either.

#include "platform/win32_types.h"

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT fallback, LPCSTR fileName);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
// Replaces the section's keys with "key=value" strings, each ended by a null and the
// whole by a second null.
BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR keysAndValues, LPCSTR fileName);

#define GetPrivateProfileString GetPrivateProfileStringA
#define GetPrivateProfileInt GetPrivateProfileIntA
#define WritePrivateProfileString WritePrivateProfileStringA
#define WritePrivateProfileSection WritePrivateProfileSectionA
