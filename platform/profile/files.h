#pragma once
// The file calls that go with the profile files: replacing one file by another in one
// step, and deleting one. Renames pass the same hook as the profile writes.

#include "platform/win32_types.h"

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

// Without MOVEFILE_REPLACE_EXISTING an existing target makes it fail; with
// MOVEFILE_WRITE_THROUGH it returns once the rename is on the disk.
BOOL MoveFileExA(LPCSTR existing, LPCSTR target, DWORD flags);
BOOL DeleteFileA(LPCSTR path);

#define MoveFileEx MoveFileExA
#define DeleteFile DeleteFileA
