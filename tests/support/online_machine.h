#pragma once
// A machine of a real online match, for tests that play one between processes over ENet
// on loopback: the real engine on the headless window system, played by the frame clock
// as the window procedure does, the headless clock following real time (which the
// network runs on). Its player steers with the mouse. It reports the match state after
// every frame it confirms, and how the match ran; a child process sends that report
// down a pipe.

#include "online/online.h"
#include "net/enet_link.h"
#include "play/main_game.h"
#include "support/field.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>
#include <unistd.h>

namespace nettest {

using Clock = std::chrono::steady_clock;

// What one machine saw of the match.
struct Seen {
    std::vector<std::uint32_t> states;  // after every confirmed frame
    std::string screen;                  // the screen it ended on
    std::string failure;
    bool computerTookOver = false;
    std::uint32_t takeover = ~0u;  // the first frame a computer played a seat of another machine
    // How it ran: frames a second from frame 100 to frame 350 (0 when it did not get
    // there), times it went back and ran frames again, and the most frames one of them ran.
    struct Pace {
        double framesPerSecond = 0;
        double seconds = 0;  // from its first frame to its last
        std::uint32_t frames = 0, rollbacks = 0, longestRollback = 0;
    } pace;
};

// Real time on a shared machine: a process may starve for seconds. A leaver here closes
// its link, which ENet reports; silence is tried on the virtual clock in tests/net.
inline void Patient(net::Lockstep& session)
{
    session.silenceMs = 20000;
    session.joinWaitMs = 20000;
}

class OnlineMachine {
public:
    OnlineMachine(std::unique_ptr<net::EnetLink> link, bool host, const char* name)
    {
        net::Lockstep session = host ? net::Lockstep::Host(*link, {name}) : net::Lockstep::Join(*link, {name});
        Patient(session);
        online = new COnline(std::move(link), std::move(session), LList<CObject>(false, 1, field.engine));
        field.Mice();
        last = Clock::now();
    }

    // A moment passes.
    void Wait()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        Sync();
    }

    // The headless clock follows real time.
    void Sync()
    {
        const auto now = Clock::now();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count();
        if (ms <= 0) return;
        field.session.Advance(static_cast<DWORD>(ms));
        last += std::chrono::milliseconds(ms);
    }

    template <class Done>
    bool PumpUntil(Done done, int seconds = 60)
    {
        const auto giveUp = Clock::now() + std::chrono::seconds(seconds);
        while (!done()) {
            if (Clock::now() > giveUp) return false;
            try {
                online->Pump(GetTickCount());
            } catch (const XException& e) {
                failure = static_cast<const char*>(e.text);
                return false;
            }
            Wait();
        }
        return true;
    }

    // Plays until the match screen is gone, or `leaveAt` frames have run, or `enough`
    // frames are confirmed; our paddle follows the ball until `wanderAt` frames and then
    // wanders off to lose.
    Seen Play(std::uint32_t leaveAt, std::uint32_t wanderAt, std::uint32_t enough = ~0u)
    {
        Seen seen;
        online->Seat(*field.data);
        field.Match(true);
        const auto began = Clock::now();
        auto at100 = began, at350 = began;
        const auto giveUp = began + std::chrono::seconds(540);
        while (dynamic_cast<CMainGame*>(field.Screen()) && online->frame < leaveAt && online->ConfirmedFrames() < enough &&
               Clock::now() < giveUp) {
            if (online->frame < wanderAt)
                field.Follow();
            else
                field.engine->MouseMove(0, 0);
            const std::uint32_t before = online->frame, confirmedBefore = online->ConfirmedFrames();
            Sync();
            try {
                field.engine->Tick();
            } catch (const XException& e) {
                seen.failure = static_cast<const char*>(e.text);
                break;
            }
            for (std::uint32_t f = confirmedBefore; f < online->ConfirmedFrames(); ++f)
                if (const SMatchState* state = online->ConfirmedState(f)) seen.states.push_back(Checksum(*state));
            if (online->frame == before) {
                Wait();
                continue;
            }
            if (before < 100 && online->frame >= 100) at100 = Clock::now();
            if (before < 350 && online->frame >= 350) at350 = Clock::now();
            field.engine->Paint();
            auto* game = dynamic_cast<CMainGame*>(field.Screen());
            if (game && game->FindChild(str("CComputerInput"), false, 1) && !seen.computerTookOver) {
                seen.computerTookOver = true;
                seen.takeover = before;
            }
        }
        const std::chrono::duration<double> measured = at350 - at100, played = Clock::now() - began;
        if (measured.count() > 0) seen.pace.framesPerSecond = 250 / measured.count();
        seen.pace.seconds = played.count();
        seen.pace.frames = online->frame;
        seen.pace.rollbacks = online->rollbacks;
        seen.pace.longestRollback = online->longestRollback;
        seen.screen = static_cast<const char*>(field.Screen()->type);
        return seen;
    }

    Field field;
    COnline* online;
    Clock::time_point last;
    std::string failure;  // why the session ended while it was pumped, if it did
};

// A port of loopback that nothing takes now.
inline std::uint16_t FreePort()
{
    for (unsigned int attempt = 0;; ++attempt) {
        const auto port = static_cast<std::uint16_t>(20000 + (static_cast<unsigned int>(getpid()) * 13 + attempt * 197) % 30000);
        if (net::EnetLink::Host(port, 1)) return port;
    }
}

// Writes exactly `size` bytes; reads exactly `size` bytes (false when the pipe ends first).
inline bool WriteAll(int pipeOut, const void* from, std::size_t size)
{
    return write(pipeOut, from, size) == static_cast<ssize_t>(size);
}

inline bool ReadAll(int pipeIn, void* into, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = read(pipeIn, static_cast<char*>(into) + got, size - got);
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// A machine's states, failure and pace, down a pipe and back.
inline bool WriteSeen(int pipeOut, const Seen& seen)
{
    const auto count = static_cast<std::uint32_t>(seen.states.size());
    const auto length = static_cast<std::uint32_t>(seen.failure.size());
    return WriteAll(pipeOut, &count, sizeof count) && WriteAll(pipeOut, seen.states.data(), count * sizeof(std::uint32_t)) &&
           WriteAll(pipeOut, &length, sizeof length) && WriteAll(pipeOut, seen.failure.data(), length) &&
           WriteAll(pipeOut, &seen.pace, sizeof seen.pace);
}

inline Seen ReadSeen(int pipeIn)
{
    Seen seen;
    std::uint32_t count = 0;
    if (!ReadAll(pipeIn, &count, sizeof count) || count > 1000000) return seen;
    seen.states.resize(count);
    if (!ReadAll(pipeIn, seen.states.data(), count * sizeof(std::uint32_t))) return seen;
    std::uint32_t length = 0;
    if (!ReadAll(pipeIn, &length, sizeof length) || length > 200) return seen;
    seen.failure.resize(length);
    if (!ReadAll(pipeIn, seen.failure.data(), length)) return seen;
    ReadAll(pipeIn, &seen.pace, sizeof seen.pace);
    return seen;
}

}  // namespace nettest
