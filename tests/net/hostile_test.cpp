// Hostile machines over real ENet on loopback, in real time, while honest ones play:
// machines that connect and never say Hello, forged handshakes, a joined guest that
// never sends an input, one that claims the match went out of step on a frame nobody
// ran, machines that come to a full or started game, and hosts that start a match
// nobody can play or open their lobby in the middle of one.

#include "net/enet_link.h"
#include "support/loopback.h"
#include "support/match_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <stdexcept>
#include <thread>

using namespace net;
using namespace nettest;

namespace {

constexpr std::uint64_t kPatienceMs = 20000;  // a joiner waits out the attacks

// Honest machines (sessions over ENet) and hostile ones (bare peers), run together: the
// guests first and the host last, every link flushed at once, so that a moment in which
// this busy machine does not run the test is not taken for anybody's silence.
class Arena {
public:
    // Honest machines: the first is the host (when there is one).
    Machine& Host(std::vector<std::string> names)
    {
        auto link = HostSomewhere(port, kHostLinks);
        if (!link) throw std::runtime_error("no port to host on");
        Machine m;
        m.session = Lockstep::Host(*link, std::move(names));
        m.link = std::move(link);
        honest.push_front(std::move(m));
        hosting = true;
        return honest.front();
    }
    Machine& Join(std::uint16_t to, std::vector<std::string> names)
    {
        auto link = EnetLink::Join("127.0.0.1", to);
        if (!link) throw std::runtime_error("no link");
        Machine m;
        m.session = Lockstep::Join(*link, std::move(names));
        m.Session().joinWaitMs = kPatienceMs;
        m.link = std::move(link);
        honest.push_back(std::move(m));
        return honest.back();
    }
    // A hostile machine that joins `to` (a hostile host when `to` is 0) and pings every
    // heartbeat, as a live machine does.
    HostilePeer& Hostile(std::uint16_t to = 0)
    {
        hostile.push_back(to ? HostilePeer::Connect(to) : OpenSomewhere(hostPort, HostilePeer::Listen));
        if (!hostile.back()) throw std::runtime_error("no hostile peer");
        return *hostile.back();
    }

