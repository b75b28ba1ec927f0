#include "online/online.h"

#include "core/exceptions.h"
#include "play/computer_input.h"
#include "play/input_maker.h"
#include "online/net_input.h"
#include "net/link_maker.h"
#include "play/ball.h"
#include "play/brick.h"
#include "play/main_game.h"
#include "play/paddle.h"
#include "play/player.h"
#include "model/data.h"
#include "model/names.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

// Names go on the wire as the one rule makes them.
static_assert(kMaxNameLength == net::kMaxNameBytes);

namespace {
std::uint64_t lastSerial = 0;
}  // namespace

COnline::COnline(std::unique_ptr<net::Transport> l, net::Lockstep s, const LList<CObject>& parents)
    : CMatchSeats(parents), serial(++lastSerial), link(std::move(l)), session(std::move(s))
{
    type.Load(kType);
}

bool COnline::HasType(str t) const { return t == kType || CMatchSeats::HasType(t); }

CInput* COnline::MakeSeatInput(const CControls& controls, EAxis axis, const LList<CObject>& parents)
{
    if (!InMatch()) return nullptr;
    const unsigned int seat = controls.seat;
    auto* seated = new CNetInput(seat, parents);
    const auto& seats = session.Seats();
    if (seat < seats.size() && seats[seat].local) seated->local = MakeOwnInput(controls, axis, parents);
    if (auto* computer = dynamic_cast<CComputerInput*>(seated->local)) computer->Seed(ComputerSeed(seat));
    return seated;
}

COnline* FindOnline(CObject* from) { return from->Find<COnline>(); }

std::uint16_t HostingPort() { return net::HostPort(); }

COnline* FindHosting(CObject* from)
{
    COnline* online = FindOnline(from);
    return online && online->Session().IsHost() ? online : nullptr;
}

void COnline::Pump(std::uint32_t tickMs)
{
    // The tick count wraps after 49 days; the session's clock does not.
    clock += static_cast<std::uint32_t>(tickMs - lastTick);
    lastTick = tickMs;
    session.Update(clock);
    if (!InMatch() || reported || session.Failure().empty()) return;
    reported = true;
    throw XException(str(session.Failure().c_str()), str("Online match"));
}

bool COnline::FrameDue(CGame* game) const
{
    if (!InMatch() || !dynamic_cast<CMainGame*>(game)) return true;
    // A match stopped on the network, once the player has been told why, ends here with
    // the scores as they stand.
    if (reported) game->gameOver = true;
    return reported || session.Ready(frame);
}

void COnline::FrameDone(CGame* game)
{
    auto* match = dynamic_cast<CMainGame*>(game);
    if (!InMatch()) return;
    if (!match) {
        // The match is over here, and so on every machine at the same frame. The link
        // stays, so that what this machine still owes the others reaches them.
        Unseat();
        session.MatchOver();
        return;
    }
    // Only every few frames' state is compared.
    if (frame % net::kChecksumEvery == 0) session.Checksum(frame, MatchChecksum(*match));
    session.Ran(frame);
    ++frame;
    RetireLeavers(*match);
}

// A player who went out in this frame has no paddle, and no input, any more: the next
// frames do not wait for one.
void COnline::RetireLeavers(CMainGame& match)
{
    std::array<bool, net::kMaxSeats> inPlay{};
    for (unsigned int n = 1; auto* paddle = match.FindChild<CPaddle>(n); ++n)
        if (auto* input = paddle->GetChild<CNetInput>(); input && input->seat < net::kMaxSeats)
            inPlay[input->seat] = true;
    for (unsigned int seat = 0; seat < net::kMaxSeats; ++seat)
        if (!inPlay[seat]) session.Retire(seat, frame);
}

void COnline::Offer(const CData& data)
{
    std::vector<std::string> names;
    std::vector<bool> open;
    for (const SPlayerOptions& player : data.players) {
        names.emplace_back(static_cast<const char*>(SendableName(player.name, player.number)));
        open.push_back(player.input && (player.input->kind == CControls::Computer || player.input->kind == CControls::Network));
    }
    session.Offer(std::move(names), std::move(open));
}

bool COnline::StartMatch(CData& data, std::uint32_t seed)
{
    net::Lockstep::Setup setup;
    for (const SPlayerOptions& player : data.players)
        setup.looks.push_back(net::SeatLook{static_cast<std::uint32_t>(player.color & net::kMaxColor),
                                            player.padType == PadRounded});
    for (unsigned int slot = 0; slot < kPadSlots; ++slot)
        setup.sides[slot] = static_cast<std::uint8_t>(std::min(data.padPlayers[slot], net::kMaxSeats));
    if (!session.Start(seed, setup)) return false;
    Seat(data);
    return true;
}

CControls& COnline::SeatControls(unsigned int seat)
{
    if (!seatControls[seat]) seatControls[seat] = new CControls(LList<CObject>(false, 1, this));
    return *seatControls[seat];
}

