#pragma once
// One match played on several machines in lockstep. Every machine runs the whole match;
// what travels is each seat's controls for each frame. The host is the hub: the others
// send it their seats' inputs and it passes them on. Inputs travel unreliably, so that
// one lost datagram holds nothing else back: every tick each machine sends each other
// one datagram with the runs of inputs it lacks, every input goes in two datagrams one
// after the other, and again once the receiver has acknowledged nothing new for longer
// than a round trip. Whatever is said reliably after inputs (a drop, the end of the
// match) goes after a reliable copy of the inputs the receiver may still lack. A frame may run once every seat's input for it is known. A
// seat's input for frame f is what its player did during frame f - delay, so the delay
// hides the time the input takes to arrive. Machines compare checksums of their match
// state every few frames and stop the match on the first difference. A machine that
// leaves, or is silent for three seconds, is replaced by a computer player on every
// other machine from the frame the host names.
//
// Whatever another machine sends, it is held to a few rules, each one check below:
// a machine that has not said Hello soon after connecting is turned away, whatever else
// it sends; a seat whose inputs stop coming is silent after the same three seconds as a
// machine, even while its machine still talks; every field of every message is checked
// against the session's state before anything is done with it; and the host keeps a
// link more than it has seats, so that the machine it turns away hears why.

#include "net/message.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace net {

// Checksums are compared on every frame that is a multiple of this.
constexpr std::uint32_t kChecksumEvery = 8;
// A machine not heard from for longer than this has left; so has the machine of a seat
// whose input the match has waited for that long.
constexpr std::uint64_t kSilenceMs = 3000;
// A machine that has connected to the host says Hello within this, or is turned away.
constexpr std::uint64_t kHelloWaitMs = 2000;
// A joining machine waits this long for the host's welcome.
constexpr std::uint64_t kJoinWaitMs = 5000;
// Every machine pings the others this often: silence means gone, and the answers
// measure the round trip.
constexpr std::uint64_t kHeartbeatMs = 250;
// The frame period the delay is measured in.
constexpr std::uint64_t kFrameMs = 20;
// Messages a second that a machine may send before it is taken for a flood.
constexpr unsigned int kFloodPerSecond = 1000;
// How far ahead of the frames already known an input may be.
constexpr std::uint32_t kMaxAhead = 64;
// Frames a machine that predicts the inputs it lacks may run past the last frame whose
// inputs are all known: about 300 ms.
constexpr std::uint32_t kWindow = 15;
// No frame changed since it ran.
constexpr std::uint32_t kNoFrame = ~0u;
// The links a host takes: one for every seat a joining machine may have, and one more,
// so that a machine that comes when they are taken can be told why it is turned away.
constexpr unsigned int kHostLinks = kMaxSeats - 1 + 1;

// The input delay for a measured round trip.
std::uint8_t DelayFor(std::uint64_t roundTripMs);

class Lockstep {
public:
    enum class State { Lobby, Joining, Playing, Ended };
    struct Seat {
        std::string name;
        bool local = false;
    };

    // The match's settings that the host sends with the start: every seat's looks and who
    // plays at which side.
    struct Setup {
        std::vector<SeatLook> looks;
        Sides sides{};
    };

    // A host with its own players' names (one to four), taking joins on `transport`. A
    // joining machine's players take the first open seats: those of the host's players
    // marked in `open` (computer players, who make room), then seats past the host's.
    static Lockstep Host(Transport& transport, std::vector<std::string> names, std::vector<bool> open = {});
    // The host's own players change while the lobby waits; the joined machines are seated
    // again, and one that no longer fits is turned away as to a full game.
    void Offer(std::vector<std::string> names, std::vector<bool> open);
    // A machine joining the host it has a connection (or a connection on the way) to.
    static Lockstep Join(Transport& transport, std::vector<std::string> names);

    // Takes in what arrived, answers, and notices silence; `nowMs` is any steady clock.
    void Update(std::uint64_t nowMs);
    // Sends the others the inputs they lack, if a frame period has passed since the last
    // time: a machine calls it at the end of every tick, after the frames, so that its
    // players' inputs leave at once. (Update sends them too when nothing calls this.)
    void SendNow();

