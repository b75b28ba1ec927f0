#include "net/lockstep.h"

#include <algorithm>
#include <cmath>

namespace net {

namespace {

// Frames of inputs and checksums kept behind the newest.
constexpr std::uint32_t kKeptFrames = 256;

const char* RefusalText(Refusal reason)
{
    switch (reason) {
    case Refusal::Full: return "The game is full";
    case Refusal::Started: return "The game has already started";
    case Refusal::WrongVersion: return "The host runs another version of Quorvel";
    case Refusal::Malformed: return "The host could not read what this machine sent";
    }
    return "The host turned this machine away";
}

Message Plain(Kind kind)
{
    Message m;
    m.kind = kind;
    return m;
}

}  // namespace

std::uint8_t DelayFor(std::uint64_t roundTripMs)
{
    const std::uint64_t frames = 1 + (roundTripMs + 2 * kFrameMs - 1) / (2 * kFrameMs);
    return static_cast<std::uint8_t>(std::clamp<std::uint64_t>(frames, kMinDelay, kMaxDelay));
}

Lockstep::Lockstep(Transport& transport, bool host, std::vector<std::string> names)
    : transport(&transport), host(host), state(host ? State::Lobby : State::Joining), localNames(std::move(names))
{
    if (localNames.size() > kMaxSeats) localNames.resize(kMaxSeats);
    if (host) SeatMachines();
}

Lockstep Lockstep::Host(Transport& transport, std::vector<std::string> names, std::vector<bool> open)
{
    Lockstep session(transport, true, std::move(names));
    session.open = std::move(open);
    return session;
}

void Lockstep::Offer(std::vector<std::string> names, std::vector<bool> openSeats)
{
    if (!host || state != State::Lobby) return;
    localNames = std::move(names);
    if (localNames.size() > kMaxSeats) localNames.resize(kMaxSeats);
    open = std::move(openSeats);
    SeatMachines();
}

unsigned int Lockstep::Joined() const
{
    return static_cast<unsigned int>(std::count_if(machines.begin(), machines.end(), [](const Machine& m) {
        return !m.gone && !m.names.empty();
    }));
}

Lockstep Lockstep::Join(Transport& transport, std::vector<std::string> names)
{
    return Lockstep(transport, false, std::move(names));
}

void Lockstep::Update(std::uint64_t nowMs)
{
    if (!clockSet) started = nowMs;
    clockSet = true;
    now = nowMs;
    Event event;
    while (transport->Poll(event)) OnEvent(event);
    if (state == State::Joining && now - started > joinWaitMs) EndWith("The host could not be reached");
    WatchMachines();
    WatchInputs();
    // A guest whose host opened the lobby again has every input of the match the host
    // played; a match still held by a frame missing one will never go on.
    if (state == State::Playing && againPending && !over && Held()) EndWith("The host ended the match");
    std::erase_if(machines, [](const Machine& machine) { return machine.gone; });
    // Without SendNow (its ticks stopped) a machine still acknowledges what comes, and
    // sends it on.
    if (now >= inputsDueAt + kFrameMs) SendInputs();
    Beat();
    transport->Flush();
}

void Lockstep::SendNow()
{
    SendInputs();
    transport->Flush();
}

// ---- The rules -------------------------------------------------------------------

bool Lockstep::HelloOverdue(const Machine& machine) const
{
    return !Greeted(machine) && now - machine.connected > helloWaitMs;
}

bool Lockstep::Silent(const Machine& machine) const { return now - machine.lastHeard > silenceMs; }

bool Lockstep::Starved(unsigned int seat) const
{
    const std::uint64_t patience = host ? silenceMs : 2 * silenceMs;
    return now - fedAt[seat] > patience;
}

bool Lockstep::Compared(std::uint32_t frame) const
{
    return frame % kChecksumEvery == 0 && (ownChecksums.count(frame) != 0 || hostChecksums.count(frame) != 0);
}

bool Lockstep::ChecksumExpected(PeerId from, std::uint32_t frame) const
{
    const std::uint64_t at = frame;
    const bool near = at + kKeptFrames >= due && at <= std::uint64_t{due} + delay + kMaxAhead;
    if (frame % kChecksumEvery != 0 || !near) return false;
    if (!host) return hostChecksums.count(frame) == 0;
    return std::none_of(pendingChecksums.begin(), pendingChecksums.end(),
                        [&](const Theirs& t) { return t.peer == from && t.frame == frame; });
}

bool Lockstep::Playable(const Message& start) const
{
    return start.seats.size() == localNames.size() && Playable(start.sides);
}

bool Lockstep::Playable(const Sides& sides) const
{
    const auto first = std::find_if(sides.begin(), sides.end(), [](std::uint8_t seat) { return seat != 0; });
    return first != sides.end() &&
           std::any_of(first + 1, sides.end(), [&](std::uint8_t seat) { return seat != 0 && seat != *first; });
}

bool Lockstep::Answers(const Message& pong) const
{
    return static_cast<std::uint32_t>(now) - pong.value <= silenceMs;
}

// The host turns away machines that never say Hello and drops those gone silent; a guest
// whose host goes silent is out of the game.
void Lockstep::WatchMachines()
{
    const bool waiting = state == State::Lobby || state == State::Playing;
    for (Machine& machine : machines) {
        if (machine.gone) continue;
        if (host && HelloOverdue(machine)) {
            Turn(machine.peer, Refusal::Malformed);
        } else if (waiting && Silent(machine)) {
            if (!host) {
                EndWith(HostGone());
            } else if (state == State::Playing) {
                DropMachine(machine);
            } else {
                transport->Disconnect(machine.peer);
                Remove(machine.peer);
            }
        }
    }
}

// A seat counts as fed while the next frame waits for nothing of it, and whenever one of
// its inputs arrives (a machine that predicts runs ahead of them). The host drops the
// machine of a seat that starves the match; a guest takes a match that starves for longer
// than the host needs to drop a guest as the host's silence.
void Lockstep::WatchInputs()
{
    if (state != State::Playing || over) return;
    for (unsigned int seat = 0; seat < kMaxSeats; ++seat)
        if (!Awaits(seat, due)) fedAt[seat] = now;
    if (!host) {
        for (unsigned int seat = 0; seat < kMaxSeats; ++seat)
            if (Starved(seat)) return EndWith(HostGone());
        return;
    }
    for (Machine& machine : machines)
        if (!machine.gone && std::any_of(machine.seats.begin(), machine.seats.end(), [&](unsigned int seat) {
                return Starved(seat);
            }))
            DropMachine(machine);
}

// ---- What arrives ----------------------------------------------------------------

void Lockstep::OnEvent(const Event& event)
{
    if (event.kind == Event::Connected) return OnConnected(event.peer);
    if (event.kind == Event::Disconnected) return Remove(event.peer);
    Machine* machine = Find(event.peer);
    if (!machine || machine->gone) return;
    if (Greeted(*machine)) machine->lastHeard = now;
    if (Flooding(*machine)) return;
    const std::optional<Message> m = Decode(event.data);
    if (!m) {
        ++refused;
        // A machine that cannot say hello properly is turned away; later garbage is ignored.
        if (!Greeted(*machine)) Turn(event.peer, Refusal::Malformed);
        return;
    }
    OnMessage(*machine, *m);
}

void Lockstep::OnConnected(PeerId peer)
{
    if (host && state != State::Lobby) return Turn(peer, Refusal::Started);
    // A guest talks to its host alone.
    if (!host && !machines.empty()) return transport->Disconnect(peer);
    machines.push_back(Machine{peer, {}, {}, now, now, now, 0, 0, false, false});
    if (host) return;
    Message hello = Plain(Kind::Hello);
    hello.names = localNames;
    SendTo(peer, hello);
}

bool Lockstep::Flooding(Machine& machine)
{
    if (now - machine.windowStart >= 1000) {
        machine.windowStart = now;
        machine.windowCount = 0;
    }
    if (++machine.windowCount <= kFloodPerSecond) return false;
    ++refused;
    if (host) {
        if (state == State::Playing)
            DropMachine(machine);
        else
            Turn(machine.peer, Refusal::Malformed);
    }
    return true;
}

void Lockstep::OnMessage(Machine& machine, const Message& m)
{
    if (!Greeted(machine)) {
        // Before its Hello a machine is not answered, and nothing it sends counts.
        if (m.kind == Kind::Hello) return Admit(machine.peer, m);
        if (m.kind != Kind::Ping && m.kind != Kind::Pong) Turn(machine.peer, Refusal::Malformed);
        return;
    }
    if (m.kind == Kind::Ping) {
        HearPace(machine, m.frame);
        Message pong = Plain(Kind::Pong);
        pong.value = m.value;
        return SendUnreliably(machine.peer, pong);
    }
    if (m.kind == Kind::Pong) {
        if (!Answers(m)) {
            ++refused;
            return;
        }
        // Smoothed, as one datagram's jitter would otherwise move the pace.
        const std::uint64_t took = static_cast<std::uint32_t>(now) - m.value;
        machine.roundTrip = machine.roundTrip == 0 ? took : (3 * machine.roundTrip + took) / 4;
        return;
    }
    if (host)
        OnHostMessage(machine, m);
    else
        OnClientMessage(machine, m);
}

void Lockstep::OnHostMessage(Machine& machine, const Message& m)
{
    // What a machine still sends of the last match, until it says that it has ended it,
    // is late: the next match does not take it for its own.
    const bool late = m.kind == Kind::Inputs || m.kind == Kind::Checksum || m.kind == Kind::OutOfStep;
    if (machine.behind && late) return;
    if (machine.behind && m.kind == Kind::Again) {
        machine.behind = false;
        return;
    }
    // Inputs travel unreliably: outside a match they are the last one's, overtaken by its end.
    if (m.kind == Kind::Inputs) {
        if (state == State::Playing) OnInputs(machine, m);
        return;
    }
    if (state == State::Playing && m.kind == Kind::Checksum && ChecksumExpected(machine.peer, m.frame))
        return OnHostChecksum(machine, m);
    if (state == State::Playing && m.kind == Kind::OutOfStep && Compared(m.frame)) return OutOfStep(m.frame);
    ++refused;
}

void Lockstep::OnHostChecksum(Machine& machine, const Message& m)
{
    auto own = ownChecksums.find(m.frame);
    if (own == ownChecksums.end())
        pendingChecksums.push_back(Theirs{machine.peer, m.frame, m.value});
    else if (own->second != m.value)
        OutOfStep(m.frame);
}

void Lockstep::OnClientMessage(Machine& hostMachine, const Message& m)
{
    if (m.kind == Kind::Inputs) {
        if (state == State::Playing && !againPending) OnInputs(hostMachine, m);
        return;
    }
    if (state == State::Joining && m.kind == Kind::Welcome) {
        state = State::Lobby;
        return;
    }
    // A host may turn a machine away until the match starts (its lobby shrank).
    const bool waiting = state == State::Joining || state == State::Lobby;
    if (waiting && m.kind == Kind::Refuse) return EndWith(RefusalText(m.reason));
    if (state == State::Lobby && m.kind == Kind::Start) return OnStart(m);
    if (state == State::Playing && m.kind == Kind::Again && !againPending) return OnAgain();
    // The next match, started while this machine still ends the last: seated after it.
    if (state == State::Playing && m.kind == Kind::Start && againPending && !startPending) {
        startPending = m;
        return;
    }
    if (state == State::Playing && !againPending) {
        const bool remote = m.seat < seats.size() && !seats[m.seat].local;
        if (m.kind == Kind::Checksum && ChecksumExpected(0, m.frame)) return CompareChecksum(m.frame, m.value);
        if (m.kind == Kind::OutOfStep && Compared(m.frame)) return OutOfStep(m.frame);
        if (m.kind == Kind::Drop && m.seat < seats.size() && seats[m.seat].local)
            return EndWith("The host dropped this machine from the match");
        if (m.kind == Kind::Drop && remote && !computer[m.seat] && m.frame == next[m.seat]) {
            computer[m.seat] = true;
            computerFrom[m.seat] = m.frame;
            Changed(m.frame);
            return;
        }
    }
    ++refused;
}

// A match that nobody could play, or that has no place for this machine's players, is
// not joined: the machine leaves with the reason.
void Lockstep::OnStart(const Message& m)
{
    if (!Playable(m)) return EndWith("The host started a match this machine cannot play");
    seats.clear();
    for (const std::string& name : m.names) seats.push_back(Seat{name, false});
    for (std::uint8_t seat : m.seats) seats[seat].local = true;
    setup.looks = m.looks;
    setup.sides = m.sides;
    TakePlayingSeats();
    ++matches;
    seed = m.seed;
    delay = m.delay;
    machines.front().lastHeard = now;
    next.fill(delay);
    fedAt.fill(now);
    StartStreams();
    state = State::Playing;
}

// The host has opened its lobby again. The match is over there, and every input of it
// has come: this machine goes back to the lobby once its own match is over.
void Lockstep::OnAgain()
{
    if (over) return BackToLobby();
    againPending = true;
}

void Lockstep::BackToLobby()
{
    ForgetMatch();
    state = State::Lobby;
    SendAll(Plain(Kind::Again));  // the host hears that this machine's match is over too
    if (!startPending) return;
    const Message start = *startPending;
    startPending.reset();
    OnStart(start);
}

void Lockstep::MatchOver()
{
    if (state != State::Playing) return;
    over = true;
    if (againPending) BackToLobby();
}

void Lockstep::Admit(PeerId peer, const Message& hello)
{
    if (hello.version != kProtocolVersion) return Turn(peer, Refusal::WrongVersion);
    if (state != State::Lobby) return Turn(peer, Refusal::Started);
    if (!Fits(hello.names)) return Turn(peer, Refusal::Full);
    Find(peer)->names = hello.names;
    SeatMachines();
    SendTo(peer, Plain(Kind::Welcome));
}

// The host's own seats, the open ones of them given up to the joined machines' players,
// who take them in the order their machines came.
void Lockstep::SeatMachines()
{
    seats.clear();
    for (const std::string& name : localNames) seats.push_back(Seat{name, true});
    for (Machine& machine : machines) {
        machine.seats.clear();
        if (machine.gone || machine.names.empty()) continue;
        if (!Fits(machine.names)) {
            Turn(machine.peer, Refusal::Full);
            machine.gone = true;
            continue;
        }
        const std::vector<unsigned int> free = OpenSeats();
        for (std::size_t i = 0; i < machine.names.size(); ++i) {
            const unsigned int seat = free[i];
            if (seat == seats.size())
                seats.push_back(Seat{machine.names[i], false});
            else
                seats[seat] = Seat{machine.names[i], false};
            machine.seats.push_back(seat);
        }
    }
    ++lobbyVersion;
}

// The seats a joining player may take, first first.
std::vector<unsigned int> Lockstep::OpenSeats() const
{
    std::vector<unsigned int> free;
    for (unsigned int seat = 0; seat < seats.size(); ++seat)
        if (seats[seat].local && seat < open.size() && open[seat]) free.push_back(seat);
    for (auto seat = static_cast<unsigned int>(seats.size()); seat < kMaxSeats; ++seat) free.push_back(seat);
    return free;
}

bool Lockstep::Fits(const std::vector<std::string>& names) const { return names.size() <= OpenSeats().size(); }

void Lockstep::Turn(PeerId peer, Refusal reason)
{
    Message refuse = Plain(Kind::Refuse);
    refuse.reason = reason;
    SendTo(peer, refuse);
    transport->Disconnect(peer);
    Machine* machine = Find(peer);
    if (machine && machine->names.empty()) machine->gone = true;
}

// What a joined machine says when the host is gone.
const char* Lockstep::HostGone() const
{
    if (state == State::Joining) return "The host could not be reached";
    return state == State::Lobby ? "The host closed the game" : "The host left the match";
}

void Lockstep::Remove(PeerId peer)
{
    Machine* machine = Find(peer);
    if (!machine || machine->gone) return;
    if (!host) return EndWith(HostGone());
    if (state == State::Playing) return DropMachine(*machine);
    machine->gone = true;
    // The lobby closes ranks behind a machine that leaves it.
    if (state == State::Lobby && !machine->names.empty()) SeatMachines();
}

void Lockstep::DropMachine(Machine& machine)
{
    machine.gone = true;
    transport->Disconnect(machine.peer);
    SendTails();
    for (unsigned int seat : machine.seats) {
        computer[seat] = true;
        computerFrom[seat] = next[seat];
        Changed(next[seat]);
        Message drop = Plain(Kind::Drop);
        drop.seat = static_cast<std::uint8_t>(seat);
        drop.frame = next[seat];
        SendAll(drop);
    }
}

bool Lockstep::Start(std::uint32_t startSeed)
{
    Setup plain;
    for (unsigned int side = 0; side < kMaxSeats; ++side)
        plain.sides[side] = static_cast<std::uint8_t>(side < seats.size() ? side + 1 : 0);
    return Start(startSeed, plain);
}

bool Lockstep::Start(std::uint32_t startSeed, const Setup& wanted)
{
    if (!host || state != State::Lobby || seats.size() < 2) return false;
    Sides sides = wanted.sides;
    for (std::uint8_t& side : sides)
        if (side > seats.size()) side = 0;
    if (!Playable(sides)) return false;
    setup = wanted;
    setup.looks.resize(seats.size());
    setup.sides = sides;
    TakePlayingSeats();
    ++matches;
    std::uint64_t slowest = 0;
    for (const Machine& machine : machines)
        if (!machine.gone) slowest = std::max(slowest, machine.roundTrip);
    seed = startSeed;
    delay = predicting ? kMinDelay : DelayFor(slowest);
    next.fill(delay);
    fedAt.fill(now);
    StartStreams();
    Message start = Plain(Kind::Start);
    start.seed = seed;
    start.delay = delay;
    for (const Seat& seat : seats) start.names.push_back(seat.name);
    start.looks = setup.looks;
    start.sides = setup.sides;
    for (Machine& machine : machines) {
        if (machine.gone || machine.names.empty()) continue;
        machine.lastHeard = now;  // silence is measured from the start
        start.seats.assign(machine.seats.begin(), machine.seats.end());
        SendTo(machine.peer, start);
    }
    state = State::Playing;
    return true;
}

bool Lockstep::Reopen()
{
    if (!host || state != State::Playing) return false;
    SendTails();
    SendAll(Plain(Kind::Again));
    for (Machine& machine : machines) machine.behind = Greeted(machine);
    ForgetMatch();
    state = State::Lobby;
    SeatMachines();
    return true;
}

// Everything of the match that was, so that the next starts afresh.
void Lockstep::ForgetMatch()
{
    for (Machine& machine : machines) machine.paced = false;
    rows.clear();
    ownChecksums.clear();
    hostChecksums.clear();
    pendingChecksums.clear();
    next.fill(0);
    last.fill(SeatInput{});
    confirmed = 0;
    changed = kNoFrame;
    computer.fill(false);
    computerFrom.fill(0);
    playing.fill(false);
    retiredFrom.fill(~0u);
    due = 0;
    over = false;
    againPending = false;
    setup = Setup{};
}

void Lockstep::TakePlayingSeats()
{
    playing.fill(false);
    retiredFrom.fill(~0u);
    for (std::uint8_t side : setup.sides)
        if (side > 0) playing[side - 1u] = true;
}

bool Lockstep::TakeInput(unsigned int seat, std::uint32_t frame, SeatInput input)
{
    if (seat >= seats.size() || !playing[seat] || computer[seat] || frame != next[seat]) return false;
    // Nobody may run ahead of this machine by more than the delay; more is a flood.
    if (frame > due + delay + kMaxAhead) return false;
    rows[frame].input[seat] = input;
    rows[frame].known[seat] = true;
    ++next[seat];
    fedAt[seat] = now;
    if (input != last[seat]) Changed(frame);
    last[seat] = input;
    return true;
}

void Lockstep::SetLocal(std::uint32_t frame, unsigned int seat, SeatInput input)
{
    if (state != State::Playing || seat >= seats.size() || !seats[seat].local) return;
    TakeInput(seat, frame + delay, input);
}

// ---- The inputs stream -------------------------------------------------------------

bool Lockstep::Feeds(const Machine& machine, unsigned int seat) const
{
    if (host) return std::find(machine.seats.begin(), machine.seats.end(), seat) != machine.seats.end();
    return seat < seats.size() && !seats[seat].local;
}

bool Lockstep::Needs(const Machine& machine, unsigned int seat) const
{
    if (seat >= seats.size() || !playing[seat]) return false;
    return host ? !Feeds(machine, seat) : seats[seat].local;
}

std::uint64_t Lockstep::ResendMs(const Machine& machine) const
{
    return std::max<std::uint64_t>(machine.roundTrip, 2 * kFrameMs) + 3 * kFrameMs;
}

void Lockstep::StartStreams()
{
    for (Machine& machine : machines) {
        machine.acked.fill(delay);
        machine.ackedAt.fill(now);
        machine.sentTo.fill(delay);
        machine.sentBefore.fill(delay);
    }
}

void Lockstep::OnInputs(Machine& machine, const Message& m)
{
    if (m.match != MatchTag()) return;  // the last match's, overtaken by its end
    for (const InputAck& ack : m.acks) TakeAck(machine, ack);
    for (const InputRun& run : m.runs) {
        if (Feeds(machine, run.seat))
            TakeRun(run);
        else
            ++refused;
    }
}

// Inputs already here are passed over; past a gap nothing can be taken yet. A run that
// starts further ahead than any machine may run is a flood.
void Lockstep::TakeRun(const InputRun& run)
{
    if (run.first > std::uint64_t{due} + delay + kMaxAhead) {
        ++refused;
        return;
    }
    for (std::size_t i = 0; i < run.inputs.size(); ++i) {
        const std::uint32_t frame = run.first + static_cast<std::uint32_t>(i);
        if (frame < next[run.seat]) continue;
        if (frame > next[run.seat]) return;
        if (!TakeInput(run.seat, frame, run.inputs[i])) {
            ++refused;
            return;
        }
    }
}

// An acknowledgement says no more than what was sent.
void Lockstep::TakeAck(Machine& machine, const InputAck& ack)
{
    if (!Needs(machine, ack.seat)) return;
    const std::uint32_t has = std::min(ack.next, next[ack.seat]);
    if (has <= machine.acked[ack.seat]) return;
    machine.acked[ack.seat] = has;
    machine.ackedAt[ack.seat] = now;
}

// One datagram to each machine a frame period, however often the session is updated.
void Lockstep::SendInputs()
{
    if (state != State::Playing || now < inputsDueAt) return;
    inputsDueAt = std::max(inputsDueAt, now - std::min(now, kFrameMs)) + kFrameMs;
    for (Machine& machine : machines) {
        if (machine.gone || (host && machine.names.empty())) continue;
        Message m = InputsOfThisMatch();
        for (unsigned int seat = 0; seat < seats.size(); ++seat) {
            if (Feeds(machine, seat) && playing[seat] && !computer[seat])
                m.acks.push_back(InputAck{static_cast<std::uint8_t>(seat), next[seat]});
            if (std::optional<InputRun> run = Needs(machine, seat) ? RunFor(machine, seat) : std::nullopt)
                m.runs.push_back(*run);
        }
        SendUnreliably(machine.peer, m);
    }
}

// Each input goes in two datagrams one after the other, and all that the machine lacks
// goes again once it has acknowledged nothing new for longer than a round trip.
std::optional<InputRun> Lockstep::RunFor(Machine& machine, unsigned int seat)
{
    std::uint32_t from = std::max(machine.acked[seat], machine.sentBefore[seat]);
    if (machine.acked[seat] < from && now - machine.ackedAt[seat] > ResendMs(machine)) {
        from = machine.acked[seat];
        machine.ackedAt[seat] = now;
    }
    const std::uint32_t to = std::min<std::uint32_t>(next[seat], from + kMaxRun);
    machine.sentBefore[seat] = machine.sentTo[seat];
    machine.sentTo[seat] = std::max(machine.sentTo[seat], to);
    return Run(seat, from, to);
}

std::optional<InputRun> Lockstep::Run(unsigned int seat, std::uint32_t from, std::uint32_t to) const
{
    const auto row = rows.find(from);
    if (from >= to || row == rows.end() || !row->second.known[seat]) return std::nullopt;
    InputRun run{static_cast<std::uint8_t>(seat), from, {}};
    for (std::uint32_t frame = from; frame < to; ++frame) run.inputs.push_back(Input(frame, seat));
    return run;
}

Message Lockstep::InputsOfThisMatch() const
{
    Message m = Plain(Kind::Inputs);
    m.match = MatchTag();
    return m;
}

// The host's, before it says reliably what must come after every input of the match
// (a drop, the end): each machine that plays gets every input it may lack.
void Lockstep::SendTails()
{
    for (Machine& machine : machines)
        if (!machine.gone && !machine.names.empty()) SendTail(machine);
}

// Every input the machine may lack, reliably: a seat at a time, in runs a message holds.
void Lockstep::SendTail(Machine& machine)
{
    for (unsigned int seat = 0; seat < seats.size(); ++seat) {
        if (!Needs(machine, seat)) continue;
        for (std::uint32_t from = machine.acked[seat]; from < next[seat]; from += kMaxRun) {
            const std::optional<InputRun> run = Run(seat, from, std::min<std::uint32_t>(next[seat], from + kMaxRun));
            if (!run) break;
            Message m = InputsOfThisMatch();
            m.runs.push_back(*run);
            SendTo(machine.peer, m);
        }
    }
}

bool Lockstep::Computer(unsigned int seat, std::uint32_t frame) const
{
    return seat < kMaxSeats && computer[seat] && frame >= computerFrom[seat];
}

void Lockstep::Retire(unsigned int seat, std::uint32_t frame)
{
    if (seat < kMaxSeats && frame < retiredFrom[seat]) retiredFrom[seat] = frame;
}

bool Lockstep::Awaits(unsigned int seat, std::uint32_t frame) const
{
    const bool waits = seat < seats.size() && playing[seat] && frame < retiredFrom[seat] && !Computer(seat, frame);
    return waits && frame >= next[seat];
}

bool Lockstep::OutrunsAMachine(std::uint32_t frame) const
{
    return host && std::any_of(machines.begin(), machines.end(), [&](const Machine& machine) {
               return Paced(machine) && frame > std::uint64_t{machine.frameDue} + kMaxAhead;
           });
}

bool Lockstep::Ready(std::uint32_t frame) const
{
    if (state != State::Playing || OutrunsAMachine(frame)) return false;
    for (unsigned int seat = 0; seat < kMaxSeats; ++seat)
        if (Awaits(seat, frame)) return false;
    return true;
}

// What a ping says of how far this machine runs ahead of its sender is folded into what
// the pings before said, so that one ping's jitter moves the estimate a quarter as much.
void Lockstep::HearPace(Machine& machine, std::uint32_t theirNext)
{
    const bool known = machine.paced;
    machine.paced = theirNext != 0 && state == State::Playing;
    machine.frameDue = theirNext - 1;
    const double heard = static_cast<double>(due) - (machine.frameDue + static_cast<double>(machine.roundTrip) / 2 / kFrameMs);
    const double was = LeadOver(machine);
    machine.lead = known ? was + (heard - was) / 4 : heard;
    machine.frameHeardAt = now;
    machine.dueWhenHeard = due;
}

double Lockstep::LeadOver(const Machine& machine) const
{
    const double since = static_cast<double>(now - machine.frameHeardAt) / kFrameMs;
    return machine.lead + (static_cast<double>(due) - machine.dueWhenHeard) - since;
}

int Lockstep::Lead() const
{
    if (state != State::Playing || over) return 0;
    std::optional<double> lead;
    for (const Machine& machine : machines) {
        if (!Paced(machine)) continue;
        const double ahead = std::clamp(LeadOver(machine), -double{kWindow}, double{kWindow});
        lead = lead ? std::max(*lead, ahead) : ahead;
    }
    return lead ? static_cast<int>(std::lround(*lead)) : 0;
}

void Lockstep::Ran(std::uint32_t frame)
{
    if (state == State::Playing) due = frame + 1;
}

SeatInput Lockstep::Input(std::uint32_t frame, unsigned int seat) const
{
    if (seat >= kMaxSeats) return SeatInput{};
    if (frame >= next[seat]) return last[seat];
    auto row = rows.find(frame);
    if (row == rows.end() || !row->second.known[seat]) return SeatInput{};
    return row->second.input[seat];
}

bool Lockstep::Known(std::uint32_t frame, unsigned int seat) const { return seat < kMaxSeats && frame < next[seat]; }

std::uint32_t Lockstep::FirstUnconfirmed() const
{
    while (confirmed < due + kMaxAhead && Ready(confirmed)) ++confirmed;
    return confirmed;
}

bool Lockstep::MayRun(std::uint32_t frame) const
{
    return state == State::Playing && frame < FirstUnconfirmed() + kWindow;
}

// An input that differs from the prediction, for a frame this machine may have run.
void Lockstep::Changed(std::uint32_t frame)
{
    if (frame < due) changed = std::min(changed, frame);
}

std::uint32_t Lockstep::TakeChanged()
{
    const std::uint32_t earliest = changed;
    changed = kNoFrame;
    return earliest;
}

void Lockstep::KeepLocal(std::uint32_t frame)
{
    if (state != State::Playing) return;
    for (unsigned int seat = 0; seat < seats.size(); ++seat) {
        if (!seats[seat].local || !playing[seat]) continue;
        for (std::uint32_t missing = next[seat]; missing <= frame + delay; ++missing)
            SetLocal(missing - delay, seat, last[seat]);
    }
}

void Lockstep::Checksum(std::uint32_t frame, std::uint32_t value)
{
    if (state != State::Playing || frame % kChecksumEvery != 0) return;
    ownChecksums[frame] = value;
    ForgetBefore(frame > kKeptFrames ? frame - kKeptFrames : 0);
    Message m = Plain(Kind::Checksum);
    m.frame = frame;
    m.value = value;
    SendAll(m);
    if (!host) return CompareChecksum(frame, hostChecksums.count(frame) ? hostChecksums[frame] : value);
    for (const Theirs& theirs : pendingChecksums)
        if (theirs.frame == frame && theirs.value != value) return OutOfStep(frame);
    std::erase_if(pendingChecksums, [&](const Theirs& t) { return t.frame == frame; });
}

void Lockstep::CompareChecksum(std::uint32_t frame, std::uint32_t value)
{
    auto own = ownChecksums.find(frame);
    if (own == ownChecksums.end()) {
        hostChecksums[frame] = value;
        return;
    }
    if (own->second != value) OutOfStep(frame);
}

void Lockstep::ForgetBefore(std::uint32_t frame)
{
    std::erase_if(ownChecksums, [&](const auto& c) { return c.first < frame; });
    std::erase_if(hostChecksums, [&](const auto& c) { return c.first < frame; });
    std::erase_if(pendingChecksums, [&](const Theirs& t) { return t.frame < frame; });
    std::erase_if(rows, [&](const auto& r) { return r.first < frame; });
}

void Lockstep::OutOfStep(std::uint32_t frame)
{
    if (state == State::Ended) return;
    EndWith("The match went out of step on frame " + std::to_string(frame));
    Message m = Plain(Kind::OutOfStep);
    m.frame = frame;
    SendAll(m);
}

void Lockstep::EndWith(const std::string& why)
{
    if (state == State::Ended) return;
    state = State::Ended;
    failure = why;
}

void Lockstep::Leave()
{
    for (Machine& machine : machines)
        if (!machine.gone) {
            machine.gone = true;
            transport->Disconnect(machine.peer);
        }
    state = State::Ended;
}

void Lockstep::SendTo(PeerId peer, const Message& m) { transport->Send(peer, Encode(m)); }

void Lockstep::SendUnreliably(PeerId peer, const Message& m) { transport->SendUnreliable(peer, Encode(m)); }

void Lockstep::SendAll(const Message& m, PeerId except)
{
    for (const Machine& machine : machines)
        if (!machine.gone && machine.peer != except && !machine.names.empty()) SendTo(machine.peer, m);
    // A joiner's only machine is the host, which has no names in its list.
    if (!host)
        for (const Machine& machine : machines)
            if (!machine.gone) SendTo(machine.peer, m);
}

void Lockstep::Beat()
{
    if (now - lastPing < kHeartbeatMs || state == State::Ended) return;
    Message ping = Plain(Kind::Ping);
    ping.value = static_cast<std::uint32_t>(now);
    ping.frame = state == State::Playing && !over ? due + 1 : 0;
    for (const Machine& machine : machines)
        if (!machine.gone && Greeted(machine)) SendUnreliably(machine.peer, ping);
    lastPing = now;
}

Lockstep::Machine* Lockstep::Find(PeerId peer)
{
    for (Machine& machine : machines)
        if (machine.peer == peer) return &machine;
    return nullptr;
}

}  // namespace net
