#include "online/online.h"

#include "core/exceptions.h"
#include "play/computer_input.h"
#include "play/input_maker.h"
#include "online/net_input.h"
#include "model/sounds.h"
#include "net/link_maker.h"
#include "play/ball.h"
#include "play/brick.h"
#include "play/main_game.h"
#include "play/paddle.h"
#include "play/player.h"
#include "model/data.h"
#include "model/names.h"

#include <algorithm>

// Names go on the wire as the one rule makes them.
static_assert(kMaxNameLength == net::kMaxNameBytes);

namespace {

// Confirmed states kept for looking back at (the replay tool's pictures of a frame).
constexpr std::size_t kKeptStates = 64;
// Frames of lead over the others that pace lets be.
constexpr int kSlack = 2;
// While ahead, a machine gives up this much of a frame every tick (47.5 frames a second);
// while behind, it gains this much (75 frames a second).
constexpr double kSlowBy = 0.05;
constexpr double kCatchUpBy = 0.5;
std::uint64_t lastSerial = 0;

}  // namespace

COnline::COnline(std::unique_ptr<net::Transport> l, net::Lockstep s, const LList<CObject>& parents)
    : CMatchSeats(parents), serial(++lastSerial), link(std::move(l)), session(std::move(s))
{
    type.Load(kType);
    session.predicting = true;
}

bool COnline::HasType(const str& t) const { return t == kType || CMatchSeats::HasType(t); }

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

void COnline::Pump(std::uint32_t tickMs, CGame* game)
{
    // The tick count wraps after 49 days; the session's clock does not.
    clock += static_cast<std::uint32_t>(tickMs - lastTick);
    lastTick = tickMs;
    session.Update(clock);
    const std::uint32_t changed = session.TakeChanged();
    auto* match = dynamic_cast<CMainGame*>(game);
    if (InMatch() && match) {
        for (std::uint32_t f = std::max(changed, confirmedDone); f < frame; ++f)
            if (const Step* step = StepOf(f); step && Differs(*step)) {
                RollBack(*match, f);
                break;
            }
        Confirm(*match);
        Pace();
    }
    if (!InMatch() || reported || session.Failure().empty()) return;
    reported = true;
    throw XNotice(str(session.Failure().c_str()), str("Online match"));
}

bool COnline::FrameDue(CGame* game) const
{
    auto* match = dynamic_cast<CMainGame*>(game);
    if (!InMatch() || !match) return true;
    // A match stopped on the network, once the player has been told why, ends here with
    // the scores as they stand.
    if (reported) game->gameOver = true;
    if (reported) return true;
    // A match that is over on a frame that may still change waits for its confirmation.
    const bool held = heldAt == frame && frame >= session.FirstUnconfirmed();
    return !match->gameOver && !held && session.MayRun(frame) && frame < Scheduled();
}

std::uint32_t COnline::Scheduled() const
{
    const double onTheClock = static_cast<double>((clock - pacedFrom) / net::kFrameMs) + 1;
    return static_cast<std::uint32_t>(std::max(0.0, onTheClock + paceShift));
}

// A machine held at the window banks no frames to race through once the inputs come:
// it is never scheduled more than the window past the frame it is at.
void COnline::Pace()
{
    const int lead = session.Lead();
    if (lead > kSlack) paceShift -= kSlowBy;
    if (lead < -kSlack) paceShift += kCatchUpBy;
    const double ahead = static_cast<double>(Scheduled()) - frame;
    if (ahead > net::kWindow) paceShift -= ahead - net::kWindow;
}

bool COnline::FinishDue(CGame* game) const
{
    if (!InMatch() || !dynamic_cast<CMainGame*>(game)) return true;
    return reported || confirmedDone > running;
}

COnline::Step* COnline::StepOf(std::uint32_t f)
{
    if (steps.empty() || f < steps.front().frame || f > steps.back().frame) return nullptr;
    return &steps[f - steps.front().frame];
}

void COnline::TakeInputs(Step& step) const
{
    for (unsigned int seat = 0; seat < net::kMaxSeats; ++seat) {
        step.used[seat] = session.Input(step.frame, seat);
        step.computer[seat] = session.Computer(seat, step.frame);
    }
}

bool COnline::Differs(const Step& step) const
{
    Step now = Step{step.frame, {}, {}, {}};
    TakeInputs(now);
    return now.used != step.used || now.computer != step.computer;
}

void COnline::FrameStarts(CGame* game)
{
    auto* match = dynamic_cast<CMainGame*>(game);
    if (!InMatch() || !match) return;
    while (!steps.empty() && steps.back().frame >= frame) steps.pop_back();
    running = frame;
    Step& step = steps.emplace_back(Step{frame, SaveMatch(*match), {}, {}});
    TakeInputs(step);
    // A frame that may still change keeps its sounds until it is known to stay.
    if (frame >= session.FirstUnconfirmed()) hold.emplace();
}

// A player dropping out or the match ending is not shown on a guess: a frame not yet
// confirmed in which one happens is taken back, and the match waits for the frame's
// inputs before it runs the frame again (frames a player cannot tell from a short hold).
bool COnline::Final(const SMatchState& before, CMainGame& match) const
{
    return frame >= session.FirstUnconfirmed() && (match.gameOver || SaveMatch(match).playersIn < before.playersIn);
}