    // The host starts the match for every seat in the lobby; false unless it is
    // the host, in the lobby, with at least two seats. Without a setup, seat n plays at
    // side n. A seat at no side plays no part: no frame waits for its input.
    bool Start(std::uint32_t seed);
    bool Start(std::uint32_t seed, const Setup& setup);
    // After a match the host opens its lobby again for the next one: the machines still
    // there go back to waiting for the start, and new ones may join. False unless it is
    // the host of a match.
    bool Reopen();
    // The matches started in this session so far.
    unsigned int Matches() const { return matches; }

    State GetState() const { return state; }
    bool IsHost() const { return host; }
    // The seats: before the start the host's lobby (a joining machine knows none), then
    // the match's.
    const std::vector<Seat>& Seats() const { return seats; }
    std::uint32_t Seed() const { return seed; }
    std::uint8_t Delay() const { return delay; }
    const Setup& MatchSetup() const { return setup; }
    // Counts every change of the host's lobby, so that a screen showing it knows when.
    unsigned int LobbyVersion() const { return lobbyVersion; }
    // Machines in the lobby besides this one.
    unsigned int Joined() const;

    // What a local seat's player did while `frame` ran; it counts for frame + delay.
    // Once per seat and frame, in frame order; other calls are ignored.
    void SetLocal(std::uint32_t frame, unsigned int seat, SeatInput input);
    // Every seat's input for `frame` is known (or a computer plays the seat): the frame
    // is confirmed.
    bool Ready(std::uint32_t frame) const;
    // The first frame that is not confirmed; every frame before it is.
    std::uint32_t FirstUnconfirmed() const;
    // A machine that predicts may run `frame`: it is within the window past the last
    // confirmed frame.
    bool MayRun(std::uint32_t frame) const;
    // The seat's input for `frame` has arrived (or needs none).
    bool Known(std::uint32_t frame, unsigned int seat) const;
    // The earliest frame this machine has run whose inputs, or whose computer players,
    // have changed since the last call; kNoFrame when none has.
    std::uint32_t TakeChanged();
    // The local seats that have not said what their players did while `frame` ran (their
    // players are out, or their devices were not read) repeat what they last said.
    void KeepLocal(std::uint32_t frame);
    // This machine has run `frame` (or gone back to it and run it again): the next frame
    // is the one the match waits for.
    void Ran(std::uint32_t frame);
    // The match is over on this machine (its last frame has run). A guest whose host has
    // already opened the lobby again goes back to it now, and seats the next match if the
    // host has started it meanwhile.
    void MatchOver();
    // How many frames this machine runs ahead of those it keeps pace with (behind them
    // when negative), from the frames they said they run and the round trips: a guest
    // keeps pace with the host, the host with the guest furthest behind. 0 until known;
    // never more than the window either way.
    int Lead() const;
    // The seat's player is out of the match from `frame` on (every machine sees it go at
    // the same frame): no frame waits for its input any more.
    void Retire(unsigned int seat, std::uint32_t frame);
    // A computer plays `seat` in `frame`: its machine has left.
    bool Computer(unsigned int seat, std::uint32_t frame) const;
    // The seat's input for a frame: the one that arrived, or, while it has not, a
    // prediction (the seat's last known input).
    SeatInput Input(std::uint32_t frame, unsigned int seat) const;
    // The match state after `frame`; compared with the other machines' on checksum frames.
    void Checksum(std::uint32_t frame, std::uint32_t value);
    // Why the match ended ("" while it goes on).
    const std::string& Failure() const { return failure; }
    // Messages refused as malformed, out of place or out of range.
    unsigned int Refused() const { return refused; }
    // Leaves the match: the others are told, and a computer takes this machine's seats.
    void Leave();

