// Matches over real UDP on this machine's loopback, through ENet, losing 5 % of the
// datagrams that arrive. Time is real here, so the tests wait on progress, not on time.

#include "net/enet_link.h"
#include "support/loopback.h"
#include "support/match_harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <unistd.h>

using namespace net;
using namespace nettest;

namespace {

struct Loopback {
    // A host and one joiner per entry after the first, all on loopback.
    explicit Loopback(unsigned int count, unsigned int lossPercent)
    {
        std::uint16_t port = 0;
        for (unsigned int i = 0; i < count; ++i) {
            Machine m;
            std::unique_ptr<EnetLink> link = i == 0 ? HostSomewhere(port, 8) : EnetLink::Join("127.0.0.1", port);
            if (!link) return;
            link->SimulateLoss(lossPercent, i + 1);
            m.session = i == 0 ? Lockstep::Host(*link, Names(i, 1)) : Lockstep::Join(*link, Names(i, 1));
            // A process may starve for seconds on a shared machine; the leaver here
            // closes its link, which ENet reports (silence is tried in virtual time).
            m.Session().silenceMs = 20000;
            m.link = std::move(link);
            machines.push_back(std::move(m));
        }
    }

    // Updates every machine (running frames when `play`) until `done`, or a long while.
    template <class Done>
    bool Until(Done done, bool play = false)
    {
        const std::uint64_t giveUp = NowMs() + 120000;
        while (!done()) {
            if (NowMs() > giveUp) return false;
            for (Machine& m : machines) {
                if (m.off) continue;
                m.Session().Update(NowMs());
                if (play) m.Step();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    bool AllIn(Lockstep::State state)
    {
        for (Machine& m : machines)
            if (!m.off && m.Session().GetState() != state) return false;
        return true;
    }

    std::vector<Machine> machines;
};

void PlayOver(unsigned int count, std::uint32_t frames, unsigned int leaver)
{
    Loopback table(count, 5);
    ASSERT_EQ(table.machines.size(), count);
    ASSERT_TRUE(table.Until([&] { return table.AllIn(Lockstep::State::Lobby); }));
    ASSERT_TRUE(table.machines[0].Session().Start(2024));
    ASSERT_TRUE(table.Until([&] { return table.AllIn(Lockstep::State::Playing); }));
    // Machines join in whatever order their hellos arrive: the leaver's seat is the one
    // it plays itself.
    unsigned int seat = 0;
    if (leaver) {
        while (!table.machines[leaver].Session().Seats()[seat].local) ++seat;
        ASSERT_TRUE(table.Until([&] { return AllAt(table.machines, frames / 3); }, true));
        table.machines[leaver].session.reset();
        table.machines[leaver].link.reset();  // closes its connection
        table.machines[leaver].off = true;
    }
    ASSERT_TRUE(table.Until([&] { return AllAt(table.machines, frames); }, true));
    for (Machine& m : table.machines) {
        if (m.off) continue;
        EXPECT_EQ(m.Session().Failure(), "");
        ASSERT_GE(m.states.size(), frames);
        for (std::uint32_t f = 0; f < frames; ++f) ASSERT_EQ(m.states[f], table.machines[0].states[f]) << f;
        EXPECT_EQ(m.Session().Computer(seat, frames - 1), leaver != 0);
    }
}

}  // namespace

TEST(OnlineEnet, TwoMachinesOnLoopbackPlayInStep) { PlayOver(2, 500, 0); }

TEST(OnlineEnet, FourMachinesOnLoopbackPlayInStepWhenOneLeaves) { PlayOver(4, 500, 3); }

TEST(OnlineEnet, AHostThatIsNotThereIsReportedAsUnreachable)
{
    std::uint16_t port = 0;
    auto placeholder = HostSomewhere(port, 1);
    ASSERT_TRUE(placeholder);
    placeholder.reset();  // nobody listens on the port now
    auto link = EnetLink::Join("127.0.0.1", port);
    ASSERT_TRUE(link);
    Lockstep joiner = Lockstep::Join(*link, {"Alone"});
    const std::uint64_t giveUp = NowMs() + 30000;
    while (joiner.GetState() != Lockstep::State::Ended && NowMs() < giveUp) {
        joiner.Update(NowMs());
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(joiner.Failure(), "The host could not be reached");
    EXPECT_FALSE(EnetLink::Join("no such host.invalid", port));
}

// A link slot is held only briefly by a machine that is not there: a handshake that never
// completes, or a machine that vanished and was then disconnected. A host of one slot
// takes the next joiner at once afterwards.
TEST(OnlineEnet, SlotsHeldByMachinesThatAreNotThereComeFreeWithinSeconds)
{
    std::uint16_t port = 0;
    std::unique_ptr<EnetLink> host = HostSomewhere(port, 1);
    ASSERT_TRUE(host);
    PeerId joined = 0;
    auto serve = [&](std::uint64_t ms, const std::function<bool()>& done) {
        const std::uint64_t until = NowMs() + ms;
        for (Event event; !done() && NowMs() < until; std::this_thread::sleep_for(std::chrono::milliseconds(1)))
            while (host->Poll(event))
                if (event.kind == Event::Connected) joined = event.peer;
        return done();
    };
    // A joiner that comes once the slot should be free again is let in before ENet would
    // try its connection a second time.
    auto joinsAtOnce = [&](std::chrono::milliseconds after) {
        serve(static_cast<std::uint64_t>(after.count()) + 300, [] { return false; });
        auto joiner = HostilePeer::Connect(port);
        const bool in = serve(1200, [&] {
            joiner->Service();
            return joiner->connected;
        });
        return std::make_pair(in, std::move(joiner));
    };

    SpoofConnects(port, 1);
    auto [in, joiner] = joinsAtOnce(kHandshakeMs);
    EXPECT_TRUE(in) << "a handshake that is never completed";

    ASSERT_TRUE(serve(1000, [&] { return joined != 0; }));
    joiner.reset();  // vanishes without a word
    host->Disconnect(joined);
    EXPECT_TRUE(joinsAtOnce(kPartingMs).first) << "a machine that vanished";
}
