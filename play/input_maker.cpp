#include "play/input_maker.h"

#include "input/keyboard_input.h"
#include "input/mouse_input.h"
#include "input/pad_input.h"
#include "input/pad_rumble.h"
#include "play/computer_input.h"
#include "play/match_seats.h"
#include "play/replay_input.h"

CMatchSeats::CMatchSeats(const LList<CObject>& parents) : CGlobal(parents) { type.Load(kType); }

bool CMatchSeats::HasType(const str& t) const { return t == kType || CGlobal::HasType(t); }

CMatchSeats* FindMatchSeats(CObject* from)
{
    return from->Find<CMatchSeats>();
}

CInput* MakeOwnInput(const CControls& controls, EAxis axis, const LList<CObject>& parents)
{
    switch (controls.kind) {
    case CControls::Keyboard: {
        // A vertical paddle is steered by Up and Down, a horizontal one by Left and Right.
        const bool vertical = axis == YAxis;
        const unsigned int* keys = controls.keys;
        const unsigned int codes[CKeyboardInput::KeyCount] = {
            keys[vertical ? CControls::Up : CControls::Left], keys[vertical ? CControls::Down : CControls::Right],
            keys[CControls::Grab], keys[CControls::Special], keys[CControls::Speed]};
        return new CKeyboardInput(codes, parents);
    }
    case CControls::Mouse: return new CMouseInput(axis, parents);
    case CControls::Controller: return new CPadInput(controls.pad, axis, parents);
    case CControls::Computer: return new CComputerInput(controls.level, parents);
    // A place kept for a player on another machine that nobody has taken.
    case CControls::Network: return new CComputerInput(ComputerFair, parents);
    default: return nullptr;
    }
}

CInput* MakeInput(const CControls& controls, EAxis axis, const LList<CObject>& parents)
{
    if (CInput* replayed = MakeReplayInput(parents)) return replayed;
    CMatchSeats* seats = parents.head ? FindMatchSeats(parents.head->item) : nullptr;
    if (CInput* seated = seats ? seats->MakeSeatInput(controls, axis, parents) : nullptr) return seated;
    return MakeOwnInput(controls, axis, parents);
}

void DropOut(const CControls& controls)
{
    if (controls.kind == CControls::Controller) StartRumble(controls.pad);
}
