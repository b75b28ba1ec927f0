#pragma once
// A match played with other machines. The engine asks it before every frame whether
// the frame may run (every seat's input for it has arrived) and tells it when a frame
// has run, so that the match state's checksum goes out; the network seats' inputs read
// the agreed input of the frame that runs. It lives beside the settings, as a child of
// the engine, for as long as the machine stays connected.

#include "core/global.h"
#include "net/lockstep.h"

#include <memory>
#include <optional>

class CData;
class CGame;
class CMainGame;

class COnline : public CGlobal {
public:
    COnline(std::unique_ptr<net::Transport> link, net::Lockstep session, const LList<CObject>& parents);
    bool HasType(str t) const override;

    // Takes in what arrived; `tickMs` is the tick count. While a match runs, a match
    // that has ended on the network (out of step, the host gone) is reported once, as
    // an exception.
    void Pump(std::uint32_t tickMs);
    // Whether the next frame of `game` may run: always, unless it is the online match
    // and an input for the frame is still missing or the match has stopped.
    bool FrameDue(CGame* game) const;
    // `game` has run a frame.
    void FrameDone(CGame* game);
    // Seats the session's players in the settings: seat n is player n + 1 on side n;
    // the other machines' players play through the network. Seeds the random numbers.
    void Seat(CData& data);
    // The match of this session is being played.
    bool InMatch() const { return matchRunning; }

    net::Lockstep& Session() { return session; }
    // The frame the match is at (the one running, or the next to run).
    std::uint32_t frame = 0;

private:
    std::unique_ptr<net::Transport> link;
    net::Lockstep session;
    bool matchRunning = false;
    bool reported = false;
    std::uint64_t clock = 1;
    std::uint32_t lastTick = 0;
};

// The tree's online session, or null.
COnline* FindOnline(CObject* from);

// A checksum of what a match is: the ball, the paddles, the bricks, the scores.
std::uint32_t MatchChecksum(CMainGame& game);
