#include "play/replay_input.h"

#include "play/main_game.h"
#include "play/paddle.h"

CReplayInput::CReplayInput(CMainGame& m, unsigned int s, const LList<CObject>& parents)
    : CInput(parents), match(m), slot(s)
{
    type.Load(kType);
}

bool CReplayInput::HasType(const str& t) const { return t == kType || CInput::HasType(t); }

unsigned int CReplayInput::GetPos() { return match.RecordedInput(slot).pos; }

bool CReplayInput::GetButton(unsigned int i) { return i < 3 && (match.RecordedInput(slot).buttons >> i & 1u) != 0; }

CInput* MakeReplayInput(const LList<CObject>& parents)
{
    auto* paddle = parents.head ? dynamic_cast<CPaddle*>(parents.head->item) : nullptr;
    auto* match = paddle ? paddle->GetParent<CMainGame>() : nullptr;
    if (!match || !match->playing) return nullptr;
    for (unsigned int slot = 0; slot < kPadSlots; ++slot)
        if (ePadSides[slot] == paddle->side) return new CReplayInput(*match, slot, parents);
    return nullptr;
}
