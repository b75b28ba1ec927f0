// Matches played on several machines over the in-memory network, with loss and delay,
// on a virtual clock.

#include "net/memory_link.h"
#include "support/match_harness.h"

#include <gtest/gtest.h>

using namespace net;
using namespace nettest;

namespace {

constexpr std::uint64_t kTickMs = 20;

// A machine's link with its first message to the host swapped for other bytes.
class Tampered : public Transport {
public:
    Tampered(Transport& link, Bytes first) : link(link), first(std::move(first)) {}
    void Send(PeerId peer, const Bytes& data) override
    {
        link.Send(peer, swapped ? data : first);
        swapped = true;
    }
    bool Poll(Event& event) override { return link.Poll(event); }
    void Disconnect(PeerId peer) override { link.Disconnect(peer); }

private:
    Transport& link;
    Bytes first;
    bool swapped = false;
};

class Table {
public:
    explicit Table(unsigned int lossPercent = 0, unsigned int delayMs = 0) : network(lossPercent, delayMs, 7) {}

    // A host and a joiner per entry after the first; each entry is a machine's player count.
    void Seat(const std::vector<unsigned int>& players)
    {
        for (unsigned int i = 0; i < players.size(); ++i) {
            Machine m;
            auto endpoint = network.Open();
            if (i > 0) endpoint->Connect(Host().link ? HostId() : 0);
            m.session = i == 0 ? Lockstep::Host(*endpoint, Names(i, players[i]))
                               : Lockstep::Join(*endpoint, Names(i, players[i]));
            ids.push_back(endpoint->Id());
            m.link = std::move(endpoint);
            machines.push_back(std::move(m));
        }
        // Time to say hello and measure the round trip.
        Run(1500, [] { return false; });
    }

    void Start(std::uint32_t seed = 42)
    {
        ASSERT_TRUE(Host().Session().Start(seed));
        Run(2000, [&] {
            for (Machine& m : machines)
                if (m.Session().GetState() != Lockstep::State::Playing) return false;
            return true;
        });
    }

    // Ticks the clock, updating every machine and running a frame on each that can,
    // until `done` or `limitMs` of virtual time.
    template <class Done>
    void Run(std::uint64_t limitMs, Done done, bool play = false)
    {
        for (std::uint64_t t = 0; t < limitMs && !done(); t += kTickMs) {
            network.Advance(kTickMs);
            for (Machine& m : machines) {
                if (m.off) continue;
                m.Session().Update(network.Now());
                if (play) m.Step();
            }
        }
    }

    void Play(std::uint32_t frames, std::uint64_t limitMs = 600000)
    {
        Run(limitMs, [&] { return AllAt(machines, frames); }, true);
    }

    Machine& Host() { return machines.front(); }
    PeerId HostId() const { return ids.front(); }
    MemoryEndpoint& Endpoint(unsigned int i) { return static_cast<MemoryEndpoint&>(*machines[i].link); }

    MemoryNetwork network;
    std::vector<Machine> machines;
    std::vector<PeerId> ids;
};

// Every machine that is on has the host's state after every frame it ran.
void ExpectInStep(std::vector<Machine>& machines, std::uint32_t frames)
{
    for (std::size_t i = 0; i < machines.size(); ++i) {
        if (machines[i].off) continue;
        EXPECT_EQ(machines[i].Session().Failure(), "") << "machine " << i;
        ASSERT_GE(machines[i].states.size(), frames) << "machine " << i;
        for (std::uint32_t f = 0; f < frames; ++f)
            ASSERT_EQ(machines[i].states[f], machines[0].states[f]) << "machine " << i << " frame " << f;
    }
}

}  // namespace

TEST(Lockstep, MachinesStayInStepOverASlowLossyLink)
{
    const std::vector<std::vector<unsigned int>> tables = {{1, 1}, {1, 1, 1, 1}, {2, 2}, {1, 2, 1}};
    for (const auto& players : tables) {
        SCOPED_TRACE(testing::PrintToString(players));
        Table table(5, 100);
        table.Seat(players);
        table.Start();
        EXPECT_EQ(table.Host().Session().Seats().size(), 4u - (players.size() == 2 && players[0] == 1) * 2);
        for (Machine& m : table.machines) {
            EXPECT_EQ(m.Session().Delay(), kMaxDelay);
            EXPECT_EQ(m.Session().Seed(), 42u);
        }
        table.Play(1000);
        ExpectInStep(table.machines, 1000);
        EXPECT_EQ(table.Host().Session().Refused(), 0u);
    }
}