void COnline::HoldBefore(CMainGame& match, const Step& step)
{
    RestoreMatch(match, step.before);
    heldAt = frame;
    ++holds;
}

// Back to the match as it was before frame `from`, and on again to the present with the
// inputs known now. Nothing sounds, nothing is painted, no device is read.
void COnline::RollBack(CMainGame& match, std::uint32_t from)
{
    const std::uint32_t present = frame;
    const SMatchState shown = SaveMatch(match);
    RestoreMatch(match, StepOf(from)->before);
    CSoundMute quiet;
    rerunning = true;
    for (frame = from; frame < present; ++frame) {
        Step& step = *StepOf(frame);
        if (frame > from) step.before = SaveMatch(match);
        TakeInputs(step);
        match.Animate();
        match.UpdateInput();
        PrepareNewGraphics(match);
        if (Final(step.before, match)) {
            HoldBefore(match, step);
            break;
        }
        if (match.gameOver) {
            ++frame;
            break;
        }
    }
    while (!steps.empty() && steps.back().frame >= frame) steps.pop_back();
    rerunning = false;
    running = frame - 1;
    session.Ran(running);
    const SMatchState now = SaveMatch(match);
    if (now.playersIn > shown.playersIn) ++dropOutsTakenBack;
    if (now.bricksLeft > shown.bricksLeft) ++bricksTakenBack;
    ++rollbacks;
    rerunFrames += frame - from;
    longestRollback = std::max(longestRollback, frame - from);
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
    if (hold && !steps.empty() && steps.back().frame == frame && Final(steps.back().before, *match)) {
        HoldBefore(*match, steps.back());
        steps.pop_back();
        running = frame - 1;
        hold.reset();  // its sounds are dropped
        return;
    }
    if (hold) hold->Release();
    hold.reset();
    session.KeepLocal(frame);
    session.Ran(frame);
    ++frame;
    Confirm(*match);
}

// Frames whose inputs are all known now are final: their states are compared with the
// other machines' every few frames, and a player out in one of them no longer holds
// up the frames after it.
void COnline::Confirm(CMainGame& match)
{
    while (confirmedDone < session.FirstUnconfirmed() && confirmedDone < frame) {
        const std::uint32_t f = confirmedDone;
        const Step* next = StepOf(f + 1);
        const SMatchState after = next ? next->before : SaveMatch(match);
        if (f % net::kChecksumEvery == 0) session.Checksum(f, Checksum(after));
        RetireLeavers(f + 1, after);
        confirmedStates.emplace_back(f, after);
        if (confirmedStates.size() > kKeptStates) confirmedStates.pop_front();
        ++confirmedDone;
        while (!steps.empty() && steps.front().frame < confirmedDone) steps.pop_front();
    }
}

const SMatchState* COnline::ConfirmedState(std::uint32_t f) const
{
    for (const auto& [at, state] : confirmedStates)
        if (at == f) return &state;
    return nullptr;
}

bool COnline::ShowConfirmed(CGame* game, std::uint32_t f)
{
    auto* match = dynamic_cast<CMainGame*>(game);
    const SMatchState* before = f > 0 && f < confirmedDone ? ConfirmedState(f - 1) : nullptr;
    if (!InMatch() || !match || !before) return false;
    RestoreMatch(*match, *before);
    steps.clear();
    CSoundMute quiet;
    rerunning = true;
    frame = f;
    match->Animate();
    match->UpdateInput();
    PrepareNewGraphics(*match);
    rerunning = false;
    running = f;
    session.Ran(f);
    frame = f + 1;
    return true;
}

// A player who is out after a confirmed frame has no paddle, and no input, any more: the
// frames from `from` on do not wait for one. Seat n is player n + 1.
void COnline::RetireLeavers(std::uint32_t from, const SMatchState& state)
{
    for (unsigned int seat = 0; seat < net::kMaxSeats; ++seat)
        if (!state.players[seat].in) session.Retire(seat, from);
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
    frame = running = 0;
    pacedFrom = clock;
    paceShift = 0;
    heldAt = net::kNoFrame;
    holds = dropOutsTakenBack = bricksTakenBack = 0;
    steps.clear();
    confirmedStates.clear();
    confirmedDone = 0;
    rerunFrames = rollbacks = longestRollback = 0;
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
    if (!net::Links()) throw XNotice(str("Online play is not part of this build"), str(where));
    return *net::Links();
}

}  // namespace

COnline& HostOnline(CObject* from, CData& data)
{
    EndOnline(from);
    std::unique_ptr<net::Transport> link = RequireLinks("Host game").Host(net::HostPort(), net::kHostLinks);
    if (!link) {
        const std::string why = "Port " + std::to_string(net::HostPort()) + " cannot be opened: another program may use it";
        throw XNotice(str(why.c_str()), str("Host game"));
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
    if (!where) throw XNotice(str("Type the host's address, as 192.168.1.20 or name:port"), str("Join game"));
    std::unique_ptr<net::Transport> link = RequireLinks("Join game").Join(where->host, where->port);
    if (!link) throw XNotice(str(("No machine is called " + where->host).c_str()), str("Join game"));
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
