#pragma once
// Machines that play a small stand-in match in lockstep: its state is a hash of every
// seat's input on every frame, and each local player's next move depends on that state,
// as a real player's does. Two machines that agree on every input agree on every state.

#include "net/lockstep.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nettest {

inline std::uint32_t Mix(std::uint32_t h, std::uint32_t v) { return (h ^ v) * 16777619u; }

// What a player (or, with another `who`, the computer) does in this state.
inline net::SeatInput Play(std::uint32_t state, unsigned int who, std::uint32_t frame)
{
    const std::uint32_t r = Mix(Mix(state, who), frame);
    return net::SeatInput{static_cast<std::uint16_t>(r % (net::kMaxPosition + 1)),
                          static_cast<std::uint8_t>(r >> 16 & net::kButtonBits)};
}

struct Machine {
    std::unique_ptr<net::Transport> link;
    std::optional<net::Lockstep> session;
    std::uint32_t frame = 0;
    std::uint32_t state = 2166136261u;
    std::vector<std::uint32_t> states;  // after each frame
    bool off = false;                   // switched off: no longer updated
    std::uint32_t last = ~0u;           // no frame after this one runs
    std::vector<std::uint32_t> outFrom = std::vector<std::uint32_t>(net::kMaxSeats, ~0u);

    net::Lockstep& Session() { return *session; }

    // The seat's player is out from `frame` on: the match no longer reads its input.
    void Retire(unsigned int seat, std::uint32_t at)
    {
        outFrom[seat] = at;
        Session().Retire(seat, at);
    }

    // The stand-in match starts again from its first frame.
    void NextMatch()
    {
        frame = 0;
        state = 2166136261u;
        states.clear();
        last = ~0u;
    }

    // Runs the next frame if every input for it is known.
    bool Step()
    {
        net::Lockstep& s = Session();
        if (frame > last || !s.Ready(frame)) return false;
        const unsigned int seats = static_cast<unsigned int>(s.Seats().size());
        for (unsigned int seat = 0; seat < seats; ++seat) {
            if (frame >= outFrom[seat]) continue;
            const net::SeatInput in = s.Computer(seat, frame) ? Play(state, seat + 100, frame) : s.Input(frame, seat);
            state = Mix(Mix(state, in.pos), in.buttons);
        }
        for (unsigned int seat = 0; seat < seats; ++seat)
            if (s.Seats()[seat].local) s.SetLocal(frame, seat, Play(state, seat, frame));
        states.push_back(state);
        s.Checksum(frame, state);
        s.Ran(frame);
        s.SendNow();
        ++frame;
        return true;
    }
};

// A message of `kind` with the fields the tests set, as a hostile machine crafts it.
inline net::Message Crafted(net::Kind kind, std::uint32_t frame = 0, std::uint32_t value = 0)
{
    net::Message m;
    m.kind = kind;
    m.frame = frame;
    m.value = value;
    return m;
}

// Every machine that is on has run `frames` frames (or the match has ended on one).
inline bool AllAt(std::vector<Machine>& machines, std::uint32_t frames)
{
    for (Machine& m : machines)
        if (!m.off && m.frame < frames && m.Session().GetState() == net::Lockstep::State::Playing) return false;
    return true;
}

// Names "P<machine>.<n>" for `count` players.
inline std::vector<std::string> Names(unsigned int machine, unsigned int count)
{
    std::vector<std::string> names;
    for (unsigned int i = 1; i <= count; ++i) {
        std::string name = "P";  // appended piece by piece: GCC 12 warns wrongly on "P" + ...
        name += std::to_string(machine);
        name += '.';
        name += std::to_string(i);
        names.push_back(name);
    }
    return names;
}

}  // namespace nettest
