#include "core/alert.h"

#include "core/str.h"
#include "platform/win32.h"

void Alert(const str& text, const str& caption, unsigned int flags)
{
    MessageBox(nullptr, text, caption, flags);
}
