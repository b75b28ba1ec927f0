#include "screens/options.h"

#include "play/computer_input.h"
#include "model/controls.h"
#include "screens/match_screen.h"
#include "online/online.h"
#include "model/data.h"
#include "screens/join_game.h"
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

// A name on the small field may reach past its paddle, as far as the paddles across the
// ends of its side: the field's 170 pixels less two paddles' 20.
constexpr LONG kSlotNameRoom = 130;

constexpr unsigned int kPlayerColumnX = 218;
constexpr unsigned int kFirstPlayerY = 402;
constexpr unsigned int kPlayerPitch = 30;
// Between player 1's button and "Start".
const Rect kWarningBox(0, 428, 512, 448);
// Below the miniature field: who has joined a hosted game.
const Rect kStatusBox(0, 262, 512, 282);
// Beside "Start": hosting on its left, joining on its right.
constexpr unsigned int kHostX = 93;
constexpr unsigned int kJoinX = 343;

// The player whose place a joined machine's player has taken, or null.
const std::string* JoinedName(CObject* screen, const SPlayerOptions& p)
{
    const COnline* online = FindOnline(screen);
    return online && p.number >= 1 ? online->JoinedName(p.number - 1) : nullptr;
}

// The name on a player's button, with the level after it when the computer plays; a
// place kept for another machine's player is "open" until a joined player's name and
// "Network" stand there.
str PlayerCaption(CObject* screen, const SPlayerOptions& p)
{
    if (const std::string* joined = JoinedName(screen, p)) return str(joined->c_str()) + str(" (Network)");
    if (p.input && p.input->kind == CControls::Network) return p.name + str(" (open)");
    if (!p.input || p.input->kind != CControls::Computer) return p.name;
    return p.name + str(" (") + str(ComputerLevelName(p.input->level)) + str(")");
}

// The name on a paddle of the miniature field.
str SlotName(CObject* screen, const SPlayerOptions& p)
{
    const std::string* joined = JoinedName(screen, p);
    return joined ? str(joined->c_str()) : p.name;
}

std::string JoinedText(unsigned int machines)
{
    if (machines == 0) return "waiting for players to join";
    return std::to_string(machines) + (machines == 1 ? " machine has joined" : " machines have joined");
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
    type.Load(kType);
    CData& data = RequireData(this, "::COptions()");
    data.FillDefaults(GetParent());
    AddBackground(this);
    AddTitle(this, str("Options"));
    AddFootButton(this, DoNext, AsContext(Match), str("Start"));
    warning = AddLine(this, str(""), kWarningBox);
    status = AddLine(this, str(""), kStatusBox);
    if (COnline* online = FindHosting(this)) {
        online->Reopen();  // back from a match: the same players may play the next
        online->Offer(data);
    }
    for (unsigned int k = 0; k < CData::kPlayers; ++k) {
        AddPlayerButton(data.players[k], k);
        AddSlotButton(SlotPlayer(data, k), k);
    }
    AddOnlineButtons();
    ShowLobby();
}

void COptions::AddOnlineButtons()
{
    AddButton(this, DoHost, nullptr, kHostX, kBackY, str(FindHosting(this) ? "Stop hosting" : "Host game"), kGreen);
    AddButton(this, DoNext, AsContext(JoinGame), kJoinX, kBackY, str("Join game"), kGreen);
}

// What a hosted game looks like: the port, and how many machines have joined.
void COptions::ShowLobby()
{
    COnline* online = FindHosting(this);
    if (!online) return;
    net::Lockstep& session = online->Session();
    lobbyShown = session.LobbyVersion();
    const std::string text = "Hosting on port " + std::to_string(HostingPort()) + ": " + JoinedText(session.Joined());
    status->text = str(text.c_str());
}

// A machine that joins or leaves changes the players: the screen is built again.
void COptions::Animate()
{
    CGame::Animate();
    COnline* online = FindHosting(this);
    if (!online || gameOver) return;
    if (online->Session().LobbyVersion() == lobbyShown) return;
    choice = Refresh;
    gameOver = true;
}

void COptions::AddPlayerButton(SPlayerOptions& p, unsigned int k)
{
    AddButton(this, DoPlayer, &p, kPlayerColumnX, kFirstPlayerY - kPlayerPitch * k, PlayerCaption(this, p),
              p.color);
}

void COptions::AddSlotButton(const SPlayerOptions& p, unsigned int s)
{
    const SlotPlace& at = kSlotPlaces[s];
    auto* paddle = new CButton(DoPaddle, AsContext(s), at.x, at.y, str(""), Under(this), p.color, at.width,
                               at.height, p.padType, ePadSides[s]);
    if (auto* name = dynamic_cast<CAngleText*>(MakeText(SlotName(this, p), ePadTexts[s], LList<CObject>(false, 2, paddle, this))))
        name->room = kSlotNameRoom;
}

bool COptions::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* COptions::NextGame()
{
    switch (choice) {
    case Match: return StartMatch();
    case Refresh: return new COptions(Successor());
    case JoinGame: return new CJoinGame(Successor());
    case EditPlayer: return player ? new CPlayerOptions(player, Successor()) : nullptr;
    case ChooseSlotPlayer: return new CPaddleOptions(slot, Successor());
    default: return nullptr;
    }
}

bool COptions::EnoughPlayers()
{
    CData& data = RequireData(this, "::EnoughPlayers");
    unsigned int first = 0;
    for (unsigned int number : data.padPlayers) {
        if (number == 0 || number == first) continue;
        if (first != 0) return true;
        first = number;
    }
    return false;
}

// A hosted match starts on every machine that has joined, with the same seed and settings.
CGame* COptions::StartMatch()
{
    if (COnline* online = FindHosting(this)) {
        const auto seed = static_cast<std::uint32_t>(std::rand()) ^ static_cast<std::uint32_t>(GetTickCount());
        if (!online->StartMatch(RequireData(this, "::StartMatch"), seed)) EndOnline(this);
    }
    return new CMatchScreen(Successor());
}

bool COptions::OneSideEach()
{
    CData& data = RequireData(this, "::OneSideEach");
    for (unsigned int slot = 0; slot < kPadSlots; ++slot)
        for (unsigned int other = slot + 1; other < kPadSlots; ++other)
            if (data.padPlayers[slot] != 0 && data.padPlayers[slot] == data.padPlayers[other]) return false;
    return true;
}

// A match without two players would be over before it began, and online every player
// steers one paddle: the screen says why instead.
bool COptions::Startable()
{
    if (!EnoughPlayers()) {
        warning->text = str("Give the sides to at least two players");
        return false;
    }
    if (FindHosting(this) && !OneSideEach()) {
        warning->text = str("In a game with other machines a player holds one side at most");
        return false;
    }
    return true;
}

bool COptions::DoNext(void* context, CObject* screen)
{
    auto* options = dynamic_cast<COptions*>(screen);
    if (options && ContextValue(context) == Match && !options->Startable()) return true;
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

// Hosting starts or stops; a port that cannot be opened is said on the screen.
bool COptions::DoHost(void*, CObject* screen)
{
    auto* options = dynamic_cast<COptions*>(screen);
    if (!options) return false;
    if (FindHosting(options)) {
        EndOnline(options);
    } else {
        try {
            HostOnline(options, RequireData(options, "::DoHost"));
        } catch (const XException& e) {
            options->warning->text = e.text;
            return true;
        }
    }
    return FinishScreen<COptions>(screen, [](COptions& o) { o.choice = Refresh; });
}
