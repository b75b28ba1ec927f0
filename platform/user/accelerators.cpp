#include "platform/user/resources.h"
#include "platform/user/window_system.h"

namespace {

// Accelerator table handles stand for the registered table's id.
constexpr std::uintptr_t kAcceleratorHandleBase = 0x20000;

const std::vector<ACCEL>* TableOfHandle(HACCEL table)
{
    const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(table);
    if (value < kAcceleratorHandleBase || value > kAcceleratorHandleBase + 0xFFFF) return nullptr;
    return user::FindAccelerators(MAKEINTRESOURCE(static_cast<WORD>(value - kAcceleratorHandleBase)));
}

bool ModifiersMatch(const ACCEL& entry, bool alt)
{
    const user::InputState& input = user::System().input;
    return ((entry.fVirt & FSHIFT) != 0) == input.KeyDownAsOfMessage(VK_SHIFT) &&
           ((entry.fVirt & FCONTROL) != 0) == input.KeyDownAsOfMessage(VK_CONTROL) && ((entry.fVirt & FALT) != 0) == alt;
}

// Virtual-key entries match key presses with exactly their modifiers; character
// entries match the typed character, Alt-ness included (Shift is in the character).
bool Matches(const ACCEL& entry, const MSG& msg)
{
    const bool virtualKey = entry.fVirt & FVIRTKEY;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return virtualKey && entry.key == msg.wParam && ModifiersMatch(entry, msg.message == WM_SYSKEYDOWN);
    case WM_CHAR:
    case WM_SYSCHAR:
        return !virtualKey && entry.key == msg.wParam && ((entry.fVirt & FALT) != 0) == (msg.message == WM_SYSCHAR);
    default:
        return false;
    }
}

}  // namespace

HACCEL LoadAccelerators(HINSTANCE, LPCSTR tableName)
{
    const std::optional<WORD> id = user::ResourceId(tableName);
    if (!id || !user::FindAccelerators(tableName)) return nullptr;
    return reinterpret_cast<HACCEL>(kAcceleratorHandleBase + *id);
}

int TranslateAccelerator(HWND window, HACCEL table, LPMSG msg)
{
    const std::vector<ACCEL>* entries = TableOfHandle(table);
    if (!entries || !msg || !IsWindow(window) || msg->hwnd != window) return 0;
    for (const ACCEL& entry : *entries) {
        if (!Matches(entry, *msg)) continue;
        SendMessage(window, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        return 1;
    }
    return 0;
}
