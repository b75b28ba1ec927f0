#include "platform/user/keyboard_layout.h"
#include "platform/user/window_system.h"

#include <algorithm>
#include <cctype>
#include <cstring>

using user::System;

UINT MapVirtualKey(UINT code, UINT mapType)
{
    switch (mapType) {
    case MAPVK_VK_TO_VSC: {
        const user::KeyLayout* key = user::LayoutOfKey(code);
        return key ? key->scanCode : 0;
    }
    case MAPVK_VK_TO_VSC_EX: {
        // Keys of the extended block carry the 0xE0 prefix in the high byte.
        const user::KeyLayout* key = user::LayoutOfKey(code);
        if (!key) return 0;
        return key->extended ? 0xE000u | key->scanCode : key->scanCode;
    }
    case MAPVK_VSC_TO_VK:
        return user::KeyOfScanCode(code);
    case MAPVK_VK_TO_CHAR: {
        // Letters map to their capitals, as Windows reports them.
        const char c = user::CharacterOfKey(code, false);
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(c)));
    }
    default:
        return 0;
    }
}

int GetKeyNameText(LONG lParam, LPSTR buffer, int size)
{
    if (!buffer || size <= 0) return 0;
    const UINT scanCode = (static_cast<DWORD>(lParam) >> 16) & 0xFF;
    const bool extended = (static_cast<DWORD>(lParam) >> 24) & 1;
    const char* name = user::NameOfScanCode(scanCode, extended);
    if (!name) {
        buffer[0] = '\0';
        return 0;
    }
    const int length = static_cast<int>(std::min<std::size_t>(std::strlen(name), static_cast<std::size_t>(size - 1)));
    std::memcpy(buffer, name, static_cast<std::size_t>(length));
    buffer[length] = '\0';
    return length;
}

SHORT GetAsyncKeyState(int virtualKey)
{
    if (virtualKey < 0) return 0;
    return System().input.KeyDown(static_cast<UINT>(virtualKey)) ? static_cast<SHORT>(0x8000) : 0;
}

// The keys as of the last key message taken from the queue: the top bit while down, the
// lowest bit while toggled on.
SHORT GetKeyState(int virtualKey)
{
    if (virtualKey < 0) return 0;
    const UINT vk = static_cast<UINT>(virtualKey);
    const user::InputState& input = System().input;
    return static_cast<SHORT>((input.KeyDownAsOfMessage(vk) ? 0x8000 : 0) | (input.ToggledAsOfMessage(vk) ? 1 : 0));
}
