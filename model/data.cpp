#include "model/data.h"

#include "model/controls.h"

#include <algorithm>
#include <iterator>

namespace {

struct PlayerDefault {
    const char* name;
    COLORREF color;
    EPadType padType;
};

constexpr PlayerDefault kDefaults[CData::kPlayers] = {
    {"Harrow", RGB(0, 0, 255), PadRounded},
    {"Marigold", RGB(0, 255, 0), PadRounded},
    {"Quill", RGB(255, 0, 0), PadRectangular},
    {"Saltire", RGB(255, 127, 0), PadRectangular},
};

}  // namespace

CData::CData(const LList<CObject>& parents) : CGlobal(parents) { type.Load(kType); }

bool CData::HasType(const str& t) const { return t == kType || CGlobal::HasType(t); }

bool CData::FillDefaults(CObject* makerParent)
{
    if (configured) return false;
    configured = true;
    for (unsigned int i = 0; i < kPlayers; ++i) players[i].input = new CControls(LList<CObject>(false, 1, makerParent));
    ResetPlayers();
    return true;
}

void CData::ResetPlayers()
{
    for (unsigned int i = 0; i < kPlayers; ++i) {
        players[i].number = i + 1;
        padPlayers[i] = i + 1;
        // One person on the mouse against three computer players.
        if (!players[i].input) continue;
        if (i == 0)
            players[i].input->SetMouse(0);
        else
            players[i].input->SetComputer(ComputerFair);
        players[i].input->pad = i;  // a pad player's first pad is the one with the player's number
    }
    for (unsigned int i = 0; i < kPlayers; ++i) {
        players[i].name = str(kDefaults[i].name);
        players[i].color = kDefaults[i].color;
        players[i].padType = kDefaults[i].padType;
    }
}

SLineup CData::Lineup() const
{
    SLineup lineup;
    std::copy(std::begin(players), std::end(players), lineup.players);
    std::copy(std::begin(padPlayers), std::end(padPlayers), lineup.padPlayers);
    return lineup;
}

CData* FindData(CObject* from)
{
    return from->Find<CData>();
}

CData& RequireData(CObject* from, const char* context)
{
    return from->Require<CData>(context);
}
