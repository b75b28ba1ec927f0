#pragma once
// A match played with other machines. The engine asks it before every frame whether
// the frame may run (every seat's input for it has arrived) and tells it when a frame
// has run, so that the match state's checksum goes out; the network seats' inputs read
// the agreed input of the frame that runs. It lives beside the settings, as a child of
// the engine, for as long as the machine stays connected.

#include "model/data.h"
#include "net/lockstep.h"
#include "play/match_seats.h"
#include "model/sounds.h"
#include "play/match_state.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CGame;
class CMainGame;

class COnline : public CMatchSeats {
public:
    static constexpr const char* kType = "COnline";
    COnline(std::unique_ptr<net::Transport> link, net::Lockstep session, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    // The seated match's players: the seats the host gave, with their names and looks.
    const SLineup* Lineup() const override { return seated ? &*seated : nullptr; }
    // While the match runs, every seat's paddle is steered by what the session agreed;
    // this machine's own players' devices come after it, to be read by it.
    CInput* MakeSeatInput(const CControls& controls, EAxis axis, const LList<CObject>& parents) override;
    std::uint32_t MatchSeed() const override { return session.Seed(); }

    // Hosting: this machine's four players, of whom the computer players make room for
    // joining machines' players. The options screen offers them again whenever it is built.
    void Offer(const CData& data);
    // Starts the match of the lobby with the settings' looks and sides, and seats it.
    bool StartMatch(CData& data, std::uint32_t seed);

    // Takes in what arrived; `tickMs` is the tick count. While a match runs, a match
    // that has ended on the network (out of step, the host gone) is reported once, as
    // an exception. When an input has arrived for a frame that `game` has run with
    // another one predicted, the match goes back to that frame and runs the frames since
    // again, without sound, so that the next paint shows the corrected present.
    void Pump(std::uint32_t tickMs, CGame* game = nullptr);
    // Whether the next frame of `game` may run: always, unless it is the online match
    // and its frame is not due yet on the match's clock, or it has run as far past the
    // last confirmed frame as it may, or the match is over on a frame not yet confirmed,
    // or the match has stopped.
    bool FrameDue(CGame* game) const;
    // The frames the match should have run by now: 50 a second from its start, a little
    // fewer while this machine runs ahead of the others, more while it is behind them
    // (or has missed ticks), so that it catches up.
    std::uint32_t Scheduled() const;
    // `game` is about to run a frame: the match is saved as it is, with the inputs it is
    // given, so that the frame can be run again.
    void FrameStarts(CGame* game);
    // `game` has run a frame.
    void FrameDone(CGame* game);
    // The tick's frames have run: what the others lack of them leaves now.
    void TickDone() { session.SendNow(); }
    // The match `game` is over and may be finished: the frame it ended on is confirmed
    // and checked (or the match has stopped on the network). The match holds its last
    // picture until then.
    bool FinishDue(CGame* game) const;
    // Frames run again since the match started, the times it went back, and the most
    // frames one going back ran again.
    unsigned int rerunFrames = 0, rollbacks = 0, longestRollback = 0;
    // Frames taken back and held because a player dropped out or the match ended on a
    // guess; corrections that brought back a player, or bricks, that had been shown gone.
    unsigned int holds = 0, dropOutsTakenBack = 0, bricksTakenBack = 0;
    // A frame is being run again: devices are not read, nothing is sent.
    bool Rerunning() const { return rerunning; }
    // The frames confirmed on this machine: the state after each of them is the same on
    // every machine.
    std::uint32_t ConfirmedFrames() const { return confirmedDone; }
    // The match as it was after confirmed frame `f`, while it is kept.
    const SMatchState* ConfirmedState(std::uint32_t f) const;
    // The match `game` goes back to the confirmed frame `f` and runs it again, without
    // sound, so that the next paint shows frame f as every machine has it; the match goes
    // on from there. False when f is not confirmed or its state no longer kept.
    bool ShowConfirmed(CGame* game, std::uint32_t f);
    // Seats the session's players for the match, in a table of the session's own that the
    // match reads: seat n is player n + 1, with the name, looks and side the host gave
    // it; this machine's players bring the controls they have in the settings, the other
    // machines' players play through the network. Seeds the random numbers. The settings
    // are left as they are.
    void Seat(const CData& data);
    void Unseat() { seated.reset(); }
    // The match of this session is being played.
    bool InMatch() const { return seated.has_value(); }
    // The host has started a match that this machine has not seated yet.
    bool StartPending() const;
    // Hosting, after a match: the lobby opens again for the next one.
    void Reopen();
    // The seat of player `index` (0 to 3) is taken by a joined machine's player: its name.
    const std::string* JoinedName(unsigned int index) const;
    // A seed for a computer player at `seat` that every machine agrees on.
    unsigned int ComputerSeed(unsigned int seat) const;

    // The players this machine brings when it joins (indices into the settings' players).
    std::vector<unsigned int> localPlayers;

    net::Lockstep& Session() { return session; }
    // A number no other session of this process has (never 0): whoever must know across a
    // call whether the session it saw is still there holds this, not the object.
    const std::uint64_t serial;
    // The frame the match is at (the one running, or the next to run).
    std::uint32_t frame = 0;

private:
    // A frame run: the match before it, and what every seat's input was taken to be.
    struct Step {
        std::uint32_t frame = 0;
        SMatchState before;
        std::array<net::SeatInput, net::kMaxSeats> used{};
        std::array<bool, net::kMaxSeats> computer{};
    };
    Step* StepOf(std::uint32_t f);
    void TakeInputs(Step& step) const;
    bool Differs(const Step& step) const;
    void RollBack(CMainGame& match, std::uint32_t from);
    void Confirm(CMainGame& match);
    void Pace();
    bool Final(const SMatchState& before, CMainGame& match) const;
    void HoldBefore(CMainGame& match, const Step& step);
    void RetireLeavers(std::uint32_t after, const SMatchState& state);
    // The controls of a seat in the match, the session's own.
    CControls& SeatControls(unsigned int seat);

    std::optional<SLineup> seated;
    CControls* seatControls[kPlayers] = {};
    std::unique_ptr<net::Transport> link;
    net::Lockstep session;
    unsigned int seatedMatch = 0;  // the session's count of matches when this one was seated
    bool reported = false;
    std::uint64_t clock = 1;
    std::uint32_t lastTick = 0;
    std::deque<Step> steps;  // from the last confirmed frame to the newest run
    std::deque<std::pair<std::uint32_t, SMatchState>> confirmedStates;
    std::uint32_t confirmedDone = 0;  // frames before it are confirmed and checked
    bool rerunning = false;
    std::uint32_t running = 0;  // the newest frame run
    std::uint64_t pacedFrom = 0;  // the clock when the match was seated
    double paceShift = 0;         // frames given up (or gained) against the clock
    std::uint32_t heldAt = net::kNoFrame;  // a frame that waits for its inputs before it runs
    std::optional<CSoundHold> hold;        // the sounds of the frame running on a guess
};

// The tree's online session, or null.
COnline* FindOnline(CObject* from);
// The tree's online session when this machine hosts it, or null.
COnline* FindHosting(CObject* from);

// Hosting and joining, as the screens do them: a session under the engine of `from`'s
// tree. When there is none to be had, XException says why, in words for the player.
COnline& HostOnline(CObject* from, CData& data);
COnline& JoinOnline(CObject* from, CData& data, const std::string& address);
// The UDP port this machine hosts games on.
std::uint16_t HostingPort();
// Leaves the tree's session, if any: the other machines are told, the settings get
// their players back, and the session goes.
void EndOnline(CObject* from);
// The players a joining machine brings: those at a side who are not computer players,
// or, when all of them are, the first at a side.
std::vector<unsigned int> JoiningPlayers(const CData& data);
