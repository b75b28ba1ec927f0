// What online play costs: the bytes a seat's machine sends per second of play (message
// bytes, before ENet's and UDP's headers), and the input delay chosen for a round trip.

#include "net/memory_link.h"
#include "support/match_harness.h"

#include <benchmark/benchmark.h>

namespace {

using namespace net;

// Counts what goes through a link.
class Counted : public Transport {
public:
    explicit Counted(std::unique_ptr<MemoryEndpoint> link) : link(std::move(link)) {}
    void Send(PeerId peer, const Bytes& data) override
    {
        sent += data.size();
        link->Send(peer, data);
    }
    bool Poll(Event& event) override { return link->Poll(event); }
    void Disconnect(PeerId peer) override { link->Disconnect(peer); }
    MemoryEndpoint& Endpoint() { return *link; }

    std::unique_ptr<MemoryEndpoint> link;
    std::size_t sent = 0;
};

// Two to four machines of one player each play `seconds` of frames (50 a second) over a
// link with a one-way delay; reports the host's and a joiner's bytes a second, and how
// many frames a second the match runs at (50 unless the delay cannot hide the link's).
void SecondsOfPlay(benchmark::State& state)
{
    const auto machines = static_cast<unsigned int>(state.range(0));
    const auto delayMs = static_cast<unsigned int>(state.range(1));
    constexpr std::uint32_t kFrames = 50 * 60;
    double hostRate = 0, joinerRate = 0, delay = 0, frameRate = 0;
    for (auto _ : state) {
        MemoryNetwork network(0, delayMs);
        std::vector<nettest::Machine> table;
        std::vector<Counted*> links;
        for (unsigned int i = 0; i < machines; ++i) {
            auto counted = std::make_unique<Counted>(network.Open());
            if (i > 0) counted->Endpoint().Connect(1);
            nettest::Machine m;
            m.session = i == 0 ? Lockstep::Host(*counted, nettest::Names(i, 1)) : Lockstep::Join(*counted, nettest::Names(i, 1));
            links.push_back(counted.get());
            m.link = std::move(counted);
            table.push_back(std::move(m));
        }
        auto tick = [&](bool play) {
            network.Advance(20);
            for (auto& m : table) {
                m.Session().Update(network.Now());
                if (play) m.Step();
            }
        };
        for (int t = 0; t < 100; ++t) tick(false);
        table[0].Session().Start(1);
        while (table.back().Session().GetState() != Lockstep::State::Playing) tick(false);
        for (Counted* link : links) link->sent = 0;
        const std::uint64_t from = network.Now();
        while (!nettest::AllAt(table, kFrames)) tick(true);
        const double seconds = static_cast<double>(network.Now() - from) / 1000.0;
        hostRate = static_cast<double>(links[0]->sent) / seconds;
        joinerRate = static_cast<double>(links[1]->sent) / seconds;
        delay = table[0].Session().Delay();
        frameRate = kFrames / seconds;
    }
    state.counters["host_bytes_per_s"] = hostRate;
    state.counters["joiner_bytes_per_s"] = joinerRate;
    state.counters["delay_frames"] = delay;
    state.counters["frames_per_s"] = frameRate;
}
BENCHMARK(SecondsOfPlay)->Args({2, 0})->Args({2, 50})->Args({4, 0})->Args({4, 100})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
