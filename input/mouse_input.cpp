#include "input/mouse_input.h"

CMouseInput::CMouseInput(EAxis axis, const LList<CObject>& parents) : CInput(parents), axis(axis)
{
    type.Load("CMouseInput");
}

bool CMouseInput::HasType(str t) const { return t == "CMouseInput" || CInput::HasType(t); }

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
    SetButton(button, down);
}

unsigned int CMouseInput::GetPos()
{
    switch (axis) {
    case XAxis: return x;
    case YAxis: return y;
    default: return 0;
    }
}

bool CMouseInput::GetButton(unsigned int i) { return i < 3 && buttons[i]; }

void CMouseInput::SetButton(unsigned int i, bool v)
{
    if (i < 3) buttons[i] = v;
}

POINT CMouseInput::GetPoint() { return POINT{static_cast<LONG>(x), static_cast<LONG>(y)}; }
