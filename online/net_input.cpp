#include "online/net_input.h"

#include "play/computer_input.h"
#include "online/online.h"

#include <algorithm>

CNetInput::CNetInput(unsigned int s, const LList<CObject>& parents) : CInput(parents), seat(s)
{
    type.Load(kType);
}

bool CNetInput::HasType(const str& t) const { return t == kType || CInput::HasType(t); }

// The stand-in lives beside this input under the paddle, so that it is saved and
// restored with the match, and goes when the match goes back to before it came.
CInput* CNetInput::Stand()
{
    COnline* online = FindOnline(this);
    if (local || !online || !online->Session().Computer(seat, online->frame)) return nullptr;
    CObject* paddle = GetParent();
    if (auto* standIn = paddle->GetChild<CComputerInput>()) return standIn;
    auto* standIn = new CComputerInput(ComputerFair, LList<CObject>(false, 1, paddle));
    standIn->Seed(online->ComputerSeed(seat));
    return standIn;
}

void CNetInput::UpdateInput()
{
    CInput::UpdateInput();
    COnline* online = FindOnline(this);
    // Reached several times a frame; the player's device is read once.
    if (!online || !local || online->Rerunning() || sentFrame == online->frame) return;
    sentFrame = online->frame;
    net::SeatInput input;
    input.pos = static_cast<std::uint16_t>(std::min<unsigned int>(local->GetPos(), net::kMaxPosition));
    for (unsigned int i = 0; i < 3; ++i)
        if (local->GetButton(i)) input.buttons = static_cast<std::uint8_t>(input.buttons | 1u << i);
    online->Session().SetLocal(online->frame, seat, input);
}

unsigned int CNetInput::GetPos()
{
    if (CInput* standIn = Stand()) return standIn->GetPos();
    COnline* online = FindOnline(this);
    return online ? online->Session().Input(online->frame, seat).pos : net::kMaxPosition / 2;
}

bool CNetInput::GetButton(unsigned int i)
{
    if (CInput* standIn = Stand()) return standIn->GetButton(i);
    COnline* online = FindOnline(this);
    if (i >= 3 || !online) return false;
    if (online->frame < online->Session().Delay()) return i == 0 && servesHeld;
    return (online->Session().Input(online->frame, seat).buttons >> i & 1u) != 0;
}

void CNetInput::SetButton(unsigned int i, bool v)
{
    if (i == 0) servesHeld = v;
    if (local) local->SetButton(i, v);
}

void CNetInput::TakeOverButton(unsigned int i)
{
    if (i == 0) servesHeld = true;
    if (local) local->TakeOverButton(i);
}
