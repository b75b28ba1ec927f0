// Real matches between two machines: this test process hosts on the real engine and
// window system, a child process (with its own engine) joins over ENet on loopback,
// losing 5 % of the datagrams both ways. Both play by the frame clock as the window
// procedure does, steering their own paddle with the mouse, and report the match state
// after every frame they confirm.

#include "support/online_machine.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace nettest;

// Every datagram has a 5 % chance of being lost, each way.
std::unique_ptr<net::EnetLink> Lossy(std::unique_ptr<net::EnetLink> link, unsigned int seed)
{
    link->SimulateLoss(5, seed);
    return link;
}

// The joining machine, in a child process: its states go down the pipe.
[[noreturn]] void Join(std::uint16_t port, int pipeOut, std::uint32_t leaveAt, std::uint32_t wanderAt)
{
    Seen seen;
    // Whatever happens, the child ends here and never goes back to the tests.
    try {
        OnlineMachine guest(Lossy(net::EnetLink::Join("127.0.0.1", port), 12), false, "Guest");
        if (guest.PumpUntil([&] { return guest.online->Session().GetState() == net::Lockstep::State::Playing; }))
            seen = guest.Play(leaveAt, wanderAt);
        // A machine that saw the match to its end stays a moment, as a player reads the
        // result; one that leaves in the middle goes at once.
        const auto until = Clock::now() + std::chrono::milliseconds(seen.states.size() < leaveAt ? 1000 : 0);
        guest.PumpUntil([&] { return Clock::now() >= until; });
    } catch (...) {
        seen.failure = "an exception";
    }
    const bool ok = WriteSeen(pipeOut, seen);
    close(pipeOut);
    _exit(ok ? 0 : 1);
}

// Hosts a match against a child process that joins; returns what each side saw.
std::pair<Seen, Seen> HostAgainstChild(std::uint32_t guestLeavesAt, std::uint32_t guestWandersAt,
                                       std::uint32_t hostWandersAt = ~0u)
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
        OnlineMachine host(Lossy(net::EnetLink::Host(port, 4), 11), true, "Host");
        EXPECT_TRUE(host.PumpUntil([&] { return host.online->Session().Seats().size() == 2; }));
        EXPECT_TRUE(host.online->Session().Start(20261207));
        seen = host.Play(~0u, hostWandersAt);
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
    // The host's paddle follows the ball until frame 1500, and then stops, so that the
    // computer player wins: one that meets every ball in the middle of its paddle can
    // return it along the same path for ever.
    auto [host, guestSeen] = HostAgainstChild(300, ~0u, 1500);
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
