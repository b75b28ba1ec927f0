// Four machines play one match over a network that is slow, jittery and loses, reorders
// and repeats datagrams: this test process hosts, three child processes join, each
// through a relay of its own (support/udp_relay.h) that does the same to its datagrams
// both ways. Every machine steers its own paddle with the mouse and plays until it has
// confirmed kEnough frames; every frame that they all confirmed is the same everywhere.
// How the match ran on each machine is printed: the README's table of online play is made
// from it. Nothing here is timed: a loaded machine only makes the match slower.

#include "support/online_machine.h"
#include "support/udp_relay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace nettest;

constexpr unsigned int kGuests = 3;
constexpr std::uint32_t kEnough = 400;
constexpr std::uint32_t kSeed = 20261207;

struct Network {
    const char* name;
    LinkFaults eachWay;
};

// The guests' machines stay a moment after they have seen enough, so that the others
// hear their last inputs.
constexpr auto kLinger = std::chrono::seconds(3);

[[noreturn]] void Guest(unsigned int n, std::uint16_t relayPort, int pipeOut)
{
    Seen seen;
    // Whatever happens, the child ends here and never goes back to the tests.
    try {
        const std::string name = "Guest " + std::to_string(n + 1);
        OnlineMachine guest(net::EnetLink::Join("127.0.0.1", relayPort), false, name.c_str());
        if (guest.PumpUntil([&] { return guest.online->Session().GetState() == net::Lockstep::State::Playing; }, 180))
            seen = guest.Play(~0u, ~0u, kEnough);
        else
            seen.failure = "never started: " + guest.failure;
        // The others may finish first and leave meanwhile: that is no failure.
        const auto until = Clock::now() + kLinger;
        guest.PumpUntil([&] { return Clock::now() >= until; });
    } catch (const XException& e) {
        seen.failure = static_cast<const char*>(e.text);
    } catch (...) {
        seen.failure = "an exception";
    }
    const bool ok = WriteSeen(pipeOut, seen);
    close(pipeOut);
    _exit(ok ? 0 : 1);
}

struct Played {
    Seen host;
    std::vector<Seen> guests;
    // Bytes a second that each guest's seat sent and received, over the whole run.
    std::vector<std::pair<double, double>> bytes;
};

Played PlayOver(const Network& network)
{
    Played played;
    const std::uint16_t hostPort = FreePort();
    // The relays take their ports before the guests are forked, and start after.
    std::vector<std::unique_ptr<UdpRelay>> relays;
    for (unsigned int n = 0; n < kGuests; ++n) {
        relays.push_back(std::make_unique<UdpRelay>(hostPort, network.eachWay, network.eachWay, 100 + n));
        if (relays.back()->Port() == 0) ADD_FAILURE() << "no port for a relay";
    }
    std::vector<pid_t> children;
    std::vector<int> pipes;
    for (unsigned int n = 0; n < kGuests; ++n) {
        int fds[2];
        if (pipe(fds) != 0) return played;
        const pid_t child = fork();
        if (child == 0) {
            close(fds[0]);
            Guest(n, relays[n]->Port(), fds[1]);
        }
        close(fds[1]);
        children.push_back(child);
        pipes.push_back(fds[0]);
    }
    for (auto& relay : relays) relay->Start();
    const auto began = Clock::now();
    {
        OnlineMachine host(net::EnetLink::Host(hostPort, net::kHostLinks), true, "Host");
        EXPECT_TRUE(host.PumpUntil([&] { return host.online->Session().Seats().size() == kGuests + 1; }, 180));
        EXPECT_TRUE(host.online->Session().Start(kSeed));
        played.host = host.Play(~0u, ~0u, kEnough);
        const auto until = Clock::now() + kLinger;
        host.PumpUntil([&] { return Clock::now() >= until; });
    }
    const std::chrono::duration<double> seconds = Clock::now() - began;
    for (unsigned int n = 0; n < kGuests; ++n) {
        played.guests.push_back(ReadSeen(pipes[n]));
        close(pipes[n]);
        int status = 0;
        waitpid(children[n], &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "guest " << n + 1;
        played.bytes.emplace_back(relays[n]->BytesToTarget() / seconds.count(), relays[n]->BytesBack() / seconds.count());
    }
    return played;
}

void Report(const Network& network, const Played& played)
{
    const auto line = [&](const char* who, const Seen& seen) {
        const Seen::Pace& p = seen.pace;
        std::printf("%s, %s: %.1f frames/s (frames 100-350), %u frames in %.1f s, %.1f rollbacks/s, longest %u\n",
                    network.name, who, p.framesPerSecond, p.frames, p.seconds, p.seconds > 0 ? p.rollbacks / p.seconds : 0.0,
                    p.longestRollback);
    };
    line("host", played.host);
    for (std::size_t n = 0; n < played.guests.size(); ++n) {
        line(("guest " + std::to_string(n + 1)).c_str(), played.guests[n]);
        std::printf("%s, guest %zu's seat: %.0f bytes/s sent, %.0f bytes/s received\n", network.name, n + 1,
                    played.bytes[n].first, played.bytes[n].second);
    }
}

void ExpectOneMatch(const Network& network)
{
    const Played played = PlayOver(network);
    Report(network, played);
    EXPECT_EQ(played.host.failure, "");
    ASSERT_GE(played.host.states.size(), kEnough);
    ASSERT_EQ(played.guests.size(), kGuests);
    for (unsigned int n = 0; n < kGuests; ++n) {
        const Seen& guest = played.guests[n];
        SCOPED_TRACE("guest " + std::to_string(n + 1));
        EXPECT_EQ(guest.failure, "");
        ASSERT_GE(guest.states.size(), kEnough);
        for (std::uint32_t f = 0; f < kEnough; ++f) ASSERT_EQ(guest.states[f], played.host.states[f]) << "frame " << f;
    }
}

TEST(FourMachines, OnALanTheyPlayOneMatch) { ExpectOneMatch({"LAN", LinkFaults{}}); }

TEST(FourMachines, At150MsRoundTripsWithJitterAndLossTheyPlayOneMatch)
{
    ExpectOneMatch({"150 ms round trip, 15 ms jitter, 2 % loss", LinkFaults{75, 15, 2, 0, 0}});
}

TEST(FourMachines, At300MsRoundTripsTheyPlayOneMatch)
{
    ExpectOneMatch({"300 ms round trip, 15 ms jitter, 2 % loss", LinkFaults{150, 15, 2, 0, 0}});
}

TEST(FourMachines, WithLostReorderedAndRepeatedDatagramsTheyPlayOneMatch)
{
    ExpectOneMatch({"5 % loss, 2 % reordered, 2 % twice", LinkFaults{15, 5, 5, 2, 2}});
}

}  // namespace
