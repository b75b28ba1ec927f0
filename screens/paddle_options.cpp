#include "screens/paddle_options.h"

#include "model/data.h"
#include "screens/menu.h"
#include "screens/options.h"

namespace {

constexpr unsigned int kColumnX = 218;
constexpr unsigned int kFirstY = 302;
constexpr unsigned int kPitch = 60;

bool IsPlayerNumber(unsigned int number) { return number >= 1 && number <= CData::kPlayers; }

}  // namespace

CPaddleOptions::CPaddleOptions(unsigned int slot, const LList<CObject>& parents) : CGame(parents), slot(slot)
{
    type.Load(kType);
    CData& data = RequireData(this, "::CPaddleOptions(Data)");
    if (slot >= kPadSlots) throw XDomainError(type + str("::CPaddleOptions(Paddle)"));
    playerNumber = data.padPlayers[slot];
    AddBackground(this);
    AddTitle(this, str("Paddle Options"));
    AddFootButton(this, DoNext, AsContext(playerNumber));  // "Back": the side keeps its player
    for (unsigned int k = 0; k < CData::kPlayers; ++k) {
        const SPlayerOptions& p = data.players[k];
        AddButton(this, DoNext, AsContext(k + 1), kColumnX, kFirstY - kPitch * k, p.name, p.color);
    }
}

bool CPaddleOptions::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CPaddleOptions::NextGame()
{
    CData& data = RequireData(this, "::NextGame");
    // Only a real player may be stored: the hub looks the slot's player up by number.
    if (!IsPlayerNumber(playerNumber))
        throw XDomainError(type + str("::NextGame(") + str("Player=") + str(playerNumber) + str(")"));
    data.padPlayers[slot] = playerNumber;
    return new COptions(Successor());
}

bool CPaddleOptions::DoNext(void* context, CObject* screen)
{
    return FinishScreen<CPaddleOptions>(screen, [&](CPaddleOptions& paddle) {
        paddle.playerNumber = static_cast<unsigned int>(ContextValue(context));
    });
}