TEST(Lockstep, TheDelayFollowsTheRoundTrip)
{
    EXPECT_EQ(DelayFor(0), kMinDelay);
    EXPECT_EQ(DelayFor(40), 2);
    EXPECT_EQ(DelayFor(41), 3);
    EXPECT_EQ(DelayFor(80), 3);
    EXPECT_EQ(DelayFor(120), 4);
    EXPECT_EQ(DelayFor(5000), kMaxDelay);

    Table fast;
    fast.Seat({1, 1});
    fast.Start();
    // The pings measure a frame tick of round trip on the instant network.
    EXPECT_EQ(fast.machines[1].Session().Delay(), 2);
    fast.Play(200);
    ExpectInStep(fast.machines, 200);
}

TEST(Lockstep, AMachineThatGoesIsPlayedByTheComputerFromTheSameFrameEverywhere)
{
    for (bool pulled : {true, false}) {
        SCOPED_TRACE(pulled ? "cable pulled" : "closed");
        Table table(5, 100);
        table.Seat({1, 1, 1, 1});
        table.Start();
        table.Play(300);
        Machine& leaver = table.machines[2];
        if (pulled) {
            table.network.Cut(table.ids[2]);
        } else {
            leaver.link.reset();  // the program closes: its link tells the host
            leaver.session.reset();
        }
        leaver.off = true;
        table.Play(1000);
        ExpectInStep(table.machines, 1000);
        // The seat of machine 2 is seat 2; the same frame goes to the computer everywhere.
        std::uint32_t from = 0;
        while (!table.Host().Session().Computer(2, from)) ++from;
        EXPECT_GT(from, 300u);
        for (Machine& m : table.machines) {
            if (m.off) continue;
            EXPECT_FALSE(m.Session().Computer(2, from - 1));
            EXPECT_TRUE(m.Session().Computer(2, from));
            EXPECT_FALSE(m.Session().Computer(1, 999));
        }
    }
}

// A machine whose players are all out holds up no frame by its inputs, but the host runs
// no further ahead of it than it takes inputs for: when it falls behind, it catches up.
TEST(Lockstep, AGuestWhosePlayersAreOutMayFallBehindAndCatchesUp)
{
    Table table;
    table.Seat({1, 1});
    table.Start();
    for (Machine& m : table.machines) m.Retire(1, 10);
    table.machines[1].last = 20;  // the guest runs no frame after 20; its session still talks
    table.Run(5000, [] { return false; }, true);
    EXPECT_GT(table.Host().frame, 21u) << "the host does not wait for the guest's inputs";
    // The guest runs frame 21 next and takes inputs up to kMaxAhead frames past it.
    EXPECT_LE(table.Host().frame, 21u + kMaxAhead + 1) << "but for the guest itself";
    table.machines[1].last = ~0u;
    table.Play(1000);
    ExpectInStep(table.machines, 1000);
    EXPECT_EQ(table.machines[1].Session().Refused(), 0u);
}

TEST(Lockstep, AMatchThatGoesOutOfStepStopsEveryMachineAtTheSameFrame)
{
    Table table(5, 100);
    table.Seat({1, 1, 1});
    table.Start();
    table.Play(50);
    table.machines[2].state ^= 1;  // something on machine 2 went its own way
    const std::uint32_t changed = table.machines[2].frame;
    table.Play(400);
    const std::uint32_t checked = (changed + kChecksumEvery - 1) / kChecksumEvery * kChecksumEvery;
    for (Machine& m : table.machines) {
        EXPECT_EQ(m.Session().GetState(), Lockstep::State::Ended);
        EXPECT_EQ(m.Session().Failure(), "The match went out of step on frame " + std::to_string(checked));
        EXPECT_FALSE(m.Session().Ready(m.frame));
        EXPECT_LT(m.frame, 400u);
    }
}