    // How long a machine may be silent before it counts as gone, and how long a joining
    // machine waits for the host's welcome. (Tests that run in real time on a busy
    // machine allow more, so that a starved process is not taken for a pulled cable.)
    std::uint64_t silenceMs = kSilenceMs;
    std::uint64_t joinWaitMs = kJoinWaitMs;
    std::uint64_t helloWaitMs = kHelloWaitMs;
    // This machine runs frames whose inputs have not all come, predicting them, as far as
    // the window allows (MayRun), rather than waiting for each frame to be Ready. A host
    // that predicts starts every match with the least input delay, whatever the round trip.
    bool predicting = false;

private:
    struct Machine {
        PeerId peer = 0;
        std::vector<std::string> names;
        std::vector<unsigned int> seats;
        std::uint64_t connected = 0;
        std::uint64_t lastHeard = 0;
        std::uint64_t windowStart = 0;
        unsigned int windowCount = 0;
        std::uint64_t roundTrip = 0;
        bool gone = false;
        bool behind = false;  // the host's: still playing the last match
        // The frame it said it runs next, and when that was heard (paced: in this match).
        std::uint32_t frameDue = 0;
        std::uint64_t frameHeardAt = 0;
        bool paced = false;
        // How far this machine ran ahead of it when it was last heard, smoothed, and the
        // frame this machine was due to run then.
        double lead = 0;
        std::uint32_t dueWhenHeard = 0;
        // The inputs it is sent: what it has acknowledged of each seat and when that last
        // grew, and where the last two runs sent to it ended.
        std::array<std::uint32_t, kMaxSeats> acked{};
        std::array<std::uint64_t, kMaxSeats> ackedAt{};
        std::array<std::uint32_t, kMaxSeats> sentTo{};
        std::array<std::uint32_t, kMaxSeats> sentBefore{};
    };
    struct Row {
        std::array<SeatInput, kMaxSeats> input{};
        std::array<bool, kMaxSeats> known{};
    };

    Lockstep(Transport& transport, bool host, std::vector<std::string> names);

    // The rules, one check each.
    // The host's: a machine that has not said Hello within helloWaitMs of connecting.
    bool HelloOverdue(const Machine& machine) const;
    // Nothing heard from the machine for longer than silenceMs.
    bool Silent(const Machine& machine) const;
    // The match has waited for the seat's input longer than a silent machine is waited
    // for (a guest allows the host as long again to notice another guest's silence).
    bool Starved(unsigned int seat) const;
    // An OutOfStep names a frame whose checksums were compared.
    bool Compared(std::uint32_t frame) const;
    // A checksum of a frame that is compared, near the frames this machine runs, and the
    // first from its sender for that frame.
    bool ChecksumExpected(PeerId from, std::uint32_t frame) const;
    // A guest's: a Start with seats for exactly the players this machine brought and at
    // least two different seats at the sides.
    bool Playable(const Message& start) const;
    bool Playable(const Sides& sides) const;
    // A Pong answers a Ping this machine sent and has not yet given up on.
    bool Answers(const Message& pong) const;

    // A machine has said Hello (the host, to a guest, needs none).
    bool Greeted(const Machine& machine) const { return !host || !machine.names.empty(); }
    // The seat's input is missing for `frame`, and the frame waits for it.
    bool Awaits(unsigned int seat, std::uint32_t frame) const;
    // The host's: `frame` is further ahead of a machine in the match than that machine
    // takes inputs for. A machine whose players are all out holds up no frame by its
    // inputs, but the host still waits for it here, or it could never catch up.
    bool OutrunsAMachine(std::uint32_t frame) const;
    // The machine plays this match and has said which frame it runs next.
    bool Paced(const Machine& machine) const
    {
        return !machine.gone && machine.paced && !machine.behind && !(host && machine.seats.empty());
    }
    // The next frame cannot run until more inputs come.
    bool Held() const { return predicting ? !MayRun(due) : !Ready(due); }
    void WatchMachines();
    void WatchInputs();
    void HearPace(Machine& machine, std::uint32_t theirNext);
    // How far this machine runs ahead of the machine now, from what its pings said.
    double LeadOver(const Machine& machine) const;
    // The machine sends this machine the seat's inputs (it plays the seat, or it is the host
    // and the seat is not this machine's).
    bool Feeds(const Machine& machine, unsigned int seat) const;
    // This machine sends the machine the seat's inputs.
    bool Needs(const Machine& machine, unsigned int seat) const;
    // How long the machine may leave inputs unacknowledged before they go again.
    std::uint64_t ResendMs(const Machine& machine) const;

