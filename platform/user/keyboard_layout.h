#pragma once
// The US keyboard as Windows describes it: virtual keys, their scan codes (set 1),
// the characters they type, and the names GetKeyNameText gives to scan codes.

#include "platform/user/user32.h"

namespace user {

struct KeyLayout {
    UINT vk;
    BYTE scanCode;
    bool extended;  // the key sits outside the original keyboard's block (arrows, ...)
    char normal;    // the character typed, 0 for none
    char shifted;   // the same with Shift held
};

// The entry for a virtual key, or null for keys this layout does not know.
const KeyLayout* LayoutOfKey(UINT vk);
// The virtual key of a scan code (non-extended keys take precedence), or 0.
UINT KeyOfScanCode(UINT scanCode);
// Windows' name of a scan code, or null.
const char* NameOfScanCode(UINT scanCode, bool extended);

// The character a key types with the given Shift state, or 0.
char CharacterOfKey(UINT vk, bool shift);

// The lParam of a key message: repeat count 1, scan code, extended bit, previous state,
// transition state; context bit 29 for keys pressed with Alt.
LPARAM KeyMessageParam(UINT vk, bool down, bool wasDown, bool alt);

}  // namespace user
