#include "input/pad_input.h"

#include "platform/win32.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr unsigned int kFieldEnd = 512;
constexpr int kFine = 1000;  // thousandths of a pixel
// The keyboard's step at full deflection, four times that with the speed button.
constexpr int kStep = 5 * kFine;
constexpr int kSpeedFactor = 4;
constexpr int kFullDeflection = 32767;

// A stick axis as thousandths of full deflection, 0 inside the dead zone and rising
// from its edge; XInput's y grows upwards.
int Deflection(SHORT value)
{
    const int magnitude = std::abs(static_cast<int>(value));
    if (magnitude <= XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE) return 0;
    const int span = kFullDeflection - XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE;
    const int past = std::min(magnitude - XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE, span);
    const int thousandths = past * kFine / span;
    return value < 0 ? -thousandths : thousandths;
}

// The D-pad along the axis: full deflection towards the pressed end, none when both
// ends or neither are held.
int DpadDeflection(WORD buttons, WORD decrease, WORD increase)
{
    return ((buttons & increase) ? kFine : 0) - ((buttons & decrease) ? kFine : 0);
}

// Grab (A), Special (B) and Speed (a shoulder or the right trigger) as the pad has them.
void ButtonsOf(const XINPUT_GAMEPAD& g, bool (&now)[CPadInput::ButtonCount])
{
    now[CPadInput::Grab] = (g.wButtons & XINPUT_GAMEPAD_A) != 0;
    now[CPadInput::Special] = (g.wButtons & XINPUT_GAMEPAD_B) != 0;
    now[CPadInput::Speed] = (g.wButtons & (XINPUT_GAMEPAD_LEFT_SHOULDER | XINPUT_GAMEPAD_RIGHT_SHOULDER)) != 0 ||
                            g.bRightTrigger > XINPUT_GAMEPAD_TRIGGER_THRESHOLD;
}

}  // namespace

CPadInput::CPadInput(unsigned int pad, EAxis axis, const LList<CObject>& parents)
    : CInput(parents), pad(pad), axis(axis)
{
    type.Load(kType);
}

bool CPadInput::HasType(const str& t) const { return t == kType || CInput::HasType(t); }

void CPadInput::UpdateInput()
{
    CInput::UpdateInput();
    Read();
}

// A pad that is not there leaves the position alone and lets go of every button.
void CPadInput::Read()
{
    XINPUT_STATE state{};
    if (XInputGetState(pad, &state) != ERROR_SUCCESS) {
        for (int i = 0; i < ButtonCount; ++i) pressed[i] = held[i] = false;
        return;
    }
    const XINPUT_GAMEPAD& g = state.Gamepad;
    bool now[ButtonCount] = {};
    ButtonsOf(g, now);
    TakeButtons(now);
    int deflection = 0;
    if (axis == XAxis)
        deflection = DpadDeflection(g.wButtons, XINPUT_GAMEPAD_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_RIGHT);
    else if (axis == YAxis)
        deflection = DpadDeflection(g.wButtons, XINPUT_GAMEPAD_DPAD_UP, XINPUT_GAMEPAD_DPAD_DOWN);
    if (deflection == 0 && axis == XAxis) deflection = Deflection(g.sThumbLX);
    if (deflection == 0 && axis == YAxis) deflection = -Deflection(g.sThumbLY);
    Step(deflection);
}

void CPadInput::TakeButtons(const bool (&now)[ButtonCount])
{
    for (int i = 0; i < ButtonCount; ++i) {
        if (now[i] != held[i]) pressed[i] = now[i];
        held[i] = now[i];
    }
}

// One movement step of `deflection` thousandths of full deflection, between the ends.
void CPadInput::Step(int deflection)
{
    const int step = deflection * (pressed[Speed] ? kSpeedFactor : 1) * kStep / kFine;
    const int moved = static_cast<int>(fine) + step;
    fine = static_cast<unsigned int>(std::clamp(moved, 0, static_cast<int>(kFieldEnd) * kFine));
    position = (fine + kFine / 2) / kFine;
}

unsigned int CPadInput::GetPos() { return position; }

bool CPadInput::GetButton(unsigned int i) { return i < ButtonCount && pressed[i]; }

void CPadInput::SetButton(unsigned int i, bool v)
{
    if (i < ButtonCount) pressed[i] = v;
}

// Held only if the pad is there with the button down now; letting it go, the pad's next
// change of that button, then ends the hold.
void CPadInput::TakeOverButton(unsigned int i)
{
    XINPUT_STATE state{};
    if (i >= ButtonCount || XInputGetState(pad, &state) != ERROR_SUCCESS) return;
    bool now[ButtonCount] = {};
    ButtonsOf(state.Gamepad, now);
    if (now[i]) pressed[i] = true;
}
