#include "screens/options.h"

#include "input/computer_input.h"
#include "input/input_maker.h"
#include "play/main_game.h"
#include "screens/data.h"
#include "screens/menu.h"
#include "screens/paddle_options.h"
#include "screens/player_options.h"
#include "ui/text.h"

namespace {

// The pad slots' buttons form a miniature playfield, x 171 to 341, y 71 to 241.
struct SlotPlace {
    unsigned int x, y, width, height;
};

constexpr SlotPlace kSlotPlaces[kPadSlots] = {
    {218, 221, 75, 20},  // bottom
    {171, 118, 20, 75},  // left
    {218, 71, 75, 20},   // top
    {321, 118, 20, 75},  // right
};

constexpr unsigned int kPlayerColumnX = 218;
constexpr unsigned int kFirstPlayerY = 402;
constexpr unsigned int kPlayerPitch = 30;

// The name on a player's button, with the level after it when the computer plays.
str PlayerCaption(const SPlayerOptions& p)
{
    if (!p.input || p.input->kind != CInputMaker::Computer) return p.name;
    return p.name + str(" (") + str(ComputerLevelName(p.input->level)) + str(")");
}

}  // namespace

SPlayerOptions& SlotPlayer(CData& data, unsigned int slot)
{
    const unsigned int number = slot < kPadSlots ? data.padPlayers[slot] : 0;
    if (number < 1 || number > CData::kPlayers) throw XDomainError(data.type + str("::SlotPlayer(Slot)"));
    return data.players[number - 1];
}

COptions::COptions(const LList<CObject>& parents) : CGame(parents)
{
    type.Load("COptions");
    CData& data = RequireData(this, "::COptions()");
    data.FillDefaults(GetParent());
    AddBackground(this);
    AddTitle(this, str("Options"));
    AddFootButton(this, DoNext, AsContext(Match), str("Start"));
    for (unsigned int k = 0; k < CData::kPlayers; ++k) {
        AddPlayerButton(data.players[k], k);
        AddSlotButton(SlotPlayer(data, k), k);
    }
}

void COptions::AddPlayerButton(SPlayerOptions& p, unsigned int k)
{
    AddButton(this, DoPlayer, &p, kPlayerColumnX, kFirstPlayerY - kPlayerPitch * k, PlayerCaption(p),
              p.color);
}

void COptions::AddSlotButton(const SPlayerOptions& p, unsigned int s)
{
    const SlotPlace& at = kSlotPlaces[s];
    auto* paddle = new CButton(DoPaddle, AsContext(s), at.x, at.y, str(""), Under(this), p.color, at.width,
                               at.height, p.padType, ePadSides[s]);
    MakeText(p.name, ePadTexts[s], LList<CObject>(false, 2, paddle, this));
}

bool COptions::HasType(str t) const { return t == "COptions" || CGame::HasType(t); }

CGame* COptions::NextGame()
{
    switch (choice) {
    case Match: return new CMainGame(Successor());
    case EditPlayer: return player ? new CPlayerOptions(player, Successor()) : nullptr;
    case ChooseSlotPlayer: return new CPaddleOptions(slot, Successor());
    default: return nullptr;
    }
}

bool COptions::DoNext(void* context, CObject* screen)
{
    return FinishScreen<COptions>(screen, [&](COptions& options) {
        options.choice = static_cast<int>(ContextValue(context));
    });
}

bool COptions::DoPlayer(void* context, CObject* screen)
{
    return FinishScreen<COptions>(screen, [&](COptions& options) {
        options.player = static_cast<SPlayerOptions*>(context);
        options.choice = EditPlayer;
    });
}

bool COptions::DoPaddle(void* context, CObject* screen)
{
    return FinishScreen<COptions>(screen, [&](COptions& options) {
        options.slot = static_cast<unsigned int>(ContextValue(context));
        options.choice = ChooseSlotPlayer;
    });
}
