// Computer players: what their decisions cost in a frame, and how the levels fare
// against each other over many seeded matches.

#include "play/computer_input.h"
#include "play/brick.h"
#include "support/field.h"
#include "ui/text.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <time.h>
#include <vector>

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

    // Plays to the end: the winner's number (0 for none), the frames it took, and the
    // frames from the serve to the first drop-out (or to the end, if nobody dropped out).
    struct Outcome {
        unsigned int winner = 0;
        int frames = 0;
        int firstOut = 0;
    };
    Outcome PlayOut()
    {
        Outcome outcome;
        int served = -1;
        while (Running() && outcome.frames < kFrameLimit) {
            if (served < 0 && !field.Ball().waiting && !field.Ball().holder) served = outcome.frames;
            const unsigned int before = PlayersIn();
            Frame();
            ++outcome.frames;
            if (served >= 0 && outcome.firstOut == 0 && PlayersIn() < before)
                outcome.firstOut = outcome.frames - served;
            if (!Running()) {
                outcome.winner = Winner();
                return outcome;
            }
        }
        return outcome;
    }

    // One frame: animation, then input sampling.
    void Frame()
    {
        field.engine->Animate();
        field.engine->UpdateInput();
    }

    // How many players are still in, 0 once the match is over.
    unsigned int PlayersIn()
    {
        if (!Running()) return 0;
        auto* players = field.Find<CPlayers>("CPlayers");
        return players ? players->count : 0;
    }

    // Plays until the ball has left the first paddle; false if the match ended first.
    bool PlayToServe()
    {
        for (int frames = 0; Running() && frames < kFrameLimit; ++frames) {
            const CBall& ball = field.Ball();
            if (!ball.waiting && !ball.holder) return true;
            Frame();
        }
        return false;
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

constexpr int kFramesPerSecond = 50;

double Median(std::vector<int> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

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
    std::vector<int> firstOuts;
    for (auto _ : state) {
        ComputerMatch match;
        for (int seed = 1; seed <= matches; ++seed) {
            std::srand(static_cast<unsigned int>(seed));
            const bool swap = seed % 2 == 0;
            for (unsigned int i = 0; i < CData::kPlayers; ++i)
                match.field.data->players[i].input->SetComputer((i % 2 == 0) != swap ? first : second);
            match.Start();
            const auto [winner, length, firstOut] = match.PlayOut();
            if (length >= kFrameLimit) {
                ++endless;
                continue;
            }
            frames += length;
            firstOuts.push_back(firstOut);
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
    state.counters["median_first_out_s"] = Median(firstOuts) / kFramesPerSecond;
}
BENCHMARK(Pairing)
    ->Args({ComputerEasy, ComputerHard, 100})
    ->Args({ComputerFair, ComputerHard, 100})
    ->Args({ComputerHard, ComputerHard, 100})
    ->Args({ComputerFair, ComputerFair, 100})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// Four computer players of one level over seeded matches: the frames from the serve to
// the first player's drop-out (a match that ends before anyone drops out counts its
// whole length), how many lose a player within 5 s of the serve, and the median.
void FirstDropOut(benchmark::State& state)
{
    const auto level = static_cast<unsigned int>(state.range(0));
    const int matches = static_cast<int>(state.range(1));
    std::vector<int> times;
    for (auto _ : state) {
        ComputerMatch match;
        match.field.Computers(level);
        for (int seed = 1; seed <= matches; ++seed) {
            std::srand(static_cast<unsigned int>(seed));
            match.Start();
            if (!match.PlayToServe()) continue;
            int frames = 0;
            while (match.PlayersIn() == CData::kPlayers && frames < kFrameLimit) {
                match.Frame();
                ++frames;
            }
            times.push_back(frames);
        }
        match.field.engine->EndPaint();
        delete match.field.Screen();
    }
    const auto early = std::count_if(times.begin(), times.end(), [](int f) { return f < 5 * kFramesPerSecond; });
    std::printf("%s x4, %d matches: first drop-out within 5 s of the serve in %d, median %.1f s after it (",
                ComputerLevelName(level), matches, static_cast<int>(early), Median(times) / kFramesPerSecond);
    for (int f : times) std::printf(" %.1f", static_cast<double>(f) / kFramesPerSecond);
    std::printf(" )\n");
    state.SetLabel(std::string(ComputerLevelName(level)) + " x4");
    state.counters["within_5s"] = static_cast<double>(early);
    state.counters["median_s"] = Median(times) / kFramesPerSecond;
}
BENCHMARK(FirstDropOut)
    ->Args({ComputerEasy, 30})
    ->Args({ComputerFair, 20})
    ->Args({ComputerFair, 30})
    ->Args({ComputerHard, 30})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// A person on the mouse at the bottom who follows the ball's centre as it was 200 ms (ten
// frames) ago and never grabs, against three Fair computer players: in how many seeded
// matches the person is still in 10 s after the serve.
void FollowingMouse(benchmark::State& state)
{
    constexpr unsigned int kReaction = 10;
    const int matches = static_cast<int>(state.range(0));
    int survived = 0;
    std::vector<int> outs;
    for (auto _ : state) {
        ComputerMatch match;
        match.field.Computers(ComputerFair);
        match.field.data->players[0].input->SetMouse(0);
        for (int seed = 1; seed <= matches; ++seed) {
            std::srand(static_cast<unsigned int>(seed));
            match.Start();
            std::deque<POINT> seen;
            bool in = true;
            int frames = 0;
            for (bool served = false; match.Running() && in && frames < 10 * kFramesPerSecond; frames += served) {
                const Rect& b = match.field.Ball().rect;
                seen.push_back({(b.left + b.right) / 2, (b.top + b.bottom) / 2});
                if (seen.size() > kReaction) seen.pop_front();
                const POINT aim = seen.front();
                match.field.engine->MouseMove(static_cast<unsigned int>(std::max<LONG>(aim.x, 0)),
                                              static_cast<unsigned int>(std::max<LONG>(aim.y, 0)));
                match.Frame();
                served = served || (match.Running() && !match.field.Ball().waiting && !match.field.Ball().holder);
                in = match.Running() && match.field.PaddleOn(SideBottom) != nullptr;
            }
            if (in)
                ++survived;
            else
                outs.push_back(frames);
        }
        match.field.engine->EndPaint();
        delete match.field.Screen();
    }
    std::printf("200 ms mouse against three Fair: still in 10 s after the serve in %d of %d (out after", survived,
                matches);
    for (int f : outs) std::printf(" %.1f s", static_cast<double>(f) / kFramesPerSecond);
    std::printf(" )\n");
    state.counters["survived"] = survived;
}
BENCHMARK(FollowingMouse)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
