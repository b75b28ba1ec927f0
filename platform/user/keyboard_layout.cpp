#include "platform/user/keyboard_layout.h"

#include <array>
#include <iterator>

namespace user {
namespace {

constexpr KeyLayout kKeys[] = {
    {VK_ESCAPE, 0x01, false, 0x1B, 0x1B},
    {'1', 0x02, false, '1', '!'},
    {'2', 0x03, false, '2', '@'},
    {'3', 0x04, false, '3', '#'},
    {'4', 0x05, false, '4', '$'},
    {'5', 0x06, false, '5', '%'},
    {'6', 0x07, false, '6', '^'},
    {'7', 0x08, false, '7', '&'},
    {'8', 0x09, false, '8', '*'},
    {'9', 0x0A, false, '9', '('},
    {'0', 0x0B, false, '0', ')'},
    {VK_OEM_MINUS, 0x0C, false, '-', '_'},
    {VK_OEM_PLUS, 0x0D, false, '=', '+'},
    {VK_BACK, 0x0E, false, '\b', '\b'},
    {VK_TAB, 0x0F, false, '\t', '\t'},
    {'Q', 0x10, false, 'q', 'Q'},
    {'W', 0x11, false, 'w', 'W'},
    {'E', 0x12, false, 'e', 'E'},
    {'R', 0x13, false, 'r', 'R'},
    {'T', 0x14, false, 't', 'T'},
    {'Y', 0x15, false, 'y', 'Y'},
    {'U', 0x16, false, 'u', 'U'},
    {'I', 0x17, false, 'i', 'I'},
    {'O', 0x18, false, 'o', 'O'},
    {'P', 0x19, false, 'p', 'P'},
    {VK_OEM_4, 0x1A, false, '[', '{'},
    {VK_OEM_6, 0x1B, false, ']', '}'},
    {VK_RETURN, 0x1C, false, '\r', '\r'},
    {VK_CONTROL, 0x1D, false, 0, 0},
    {'A', 0x1E, false, 'a', 'A'},
    {'S', 0x1F, false, 's', 'S'},
    {'D', 0x20, false, 'd', 'D'},
    {'F', 0x21, false, 'f', 'F'},
    {'G', 0x22, false, 'g', 'G'},
    {'H', 0x23, false, 'h', 'H'},
    {'J', 0x24, false, 'j', 'J'},
    {'K', 0x25, false, 'k', 'K'},
    {'L', 0x26, false, 'l', 'L'},
    {VK_OEM_1, 0x27, false, ';', ':'},
    {VK_OEM_7, 0x28, false, '\'', '"'},
    {VK_OEM_3, 0x29, false, '`', '~'},
    {VK_SHIFT, 0x2A, false, 0, 0},
    {VK_OEM_5, 0x2B, false, '\\', '|'},
    {'Z', 0x2C, false, 'z', 'Z'},
    {'X', 0x2D, false, 'x', 'X'},
    {'C', 0x2E, false, 'c', 'C'},
    {'V', 0x2F, false, 'v', 'V'},
    {'B', 0x30, false, 'b', 'B'},
    {'N', 0x31, false, 'n', 'N'},
    {'M', 0x32, false, 'm', 'M'},
    {VK_OEM_COMMA, 0x33, false, ',', '<'},
    {VK_OEM_PERIOD, 0x34, false, '.', '>'},
    {VK_OEM_2, 0x35, false, '/', '?'},
    {VK_RSHIFT, 0x36, false, 0, 0},
    {VK_MULTIPLY, 0x37, false, '*', '*'},
    {VK_MENU, 0x38, false, 0, 0},
    {VK_SPACE, 0x39, false, ' ', ' '},
    {VK_CAPITAL, 0x3A, false, 0, 0},
    {VK_F1, 0x3B, false, 0, 0},
    {VK_F2, 0x3C, false, 0, 0},
    {VK_F3, 0x3D, false, 0, 0},
    {VK_F4, 0x3E, false, 0, 0},
    {VK_F5, 0x3F, false, 0, 0},
    {VK_F6, 0x40, false, 0, 0},
    {VK_F7, 0x41, false, 0, 0},
    {VK_F8, 0x42, false, 0, 0},
    {VK_F9, 0x43, false, 0, 0},
    {VK_F10, 0x44, false, 0, 0},
    {VK_PAUSE, 0x45, false, 0, 0},
    {VK_SCROLL, 0x46, false, 0, 0},
    {VK_NUMPAD0 + 7, 0x47, false, '7', '7'},
    {VK_NUMPAD0 + 8, 0x48, false, '8', '8'},
    {VK_NUMPAD0 + 9, 0x49, false, '9', '9'},
    {VK_SUBTRACT, 0x4A, false, '-', '-'},
    {VK_NUMPAD0 + 4, 0x4B, false, '4', '4'},
    {VK_NUMPAD0 + 5, 0x4C, false, '5', '5'},
    {VK_NUMPAD0 + 6, 0x4D, false, '6', '6'},
    {VK_ADD, 0x4E, false, '+', '+'},
    {VK_NUMPAD0 + 1, 0x4F, false, '1', '1'},
    {VK_NUMPAD0 + 2, 0x50, false, '2', '2'},
    {VK_NUMPAD0 + 3, 0x51, false, '3', '3'},
    {VK_NUMPAD0, 0x52, false, '0', '0'},
    {VK_DECIMAL, 0x53, false, '.', '.'},
    {VK_F11, 0x57, false, 0, 0},
    {VK_F12, 0x58, false, 0, 0},
    {VK_LSHIFT, 0x2A, false, 0, 0},
    {VK_LCONTROL, 0x1D, false, 0, 0},
    {VK_LMENU, 0x38, false, 0, 0},
    // Keys of the extended block share scan codes with their keypad twins.
    {VK_RCONTROL, 0x1D, true, 0, 0},
    {VK_RMENU, 0x38, true, 0, 0},
    {VK_DIVIDE, 0x35, true, '/', '/'},
    {VK_NUMLOCK, 0x45, true, 0, 0},
    {VK_HOME, 0x47, true, 0, 0},
    {VK_UP, 0x48, true, 0, 0},
    {VK_PRIOR, 0x49, true, 0, 0},
    {VK_LEFT, 0x4B, true, 0, 0},
    {VK_RIGHT, 0x4D, true, 0, 0},
    {VK_END, 0x4F, true, 0, 0},
    {VK_DOWN, 0x50, true, 0, 0},
    {VK_NEXT, 0x51, true, 0, 0},
    {VK_INSERT, 0x52, true, 0, 0},
    {VK_DELETE, 0x53, true, 0, 0},
};

struct ScanName {
    BYTE scanCode;
    bool extended;
    const char* name;
};

constexpr ScanName kNames[] = {
    {0x01, false, "Esc"}, {0x02, false, "1"}, {0x03, false, "2"}, {0x04, false, "3"},
    {0x05, false, "4"}, {0x06, false, "5"}, {0x07, false, "6"}, {0x08, false, "7"},
    {0x09, false, "8"}, {0x0A, false, "9"}, {0x0B, false, "0"}, {0x0C, false, "-"},
    {0x0D, false, "="}, {0x0E, false, "Backspace"}, {0x0F, false, "Tab"}, {0x10, false, "Q"},
    {0x11, false, "W"}, {0x12, false, "E"}, {0x13, false, "R"}, {0x14, false, "T"},
    {0x15, false, "Y"}, {0x16, false, "U"}, {0x17, false, "I"}, {0x18, false, "O"},
    {0x19, false, "P"}, {0x1A, false, "["}, {0x1B, false, "]"}, {0x1C, false, "Enter"},
    {0x1D, false, "Ctrl"}, {0x1E, false, "A"}, {0x1F, false, "S"}, {0x20, false, "D"},
    {0x21, false, "F"}, {0x22, false, "G"}, {0x23, false, "H"}, {0x24, false, "J"},
    {0x25, false, "K"}, {0x26, false, "L"}, {0x27, false, ";"}, {0x28, false, "'"},
    {0x29, false, "`"}, {0x2A, false, "Shift"}, {0x2B, false, "\\"}, {0x2C, false, "Z"},
    {0x2D, false, "X"}, {0x2E, false, "C"}, {0x2F, false, "V"}, {0x30, false, "B"},
    {0x31, false, "N"}, {0x32, false, "M"}, {0x33, false, ","}, {0x34, false, "."},
    {0x35, false, "/"}, {0x36, false, "Right Shift"}, {0x37, false, "Num *"}, {0x38, false, "Alt"},
    {0x39, false, "Space"}, {0x3A, false, "Caps Lock"}, {0x3B, false, "F1"}, {0x3C, false, "F2"},
    {0x3D, false, "F3"}, {0x3E, false, "F4"}, {0x3F, false, "F5"}, {0x40, false, "F6"},
    {0x41, false, "F7"}, {0x42, false, "F8"}, {0x43, false, "F9"}, {0x44, false, "F10"},
    {0x45, false, "Pause"}, {0x46, false, "Scroll Lock"}, {0x47, false, "Num 7"}, {0x48, false, "Num 8"},
    {0x49, false, "Num 9"}, {0x4A, false, "Num -"}, {0x4B, false, "Num 4"}, {0x4C, false, "Num 5"},
    {0x4D, false, "Num 6"}, {0x4E, false, "Num +"}, {0x4F, false, "Num 1"}, {0x50, false, "Num 2"},
    {0x51, false, "Num 3"}, {0x52, false, "Num 0"}, {0x53, false, "Num Del"}, {0x54, false, "Sys Req"},
    {0x56, false, "\\"}, {0x57, false, "F11"}, {0x58, false, "F12"},
    {0x1C, true, "Num Enter"}, {0x1D, true, "Right Ctrl"}, {0x35, true, "Num /"},
    {0x37, true, "Prnt Scrn"}, {0x38, true, "Right Alt"}, {0x45, true, "Num Lock"},
    {0x46, true, "Break"}, {0x47, true, "Home"}, {0x48, true, "Up"}, {0x49, true, "Page Up"},
    {0x4B, true, "Left"}, {0x4D, true, "Right"}, {0x4F, true, "End"}, {0x50, true, "Down"},
    {0x51, true, "Page Down"}, {0x52, true, "Insert"}, {0x53, true, "Delete"},
};

}  // namespace

const KeyLayout* LayoutOfKey(UINT vk)
{
    for (const KeyLayout& key : kKeys)
        if (key.vk == vk) return &key;
    return nullptr;
}

UINT KeyOfScanCode(UINT scanCode)
{
    for (const KeyLayout& key : kKeys)
        if (key.scanCode == scanCode && !key.extended) return key.vk;
    return 0;
}

const char* NameOfScanCode(UINT scanCode, bool extended)
{
    for (const ScanName& entry : kNames)
        if (entry.scanCode == scanCode && entry.extended == extended) return entry.name;
    return nullptr;
}

char CharacterOfKey(UINT vk, bool shift)
{
    const KeyLayout* key = LayoutOfKey(vk);
    if (!key) return 0;
    return shift ? key->shifted : key->normal;
}

LPARAM KeyMessageParam(UINT vk, bool down, bool wasDown, bool alt)
{
    const KeyLayout* key = LayoutOfKey(vk);
    DWORD value = 1;
    if (key) {
        value |= static_cast<DWORD>(key->scanCode) << 16;
        if (key->extended) value |= 1u << 24;
    }
    if (alt) value |= 1u << 29;
    if (wasDown) value |= 1u << 30;
    if (!down) value |= 1u << 31;
    return static_cast<LPARAM>(static_cast<LONG>(value));
}

}  // namespace user
