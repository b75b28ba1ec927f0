// Real matches between two machines: this test process hosts on the real engine and
// window system, a child process (with its own engine) joins over ENet on loopback,
// losing 5 % of the datagrams both ways. Both play by the frame clock as the window
// procedure does, steering their own paddle with the mouse, and report the match state
// after every frame they confirm.

#include "play/computer_input.h"
#include "online/net_input.h"
#include "net/enet_link.h"
#include "online/online.h"
#include "support/field.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// What one machine saw of the match.
struct Seen {
    std::vector<std::uint32_t> states;  // after every confirmed frame
    std::string screen;                  // the screen it ended on
    std::string failure;
    bool computerTookOver = false;
    std::uint32_t takeover = ~0u;  // the first frame a computer played a seat of another machine
};

// Real time on a shared machine: a process may starve for seconds. The leaver here
// closes its link, which ENet reports; silence is tried on the virtual clock in tests/net.
void Patient(net::Lockstep& session)
{
    session.silenceMs = 20000;
    session.joinWaitMs = 20000;
}

class Machine {
public:
    Machine(std::unique_ptr<net::EnetLink> link, bool host, const char* name)
    {
        net::Lockstep session = host ? net::Lockstep::Host(*link, {name}) : net::Lockstep::Join(*link, {name});
        Patient(session);
        link->SimulateLoss(5, host ? 11 : 12);
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

    // The headless clock follows real time, which the network runs on.
    void Sync()
    {
        const auto now = Clock::now();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count();
        if (ms <= 0) return;
        field.session.Advance(static_cast<DWORD>(ms));
        last += std::chrono::milliseconds(ms);
    }

    template <class Done>
    bool PumpUntil(Done done)
    {
        const auto giveUp = Clock::now() + std::chrono::seconds(60);
        while (!done()) {
            if (Clock::now() > giveUp) return false;
            online->Pump(GetTickCount());
            Wait();
        }
        return true;
    }

    // Plays until the match screen is gone, or `leaveAt` frames; our paddle follows the
    // ball until `wanderAt` frames and then wanders off to lose.
    Seen Play(std::uint32_t leaveAt, std::uint32_t wanderAt)
    {
        Seen seen;
        online->Seat(*field.data);
        field.Match(true);
        const auto giveUp = Clock::now() + std::chrono::seconds(240);
        while (dynamic_cast<CMainGame*>(field.Screen()) && online->frame < leaveAt && Clock::now() < giveUp) {
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
            field.engine->Paint();
            auto* game = dynamic_cast<CMainGame*>(field.Screen());
            if (game && game->FindChild(str("CComputerInput"), false, 1) && !seen.computerTookOver) {
                seen.computerTookOver = true;
                seen.takeover = before;
            }
        }
        seen.screen = static_cast<const char*>(field.Screen()->type);
        return seen;
    }

    Field field;
    COnline* online;
    Clock::time_point last;
};

std::uint16_t FreePort()
{
    for (unsigned int attempt = 0;; ++attempt) {
        const auto port = static_cast<std::uint16_t>(20000 + (static_cast<unsigned int>(getpid()) * 13 + attempt * 197) % 30000);
        if (net::EnetLink::Host(port, 1)) return port;
    }
}

// The joining machine, in a child process: its states go down the pipe.
[[noreturn]] void Join(std::uint16_t port, int pipeOut, std::uint32_t leaveAt, std::uint32_t wanderAt)
{
    Seen seen;
    {
        Machine guest(net::EnetLink::Join("127.0.0.1", port), false, "Guest");
        if (guest.PumpUntil([&] { return guest.online->Session().GetState() == net::Lockstep::State::Playing; }))
            seen = guest.Play(leaveAt, wanderAt);
        // A machine that saw the match to its end stays a moment, as a player reads the
        // result; one that leaves in the middle goes at once.
        const auto until = Clock::now() + std::chrono::milliseconds(seen.states.size() < leaveAt ? 1000 : 0);
        guest.PumpUntil([&] { return Clock::now() >= until; });
    }
    const auto count = static_cast<std::uint32_t>(seen.states.size());
    bool ok = write(pipeOut, &count, sizeof count) == sizeof count;
    ok = ok && write(pipeOut, seen.states.data(), count * sizeof(std::uint32_t)) ==
                   static_cast<ssize_t>(count * sizeof(std::uint32_t));
    const auto length = static_cast<std::uint32_t>(seen.failure.size());
    ok = ok && write(pipeOut, &length, sizeof length) == sizeof length;
    ok = ok && write(pipeOut, seen.failure.data(), length) == static_cast<ssize_t>(length);
    close(pipeOut);
    _exit(ok ? 0 : 1);
}

// Reads exactly `size` bytes; false when the pipe ends first.
bool ReadAll(int pipeIn, void* into, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = read(pipeIn, static_cast<char*>(into) + got, size - got);
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// The guest's states and failure, as Join wrote them.
Seen ReadSeen(int pipeIn)
{
    Seen seen;
    std::uint32_t count = 0;
    if (!ReadAll(pipeIn, &count, sizeof count)) return seen;
    seen.states.resize(count);
    if (!ReadAll(pipeIn, seen.states.data(), count * sizeof(std::uint32_t))) return seen;
    std::uint32_t length = 0;
    if (!ReadAll(pipeIn, &length, sizeof length) || length > 200) return seen;
    seen.failure.resize(length);
    ReadAll(pipeIn, seen.failure.data(), length);
    return seen;
}

// Hosts a match against a child process that joins; returns what each side saw.
std::pair<Seen, Seen> HostAgainstChild(std::uint32_t guestLeavesAt, std::uint32_t guestWandersAt)
{
    const std::uint16_t port = FreePort();
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        Join(port, fds[1], guestLeavesAt, guestWandersAt);
    }
    close(fds[1]);
    Seen seen;
    {
        Machine host(net::EnetLink::Host(port, 4), true, "Host");
        EXPECT_TRUE(host.PumpUntil([&] { return host.online->Session().Seats().size() == 2; }));
        EXPECT_TRUE(host.online->Session().Start(20261207));
        seen = host.Play(~0u, ~0u);
        const auto until = Clock::now() + std::chrono::milliseconds(1000);
        host.PumpUntil([&] { return Clock::now() >= until; });
    }
    Seen theirs = ReadSeen(fds[0]);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return {seen, theirs};
}

}  // namespace

