#pragma once
// A match played with other machines. The engine asks it before every frame whether
// the frame may run (every seat's input for it has arrived) and tells it when a frame
// has run, so that the match state's checksum goes out; the network seats' inputs read
// the agreed input of the frame that runs. It lives beside the settings, as a child of
// the engine, for as long as the machine stays connected.

#include "model/data.h"
#include "net/lockstep.h"
#include "play/match_seats.h"

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
    bool HasType(str t) const override;

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
    // an exception.
    void Pump(std::uint32_t tickMs);
    // Whether the next frame of `game` may run: always, unless it is the online match
    // and an input for the frame is still missing or the match has stopped.
    bool FrameDue(CGame* game) const;
    // `game` has run a frame.
    void FrameDone(CGame* game);
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
    void RetireLeavers(CMainGame& match);
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
