#include "platform/profile/files.h"

#include "platform/profile/ini_file.h"

#include <sys/stat.h>
#include <unistd.h>

BOOL MoveFileExA(LPCSTR existing, LPCSTR target, DWORD flags)
{
    if (!existing || !target) return FALSE;
    struct stat about {};
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && ::lstat(target, &about) == 0) return FALSE;
    return profile::RenameFile(existing, target, (flags & MOVEFILE_WRITE_THROUGH) != 0) ? TRUE : FALSE;
}

// Folders are not files: DeleteFile leaves them, as on Windows.
BOOL DeleteFileA(LPCSTR path) { return path && ::unlink(path) == 0 ? TRUE : FALSE; }