TEST(Lockstep, JoinsThatCannotBeTakenAreTurnedAwayAndChangeNothing)
{
    Table table;
    table.Seat({2, 1});
    auto seatNames = [&] {
        std::vector<std::string> names;
        for (const auto& seat : table.Host().Session().Seats()) names.push_back(seat.name);
        return names;
    };
    const auto before = seatNames();
    ASSERT_EQ(before.size(), 3u);

    // Each late-comer is a joiner; the host must answer it and keep its lobby.
    // Each late-comer says `hello` (or a proper hello with `names`); the host must
    // answer it and keep its lobby.
    auto tryJoin = [&](std::vector<std::string> names, std::optional<Bytes> hello = std::nullopt) {
        auto endpoint = table.network.Open();
        endpoint->Connect(table.HostId());
        Tampered tampered(*endpoint, hello.value_or(Bytes{}));
        Lockstep joiner = Lockstep::Join(hello ? static_cast<Transport&>(tampered) : *endpoint, names);
        table.Run(6000, [&] {
            joiner.Update(table.network.Now());
            return joiner.GetState() == Lockstep::State::Ended;
        });
        return joiner.Failure();
    };
    Message future;
    future.kind = Kind::Hello;
    future.version = kProtocolVersion + 1;
    future.names = {"X"};

    EXPECT_EQ(tryJoin(Names(7, 2)), "The game is full");
    EXPECT_EQ(seatNames(), before);
    EXPECT_EQ(tryJoin({}, Encode(future)), "The host runs another version of Quorvel");
    EXPECT_EQ(tryJoin({}, Bytes{'Q', 1, kProtocolVersion, 1, 0}), "The host could not read what this machine sent");
    EXPECT_EQ(tryJoin({}, Bytes{'Q', 5, 0, 0, 0, 9, 0, 1, 0, 0}), "The host could not read what this machine sent");
    EXPECT_EQ(tryJoin({}, Bytes{0xff, 0xff, 0xff}), "The host could not read what this machine sent");
    EXPECT_EQ(seatNames(), before);

    // Nobody there at all.
    auto lonely = table.network.Open();
    lonely->Connect(999);
    Lockstep nobody = Lockstep::Join(*lonely, {"Y"});
    table.Run(6000, [&] {
        nobody.Update(table.network.Now());
        return false;
    });
    EXPECT_EQ(nobody.Failure(), "The host could not be reached");

    table.Start();
    EXPECT_EQ(tryJoin({"Z"}), "The game has already started");
    table.Play(100);
    ExpectInStep(table.machines, 100);
}

TEST(Lockstep, HostilePacketsInAMatchAreRefusedAndTheMatchGoesOn)
{
    Table table(5, 100);
    table.Seat({1, 1, 1});
    table.Start();
    table.Play(100);
    MemoryEndpoint& cheat = table.Endpoint(1);  // seat 1's machine
    auto input = [](std::uint32_t frame, std::uint8_t seat) {
        Message m;
        m.kind = Kind::Inputs;
        m.match = 1;
        m.runs = {InputRun{seat, frame, {SeatInput{0, 1}}}};
        return Encode(m);
    };
    Message drop;
    drop.kind = Kind::Drop;
    drop.seat = 2;
    drop.frame = 0;
    Message start;
    start.kind = Kind::Start;
    start.names = {"A", "B"};
    start.seats = {0};
    const std::uint32_t at = table.machines[1].frame;
    const Bytes hostile[] = {
        input(at + 200, 0),            // another machine's seat
        input(at + 200, 2),            // likewise
        input(at + 200, 1),            // its own seat, far past the next frame
        input(at + 1000000, 1),        // far, far past it
        Encode(drop),                  // only the host drops seats
        Encode(start),                 // only the host starts
        {'Q', 5, 0},                   // cut short
        {'Q', 5, 1, 0x20, 0, 0, 0, 9, 0, 1, 3, 0},  // position 768
        Encode(Crafted(Kind::OutOfStep, 4294967295u, 0)),  // a frame nobody has run
        Encode(Crafted(Kind::OutOfStep, at / 8 * 8 + 3, 0)),  // no checksum frame
        Encode(Crafted(Kind::Checksum, at / 8 * 8 + 8000, 1)),  // far ahead
        Encode(Crafted(Kind::Pong, 0, 0x80000000u)),        // a stamp never sent
    };
    for (const Bytes& bytes : hostile) cheat.Send(table.HostId(), bytes);
    // Copies of inputs long taken, as an unreliable line brings them, change nothing.
    cheat.Send(table.HostId(), input(0, 1));
    table.Play(600);
    ExpectInStep(table.machines, 600);
    EXPECT_EQ(table.Host().Session().Refused(), std::size(hostile));
    for (unsigned int seat = 0; seat < 3; ++seat) EXPECT_FALSE(table.Host().Session().Computer(seat, 599));

    // A flood gets its machine dropped: a computer plays its seat and the others go on.
    for (unsigned int i = 0; i < 5000; ++i) cheat.Send(table.HostId(), Encode(Message{}));
    table.machines[1].off = true;
    table.Play(1000);
    ExpectInStep(table.machines, 1000);
    EXPECT_TRUE(table.Host().Session().Computer(1, 999));
    EXPECT_TRUE(table.machines[2].Session().Computer(1, 999));
}

