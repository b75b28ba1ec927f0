#pragma once
// The keyboard and pointer as the window system last heard of them: which keys and
// buttons are down (GetAsyncKeyState), where the pointer is, and the last click, from
// which double clicks are recognised.

#include "platform/user/user32.h"

#include <array>

namespace user {

// Windows' default double-click time and the size of the box the second click must
// land in.
constexpr DWORD kDoubleClickTime = 500;
constexpr int kDoubleClickDistance = 2;

// Two records of the keys, as Windows keeps them: the keys as they are now
// (GetAsyncKeyState), and the keys as of the last key message the program took from
// its queue (GetKeyState), which is what translating that message must look at.
class InputState {
public:
    void SetKey(UINT vk, bool down);
    bool KeyDown(UINT vk) const;
    bool ShiftDown() const { return KeyDown(VK_SHIFT); }
    bool ControlDown() const { return KeyDown(VK_CONTROL); }
    bool AltDown() const { return KeyDown(VK_MENU); }

    // The program took this message from its queue.
    void Took(const MSG& msg);
    bool KeyDownAsOfMessage(UINT vk) const;
    // Toggle keys (Caps Lock) turn on and off with every press, as of the last key message.
    bool ToggledAsOfMessage(UINT vk) const;
    // A window of the program became active: keys pressed or let go while it was not
    // are seen as they are now.
    void CatchUp() { keysAsOfMessage = keys; }

    // The MK_ flags of a mouse message's wParam.
    WPARAM MouseFlags() const;

    POINT pointer{};  // screen coordinates
    HWND pointerWindow = nullptr;

    // A press of button at point and time: true when it completes a double click.
    bool IsDoubleClick(int button, HWND window, POINT point, DWORD time);

private:
    std::array<bool, 256> keys{};
    std::array<bool, 256> keysAsOfMessage{};
    std::array<bool, 256> toggled{};
    struct Click {
        int button = -1;
        HWND window = nullptr;
        POINT point{};
        DWORD time = 0;
    } lastClick;
};

}  // namespace user
