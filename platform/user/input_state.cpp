#include "platform/user/input_state.h"

#include <cstdlib>

namespace user {

namespace {

bool IsToggleKey(UINT vk) { return vk == VK_CAPITAL || vk == VK_NUMLOCK || vk == VK_SCROLL; }

}  // namespace

void InputState::SetKey(UINT vk, bool down)
{
    if (vk < keys.size()) keys[vk] = down;
}

bool InputState::KeyDown(UINT vk) const
{
    return vk < keys.size() && keys[vk];
}

void InputState::Took(const MSG& msg)
{
    const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if ((!down && !up) || msg.wParam >= keysAsOfMessage.size()) return;
    keysAsOfMessage[msg.wParam] = down;
    constexpr LPARAM kWasDown = 1 << 30;  // an auto-repeat, not a new press
    if (down && !(msg.lParam & kWasDown) && IsToggleKey(static_cast<UINT>(msg.wParam)))
        toggled[msg.wParam] = !toggled[msg.wParam];
}

bool InputState::ToggledAsOfMessage(UINT vk) const
{
    return vk < toggled.size() && toggled[vk];
}

bool InputState::KeyDownAsOfMessage(UINT vk) const
{
    return vk < keysAsOfMessage.size() && keysAsOfMessage[vk];
}

WPARAM InputState::MouseFlags() const
{
    WPARAM flags = 0;
    if (KeyDown(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (KeyDown(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (KeyDown(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (ShiftDown()) flags |= MK_SHIFT;
    if (ControlDown()) flags |= MK_CONTROL;
    return flags;
}

bool InputState::IsDoubleClick(int button, HWND window, POINT point, DWORD time)
{
    const bool doubled = lastClick.button == button && lastClick.window == window &&
                         time - lastClick.time <= kDoubleClickTime &&
                         std::abs(point.x - lastClick.point.x) <= kDoubleClickDistance &&
                         std::abs(point.y - lastClick.point.y) <= kDoubleClickDistance;
    // A double click ends the sequence: a third click starts a new one.
    if (doubled)
        lastClick = Click{};
    else
        lastClick = Click{button, window, point, time};
    return doubled;
}

}  // namespace user