    // Runs every machine until `done` or `limitMs`; with `play` the honest ones run frames.
    template <class Done>
    bool Until(Done done, std::uint64_t limitMs, bool play = false)
    {
        const std::uint64_t giveUp = NowMs() + limitMs;
        while (!done()) {
            if (NowMs() > giveUp) return false;
            const bool beat = NowMs() - lastBeat >= kHeartbeatMs;
            if (beat) lastBeat = NowMs();
            for (auto& peer : hostile) {
                peer->Service();
                if (beat) peer->Send(Crafted(Kind::Ping, 0, 1));
            }
            for (std::size_t i = hosting ? 1 : 0; i < honest.size(); ++i) Tick(honest[i], play);
            if (hosting) Tick(honest.front(), play);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    // The machine connects, says Hello with `name`, and is taken in or turned away.
    void SayHello(HostilePeer& peer, const char* name)
    {
        Until([&] { return peer.connected; }, kPatienceMs);
        Message hello = Crafted(Kind::Hello);
        hello.names = {name};
        peer.Send(hello);
    }

    std::uint16_t port = 0;      // the honest host's
    std::uint16_t hostPort = 0;  // the last hostile host's
    std::deque<Machine> honest;  // stays where it is as machines come
    std::vector<std::unique_ptr<HostilePeer>> hostile;

private:
    static void Tick(Machine& m, bool play)
    {
        m.Session().Update(NowMs());
        if (play) m.Step();
        static_cast<EnetLink&>(*m.link).Flush();
    }

    bool hosting = false;
    std::uint64_t lastBeat = 0;
};

unsigned int SeatOf(Lockstep& session, const std::string& name)
{
    const auto& seats = session.Seats();
    for (unsigned int seat = 0; seat < seats.size(); ++seat)
        if (seats[seat].name == name) return seat;
    return kMaxSeats;
}

}  // namespace

TEST(HostileMachines, AnHonestGuestJoinsAndFinishesAMatchThroughEveryAttackOnTheHost)
{
    Arena arena;
    Lockstep& host = arena.Host({"Host"}).Session();

    // Three machines that connect and only ping, and ten forged handshakes, take every
    // link the host has; the honest guest still gets in.
    std::vector<HostilePeer*> pingers;
    for (int i = 0; i < 3; ++i) pingers.push_back(&arena.Hostile(arena.port));
    SpoofConnects(arena.port, 10);
    Machine& guest = arena.Join(arena.port, {"Honest"});
    ASSERT_TRUE(arena.Until([&] { return guest.Session().GetState() != Lockstep::State::Joining; }, kPatienceMs));
    ASSERT_EQ(guest.Session().GetState(), Lockstep::State::Lobby) << guest.Session().Failure();
    EXPECT_TRUE(arena.Until([&] {
        return std::all_of(pingers.begin(), pingers.end(), [](HostilePeer* p) { return p->ended; });
    }, kPatienceMs)) << "machines that never said Hello are turned away";
    for (HostilePeer* pinger : pingers) {
        EXPECT_FALSE(pinger->Got(Kind::Pong)) << "nobody answers them";
        EXPECT_TRUE(pinger->Got(Kind::Refuse)) << "they hear why";
    }

    // Two machines that say Hello properly and will misbehave take the last seats; a
    // fourth machine hears that the game is full.
    HostilePeer& silent = arena.Hostile(arena.port);
    HostilePeer& cheat = arena.Hostile(arena.port);
    arena.SayHello(silent, "Silent");
    arena.SayHello(cheat, "Cheat");
    ASSERT_TRUE(arena.Until([&] { return host.Joined() == 3; }, kPatienceMs));
    Lockstep& fourth = arena.Join(arena.port, {"Fourth"}).Session();
    ASSERT_TRUE(arena.Until([&] { return fourth.GetState() == Lockstep::State::Ended; }, kPatienceMs));
    EXPECT_EQ(fourth.Failure(), "The game is full");

    // The match starts; a machine that comes now hears that it has.
    ASSERT_TRUE(host.Start(77));
    ASSERT_TRUE(arena.Until([&] { return guest.Session().GetState() == Lockstep::State::Playing; }, kPatienceMs));
    Lockstep& late = arena.Join(arena.port, {"Late"}).Session();
    ASSERT_TRUE(arena.Until([&] { return late.GetState() == Lockstep::State::Ended; }, kPatienceMs));
    EXPECT_EQ(late.Failure(), "The game has already started");

    // The silent guest pings and never sends an input; the cheat claims the match went out
    // of step on frames nobody compared. The match waits for the silent seat as long as
    // for a silent machine, then a computer plays both seats and the match goes on.
    ASSERT_TRUE(arena.Until([&] { return cheat.Got(Kind::Start).has_value(); }, kPatienceMs));
    const unsigned int refused = host.Refused();
    cheat.Send(Crafted(Kind::OutOfStep, 4294967295u));
    cheat.Send(Crafted(Kind::OutOfStep, 3));
    cheat.Send(Crafted(Kind::OutOfStep, 800));
    Machine& hostMachine = arena.honest.front();
    const std::uint32_t end = 400;
    hostMachine.last = guest.last = end;
    const std::uint64_t started = NowMs();
    ASSERT_TRUE(arena.Until([&] { return hostMachine.frame > end && guest.frame > end; }, 60000, true))
        << host.Failure() << " / " << guest.Session().Failure() << " at " << hostMachine.frame;
    EXPECT_GE(NowMs() - started, kSilenceMs) << "the silent seat is waited for as long as a silent machine";
    EXPECT_EQ(host.Refused(), refused + 3);
    for (const char* name : {"Silent", "Cheat"}) {
        const unsigned int seat = SeatOf(host, name);
        EXPECT_TRUE(host.Computer(seat, end)) << name;
        EXPECT_TRUE(guest.Session().Computer(seat, end)) << name;
    }
    EXPECT_TRUE(silent.ended && cheat.ended) << "their machines are dropped";
    EXPECT_EQ(hostMachine.states, guest.states);

    // The match is over on both; the host opens its lobby, and the guest is back in it.
    host.MatchOver();
    guest.Session().MatchOver();
    ASSERT_TRUE(host.Reopen());
    ASSERT_TRUE(arena.Until([&] { return guest.Session().GetState() == Lockstep::State::Lobby; }, kPatienceMs));
    EXPECT_EQ(host.Joined(), 1u);
    EXPECT_EQ(guest.Session().Failure(), "");
}

TEST(HostileMachines, AGuestLeavesAHostileHostsMatchWithAMessageInsteadOfFreezing)
{
    Arena arena;
    // The hostile host lets the guest in and starts a match as `start` says, then does
    // `after`; it pings all the while.
    auto play = [&](Message start, auto after) {
        HostilePeer& host = arena.Hostile();
        Machine& guest = arena.Join(arena.hostPort, {"Guest"});
        EXPECT_TRUE(arena.Until([&] { return host.Got(Kind::Hello).has_value(); }, kPatienceMs));
        host.Send(Crafted(Kind::Welcome));
        EXPECT_TRUE(arena.Until([&] { return guest.Session().GetState() == Lockstep::State::Lobby; }, kPatienceMs));
        start.kind = Kind::Start;
        start.names = {"Hostile", "Guest"};
        start.seats = {1};
        host.Send(start);
        after(host);
        EXPECT_TRUE(arena.Until([&] { return guest.Session().GetState() == Lockstep::State::Ended; }, kPatienceMs, true));
        return std::make_pair(guest.Session().Failure(), guest.frame);
    };

    Message nobody;  // at no side
    EXPECT_EQ(play(nobody, [](HostilePeer&) {}).first, "The host started a match this machine cannot play");

    Message twoSides;
    twoSides.sides = {1, 2, 0, 0};
    const auto [why, frames] = play(twoSides, [](HostilePeer& host) {
        for (std::uint32_t frame = kMinDelay; frame < 40; frame += kMaxRun) {
            Message inputs = Crafted(Kind::Inputs);
            inputs.match = 1;
            inputs.runs = {InputRun{0, frame, std::vector<SeatInput>(std::min<std::uint32_t>(kMaxRun, 40 - frame))}};
            host.Send(inputs);
        }
        host.Send(Crafted(Kind::Again));  // in the middle of the match
    });
    EXPECT_EQ(why, "The host ended the match");
    EXPECT_EQ(frames, 40u) << "the frames whose inputs came have run";
}