TEST(Lockstep, JoiningPlayersTakeTheOpenSeatsAndTheHostsSetupReachesEveryMachine)
{
    Table table;
    table.Seat({4});
    // Machines join during the test: the host is looked up afresh each time.
    auto host = [&]() -> Lockstep& { return table.Host().Session(); };
    // The host's second and fourth players are computer players, who make room.
    host().Offer(Names(0, 4), {false, true, false, true});
    auto join = [&](unsigned int players) {
        Machine m;
        auto endpoint = table.network.Open();
        endpoint->Connect(table.HostId());
        m.session = Lockstep::Join(*endpoint, Names(static_cast<unsigned int>(table.machines.size()), players));
        table.ids.push_back(endpoint->Id());
        m.link = std::move(endpoint);
        table.machines.push_back(std::move(m));
        table.Run(1500, [] { return false; });
        return &table.machines.back();
    };
    auto names = [&] {
        std::vector<std::string> seated;
        for (const auto& seat : host().Seats()) seated.push_back(seat.name + (seat.local ? "" : "*"));
        return seated;
    };

    const unsigned int version = host().LobbyVersion();
    join(1);
    join(1);
    EXPECT_EQ(names(), (std::vector<std::string>{"P0.1", "P1.1*", "P0.3", "P2.1*"}));
    EXPECT_EQ(host().Joined(), 2u);
    EXPECT_GT(host().LobbyVersion(), version) << "a screen showing the lobby sees it change";
    EXPECT_EQ(join(1)->Session().Failure(), "The game is full");

    // The first guest leaves: the other moves up, and the last seat is the host's again.
    table.machines[1].Session().Leave();
    table.machines[1].off = true;
    table.Run(1500, [] { return false; });
    EXPECT_EQ(names(), (std::vector<std::string>{"P0.1", "P2.1*", "P0.3", "P0.4"}));

    // The host starts with its looks and sides; player 4 holds no side, and no frame
    // waits for a seat that plays nowhere.
    Lockstep::Setup setup;
    setup.looks = {SeatLook{0x0000ff, false}, SeatLook{0x00ff00, true}, SeatLook{0xff0000, false}, SeatLook{0, true}};
    setup.sides = {1, 2, 3, 1};
    ASSERT_TRUE(host().Start(7, setup));
    table.machines.pop_back();  // the one turned away
    table.Run(2000, [&] { return table.machines[2].Session().GetState() == Lockstep::State::Playing; });
    Lockstep& guest = table.machines[2].Session();
    ASSERT_EQ(guest.GetState(), Lockstep::State::Playing);
    EXPECT_EQ(guest.MatchSetup().looks, setup.looks);
    EXPECT_EQ(guest.MatchSetup().sides, setup.sides);
    EXPECT_TRUE(guest.Seats()[1].local);
    EXPECT_FALSE(guest.Seats()[3].local);
    table.Play(200);
    ExpectInStep(table.machines, 200);
}

TEST(Lockstep, AfterAMatchTheHostOpensItsLobbyAgainAndTheSamePlayersPlayTheNext)
{
    Table table(5, 40);
    table.Seat({1, 1, 1});
    table.Start(3);
    table.Play(200);
    ExpectInStep(table.machines, 200);
    // The third machine goes during the match; the computer plays its seat.
    table.machines[2].off = true;
    table.Endpoint(2).Disconnect(table.HostId());
    table.Play(260);

    for (Machine& m : table.machines) m.Session().MatchOver();
    ASSERT_TRUE(table.Host().Session().Reopen());
    table.Run(1000, [&] { return table.machines[1].Session().GetState() == Lockstep::State::Lobby; });
    EXPECT_EQ(table.machines[1].Session().GetState(), Lockstep::State::Lobby);
    EXPECT_EQ(table.Host().Session().Joined(), 1u) << "the machine that left is not in the lobby";
    EXPECT_FALSE(table.machines[1].Session().Reopen()) << "only the host reopens";

    for (Machine& m : table.machines) m.NextMatch();
    table.Start(4);
    EXPECT_EQ(table.machines[1].Session().Matches(), 2u);
    EXPECT_EQ(table.machines[1].Session().Seed(), 4u);
    table.Play(300);
    ExpectInStep(table.machines, 300);
    EXPECT_EQ(table.Host().Session().Refused(), 0u) << "the old match's last messages are not taken for hostile";
}