void COnline::Seat(const CData& data)
{
    const auto& seats = session.Seats();
    const auto& setup = session.MatchSetup();
    // Players past the session's seats stay as set; no side names them.
    SLineup lineup = data.Lineup();
    unsigned int ownSeen = 0;
    for (unsigned int seat = 0; seat < seats.size() && seat < kPlayers; ++seat) {
        SPlayerOptions& player = lineup.players[seat];
        player.number = seat + 1;
        player.name = str(seats[seat].name.c_str());
        player.color = setup.looks[seat].color;
        player.padType = setup.looks[seat].rounded ? PadRounded : PadRectangular;
        CControls& controls = SeatControls(seat);
        if (seats[seat].local) {
            // The host's seats are its own players; a guest's are the players it brought.
            const unsigned int own = session.IsHost() || ownSeen >= localPlayers.size() ? seat : localPlayers[ownSeen];
            ++ownSeen;
            if (own < kPlayers && data.players[own].input) controls.CopyFrom(*data.players[own].input);
        } else {
            controls.SetNet(seat);
        }
        controls.seat = seat;
        player.input = &controls;
    }
    for (unsigned int slot = 0; slot < kPadSlots; ++slot) lineup.padPlayers[slot] = setup.sides[slot];
    seated = lineup;
    std::srand(session.Seed());
    frame = 0;
    reported = false;
    seatedMatch = session.Matches();
}

bool COnline::StartPending() const
{
    return session.GetState() == net::Lockstep::State::Playing && session.Matches() != seatedMatch;
}

void COnline::Reopen()
{
    if (InMatch() || !session.IsHost()) return;
    session.Reopen();
}

const std::string* COnline::JoinedName(unsigned int index) const
{
    const auto& seats = session.Seats();
    if (!session.IsHost() || index >= seats.size() || seats[index].local) return nullptr;
    return &seats[index].name;
}

unsigned int COnline::ComputerSeed(unsigned int seat) const { return session.Seed() * 2654435761u + seat * 40503u + 1; }

namespace {

CObject* Engine(CData& data) { return data.GetParent(); }

COnline& Open(CData& data, std::unique_ptr<net::Transport> link, net::Lockstep session)
{
    return *new COnline(std::move(link), std::move(session), LList<CObject>(false, 1, Engine(data)));
}

net::LinkMaker& RequireLinks(const char* where)
{
    if (!net::Links()) throw XException(str("Online play is not part of this build"), str(where));
    return *net::Links();
}

}  // namespace

COnline& HostOnline(CObject* from, CData& data)
{
    EndOnline(from);
    std::unique_ptr<net::Transport> link = RequireLinks("Host game").Host(net::HostPort(), net::kHostLinks);
    if (!link) {
        const std::string why = "Port " + std::to_string(net::HostPort()) + " cannot be opened: another program may use it";
        throw XException(str(why.c_str()), str("Host game"));
    }
    net::Transport& transport = *link;
    COnline& online = Open(data, std::move(link), net::Lockstep::Host(transport, {}));
    online.Offer(data);
    return online;
}

COnline& JoinOnline(CObject* from, CData& data, const std::string& address)
{
    EndOnline(from);
    const std::optional<net::Address> where = net::ParseAddress(address);
    if (!where) throw XException(str("Type the host's address, as 192.168.1.20 or name:port"), str("Join game"));
    std::unique_ptr<net::Transport> link = RequireLinks("Join game").Join(where->host, where->port);
    if (!link) throw XException(str(("No machine is called " + where->host).c_str()), str("Join game"));
    const std::vector<unsigned int> players = JoiningPlayers(data);
    std::vector<std::string> names;
    for (unsigned int i : players) {
        const SPlayerOptions& player = data.players[i];
        names.emplace_back(static_cast<const char*>(SendableName(player.name, player.number)));
    }
    net::Transport& transport = *link;
    COnline& online = Open(data, std::move(link), net::Lockstep::Join(transport, names));
    online.localPlayers = players;
    return online;
}

void EndOnline(CObject* from)
{
    COnline* online = FindOnline(from);
    if (!online) return;
    online->Session().Leave();
    delete online;
}

std::vector<unsigned int> JoiningPlayers(const CData& data)
{
    std::vector<unsigned int> atSides, people;
    for (unsigned int i = 0; i < CData::kPlayers; ++i) {
        const unsigned int number = data.players[i].number;
        if (std::find(std::begin(data.padPlayers), std::end(data.padPlayers), number) == std::end(data.padPlayers))
            continue;
        atSides.push_back(i);
        const CControls* maker = data.players[i].input;
        if (!maker || maker->kind != CControls::Computer) people.push_back(i);
    }
    if (!people.empty()) return people;
    if (atSides.empty()) return {0};
    return {atSides.front()};
}