TEST(OnlineMatch, TwoMachinesPlayTheSameMatchFrameForFrameToItsEnd)
{
    auto [host, guestSeen] = HostAgainstChild(~0u, 600);
    const std::vector<std::uint32_t>& guest = guestSeen.states;
    EXPECT_EQ(host.failure, "");
    EXPECT_EQ(guestSeen.failure, "");
    EXPECT_EQ(host.screen, "CGameOver");
    ASSERT_GT(host.states.size(), 600u);
    ASSERT_EQ(guest.size(), host.states.size());
    for (std::size_t f = 0; f < guest.size(); ++f) ASSERT_EQ(guest[f], host.states[f]) << "frame " << f;
    EXPECT_FALSE(host.computerTookOver);
}

TEST(OnlineMatch, AMachineThatLeavesIsReplacedByTheComputerAndTheMatchGoesOn)
{
    auto [host, guestSeen] = HostAgainstChild(300, ~0u);
    const std::vector<std::uint32_t>& guest = guestSeen.states;
    EXPECT_EQ(host.failure, "");
    EXPECT_EQ(guestSeen.failure, "");
    EXPECT_EQ(host.screen, "CGameOver");
    // It left at frame 300, with the frames it had the host's inputs for confirmed.
    ASSERT_LE(guest.size(), 300u);
    ASSERT_GT(guest.size(), 300u - net::kWindow);
    ASSERT_GT(host.states.size(), 300u);
    EXPECT_TRUE(host.computerTookOver);
    // A machine that goes lets its last inputs arrive for a moment; one still lost then
    // (it gives up after a quarter of a second) is played by the computer on the host
    // from that frame on, and the guest's later frames are its own.
    EXPECT_GE(host.takeover, 300u - 50);
    for (std::size_t f = 0; f < guest.size() && f < host.takeover; ++f)
        ASSERT_EQ(guest[f], host.states[f]) << "frame " << f;
}
