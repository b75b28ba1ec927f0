#include "input/mouse_input.h"

CMouseInput::CMouseInput(EAxis axis, const LList<CObject>& parents) : CInput(parents), axis(axis)
{
    type.Load(kType);
    StartAtPointer();
}

bool CMouseInput::HasType(const str& t) const { return t == kType || CInput::HasType(t); }

// The pointer's place in the active window's client area; outside it, the corner.
void CMouseInput::StartAtPointer()
{
    if (axis == NoAxis) return;
    const HWND window = GetActiveWindow();
    POINT point{};
    RECT client{};
    if (!window || !GetCursorPos(&point) || !ScreenToClient(window, &point) || !GetClientRect(window, &client)) return;
    if (!PtInRect(&client, point)) return;
    x = static_cast<unsigned int>(point.x);
    y = static_cast<unsigned int>(point.y);
}

void CMouseInput::MouseMove(unsigned int px, unsigned int py)
{
    CInput::MouseMove(px, py);
    if (axis == NoAxis) return;
    x = px;
    y = py;
}

void CMouseInput::MouseDown(unsigned int button, bool down)
{
    CInput::MouseDown(button, down);
    if (button >= 3) return;
    buttons[button] = down;
    if (down) pressedSinceUpdate[button] = true;
}

void CMouseInput::UpdateInput()
{
    CInput::UpdateInput();
    for (bool& pressed : pressedSinceUpdate) pressed = false;
}

unsigned int CMouseInput::GetPos()
{
    switch (axis) {
    case XAxis: return x;
    case YAxis: return y;
    default: return 0;
    }
}

bool CMouseInput::GetButton(unsigned int i) { return i < 3 && (buttons[i] || pressedSinceUpdate[i]); }

// Letting a button go by hand also forgets a press not yet seen.
void CMouseInput::SetButton(unsigned int i, bool v)
{
    if (i >= 3) return;
    buttons[i] = v;
    if (!v) pressedSinceUpdate[i] = false;
}

// Held only if the window system has the button down now.
void CMouseInput::TakeOverButton(unsigned int i)
{
    constexpr int kButtonKeys[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    if (i < 3 && GetAsyncKeyState(kButtonKeys[i]) < 0) SetButton(i, true);
}

POINT CMouseInput::GetPoint() { return POINT{static_cast<LONG>(x), static_cast<LONG>(y)}; }