    void OnEvent(const Event& event);
    void OnConnected(PeerId peer);
    void OnMessage(Machine& machine, const Message& m);
    void OnHostMessage(Machine& machine, const Message& m);
    void OnHostChecksum(Machine& machine, const Message& m);
    void OnClientMessage(Machine& hostMachine, const Message& m);
    void OnStart(const Message& start);
    void OnAgain();
    void BackToLobby();
    void Admit(PeerId peer, const Message& hello);
    void SeatMachines();
    bool Fits(const std::vector<std::string>& names) const;
    std::vector<unsigned int> OpenSeats() const;
    void TakePlayingSeats();
    void ForgetMatch();
    void Turn(PeerId peer, Refusal reason);
    void Remove(PeerId peer);
    const char* HostGone() const;
    void DropMachine(Machine& machine);
    bool TakeInput(unsigned int seat, std::uint32_t frame, SeatInput input);
    void OnInputs(Machine& machine, const Message& m);
    void TakeRun(const InputRun& run);
    void TakeAck(Machine& machine, const InputAck& ack);
    void StartStreams();
    void SendInputs();
    std::optional<InputRun> RunFor(Machine& machine, unsigned int seat);
    std::optional<InputRun> Run(unsigned int seat, std::uint32_t from, std::uint32_t to) const;
    // This match's number as its Inputs carry it, and an Inputs message marked with it.
    std::uint8_t MatchTag() const { return static_cast<std::uint8_t>(matches); }
    Message InputsOfThisMatch() const;
    void SendTails();
    void SendTail(Machine& machine);
    void CompareChecksum(std::uint32_t frame, std::uint32_t value);
    void EndWith(const std::string& why);
    void OutOfStep(std::uint32_t frame);
    void SendTo(PeerId peer, const Message& m);
    void SendUnreliably(PeerId peer, const Message& m);
    void SendAll(const Message& m, PeerId except = 0);
    void Beat();
    Machine* Find(PeerId peer);
    bool Flooding(Machine& machine);
    void ForgetBefore(std::uint32_t frame);
    void Changed(std::uint32_t frame);

    Transport* transport;
    bool host;
    State state;
    std::vector<std::string> localNames;
    std::vector<bool> open;  // the host's: which of its own seats a joining player may take
    Setup setup;
    unsigned int lobbyVersion = 0;
    unsigned int matches = 0;
    std::array<bool, kMaxSeats> playing{};  // the seat plays at a side
    std::array<std::uint32_t, kMaxSeats> retiredFrom{};  // playing seats: when the player went out
    std::vector<Seat> seats;
    std::vector<Machine> machines;  // the host's view of the others; a joiner's holds the host
    std::uint32_t seed = 0;
    std::uint8_t delay = kMinDelay;
    std::uint64_t now = 0;
    std::uint64_t started = 0;
    bool clockSet = false;
    std::uint32_t due = 0;  // the next frame this machine runs
    bool over = false;      // the match has ended on this machine
    // A guest's: the host has opened the lobby again (and maybe started the next match)
    // while this machine still plays the last frames of the match.
    bool againPending = false;
    std::optional<Message> startPending;
    std::array<std::uint64_t, kMaxSeats> fedAt{};  // when the match last waited for no input of the seat
    std::uint64_t lastPing = 0;
    std::uint64_t inputsDueAt = 0;  // when the inputs stream sends next
    std::array<std::uint32_t, kMaxSeats> next{};  // the first frame without a known input, per seat
    std::array<SeatInput, kMaxSeats> last{};  // the input of frame next - 1, per seat
    mutable std::uint32_t confirmed = 0;  // no frame before it waits for an input
    std::uint32_t changed = kNoFrame;
    std::array<std::uint32_t, kMaxSeats> computerFrom{};
    std::array<bool, kMaxSeats> computer{};
    std::map<std::uint32_t, Row> rows;
    std::map<std::uint32_t, std::uint32_t> ownChecksums;
    std::map<std::uint32_t, std::uint32_t> hostChecksums;  // a joiner's: the host's values
    struct Theirs {
        PeerId peer;
        std::uint32_t frame, value;
    };
    std::vector<Theirs> pendingChecksums;  // the host's: others' values it cannot check yet
    std::string failure;
    unsigned int refused = 0;
};

}  // namespace net