// A machine that predicts runs on while the others' inputs are on their way, as far as
// the window allows, and learns which frame it ran with a wrong prediction.
TEST(Lockstep, APredictingMachineRunsAheadWithinTheWindowAndHearsOfWrongGuesses)
{
    Table table(0, 100);
    table.Seat({1, 1});
    Lockstep& host = table.Host().Session();
    host.predicting = true;
    table.Start();
    Lockstep& guest = table.machines[1].Session();
    EXPECT_EQ(guest.Delay(), 1);

    // The host runs alone: its own inputs count at once, the guest's are predicted.
    SeatInput moved;
    moved.pos = 100;
    std::uint32_t frame = 0;
    for (; host.MayRun(frame); ++frame) {
        host.SetLocal(frame, 0, moved);
        host.KeepLocal(frame);
        host.Ran(frame);
    }
    EXPECT_EQ(frame, host.FirstUnconfirmed() + kWindow);
    EXPECT_EQ(host.FirstUnconfirmed(), 1u);
    EXPECT_FALSE(host.Known(5, 1));
    EXPECT_EQ(host.Input(5, 1), SeatInput{});
    EXPECT_EQ(host.Input(5, 0), moved);
    EXPECT_EQ(host.TakeChanged(), kNoFrame);

    // The guest's inputs arrive: the same as predicted for frame 1, another from frame 3.
    SeatInput other;
    other.pos = 300;
    for (std::uint32_t f = 0; f < 6; ++f) guest.SetLocal(f, 1, f < 2 ? SeatInput{} : other);
    guest.SendNow();
    table.network.Advance(200);
    host.Update(table.network.Now());
    EXPECT_EQ(host.TakeChanged(), 3u);
    EXPECT_EQ(host.TakeChanged(), kNoFrame);
    EXPECT_EQ(host.FirstUnconfirmed(), 7u);
    // What is not known yet is predicted as the last input known.
    EXPECT_EQ(host.Input(12, 1), other);
}

TEST(Lockstep, AGuestStillEndingAMatchSeatsTheNextOnceItsOwnIsOver)
{
    Table table(5, 40);
    table.Seat({1, 1});
    table.Start();
    Machine &host = table.Host(), &guest = table.machines[1];
    // The match ends after frame 150; the guest is held back a frame behind.
    host.last = 150;
    guest.last = 149;
    table.Run(60000, [&] { return host.frame > host.last; }, true);
    ASSERT_GT(host.frame, host.last);

    // The host is back in its lobby and starts the next match before the guest is done.
    host.Session().MatchOver();
    ASSERT_TRUE(host.Session().Reopen());
    host.NextMatch();
    ASSERT_TRUE(host.Session().Start(9));
    table.Run(1000, [] { return false; });
    EXPECT_EQ(guest.Session().GetState(), Lockstep::State::Playing) << "the last frames still run";
    EXPECT_EQ(guest.Session().Matches(), 1u);

    guest.last = 150;
    table.Run(60000, [&] { return guest.frame > guest.last; }, true);
    ASSERT_GT(guest.frame, guest.last);
    guest.Session().MatchOver();
    EXPECT_EQ(guest.Session().Matches(), 2u);
    EXPECT_EQ(guest.Session().Seed(), 9u);
    guest.NextMatch();
    table.Play(300);
    ExpectInStep(table.machines, 300);
    EXPECT_EQ(host.Session().Refused(), 0u);
    EXPECT_EQ(guest.Session().Refused(), 0u);
}

// Machines say in their pings which frame they run, so that one running ahead of the
// others knows it (and slows) and one behind them knows it too (and catches up).
TEST(Lockstep, EachMachineKnowsHowFarAheadOfTheOthersItRuns)
{
    Table table(0, 40);
    table.Seat({1, 1});
    table.Start();
    Lockstep &host = table.Host().Session(), &guest = table.machines[1].Session();
    host.Ran(59);
    guest.Ran(9);
    table.Run(600, [] { return false; });
    EXPECT_EQ(host.Lead(), static_cast<int>(kWindow));
    EXPECT_EQ(guest.Lead(), -static_cast<int>(kWindow));
}
