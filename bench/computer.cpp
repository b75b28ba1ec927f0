// Computer players: what their decisions cost in a frame, and how the levels fare
// against each other over many seeded matches.

#include "play/computer_input.h"
#include "play/brick.h"
#include "support/field.h"
#include "ui/text.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <time.h>

namespace {

constexpr int kFrameLimit = 30000;

// The processor time this thread has used: a busy machine's other work does not count.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A match of computer players with its paint cycle open, run without repaints (which
// change nothing in the match).
class ComputerMatch {
public:
    bool Running() { return dynamic_cast<CMainGame*>(field.Screen()) != nullptr; }

    void Start()
    {
        if (CGame* old = field.Screen()) {
            field.engine->EndPaint();
            delete old;
        }
        field.Match(true);
    }

    // Plays to the end; the winner's number (0 for none) and the frames it took.
    std::pair<unsigned int, int> PlayOut()
    {
        int frames = 0;
        while (Running() && frames < kFrameLimit) {
            field.engine->Animate();
            field.engine->UpdateInput();
            ++frames;
            if (!Running()) return {Winner(), frames};
        }
        return {0, frames};
    }

    Field field;

private:
    // The number of the player whom the game-over screen names, or 0 for nobody.
    unsigned int Winner()
    {
        for (unsigned int n = 1; auto* text = field.Find<CText>("CText", n); ++n)
            for (unsigned int i = 0; i < CData::kPlayers; ++i) {
                const str& name = field.data->players[i].name;
                if (std::string(text->text) == std::string(name) + " Wins!") return i + 1;
            }
        return 0;
    }
};

// One frame's input sampling of a four-player match of Hard computers: four decisions
// and sixteen keyboard steps, against the 20 ms of a frame. The slowest frame is the
// one in which a computer that has just caught the ball chooses where to let it go.
void ComputerDecisions(benchmark::State& state)
{
    std::srand(7);
    ComputerMatch match;
    match.field.Computers(ComputerHard);
    match.Start();
    double slowest = 0, total = 0;
    for (auto _ : state) {
        if (!match.Running()) match.Start();
        match.field.engine->Animate();
        if (!match.Running()) continue;
        const double start = ThreadSeconds();
        match.field.engine->UpdateInput();
        const double seconds = ThreadSeconds() - start;
        state.SetIterationTime(seconds);
        slowest = std::max(slowest, seconds);
        total += seconds;
    }
    constexpr double kFrameSeconds = 0.020;
    state.counters["slowest_us"] = slowest * 1e6;
    state.counters["mean_share_of_frame_%"] = 100 * total / static_cast<double>(state.iterations()) / kFrameSeconds;
    state.counters["slowest_share_of_frame_%"] = 100 * slowest / kFrameSeconds;
}
BENCHMARK(ComputerDecisions)->UseManualTime()->Iterations(20000)->Unit(benchmark::kMicrosecond);

// Four computer players, two at level `first` on opposite sides and two at `second` on
// the other two (each pair a rounded and a square paddle; the pairs change sides from
// one seed to the next), over many seeded matches: how often each level wins, how long a
// match takes, and how many matches found no end within the limit: a ball that a
// rounded paddle's shoulder sends off along a side and no paddle can reach rolls on
// until someone tilts it.
void Pairing(benchmark::State& state)
{
    const auto first = static_cast<unsigned int>(state.range(0)), second = static_cast<unsigned int>(state.range(1));
    const int matches = static_cast<int>(state.range(2));
    int firstWins = 0, secondWins = 0, nobody = 0, endless = 0;
    double frames = 0;
    for (auto _ : state) {
        ComputerMatch match;
        for (int seed = 1; seed <= matches; ++seed) {
            std::srand(static_cast<unsigned int>(seed));
            const bool swap = seed % 2 == 0;
            for (unsigned int i = 0; i < CData::kPlayers; ++i)
                match.field.data->players[i].input->SetComputer((i % 2 == 0) != swap ? first : second);
            match.Start();
            const auto [winner, length] = match.PlayOut();
            if (length >= kFrameLimit) {
                ++endless;
                continue;
            }
            frames += length;
            if (winner == 0)
                ++nobody;
            else
                ((winner % 2 == 1) != swap ? firstWins : secondWins) += 1;
        }
        match.field.engine->EndPaint();
        delete match.field.Screen();
    }
    const double ended = matches - endless;
    state.SetLabel(std::string(ComputerLevelName(first)) + " vs " + ComputerLevelName(second));
    state.counters["first_wins_%"] = 100.0 * firstWins / ended;
    state.counters["second_wins_%"] = 100.0 * secondWins / ended;
    state.counters["nobody_%"] = 100.0 * nobody / ended;
    state.counters["endless"] = endless;
    state.counters["mean_frames"] = frames / ended;
}
BENCHMARK(Pairing)
    ->Args({ComputerEasy, ComputerHard, 100})
    ->Args({ComputerFair, ComputerHard, 100})
    ->Args({ComputerHard, ComputerHard, 100})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
