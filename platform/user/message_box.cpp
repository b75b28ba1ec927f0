#include "platform/user/user32.h"

#include <cstdio>

// Until the window system can show a box, a message box is written to standard error
// and answered with OK.
int MessageBox(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    std::fprintf(stderr, "[%s] %s\n", caption ? caption : "", text ? text : "");
    return IDOK;
}
