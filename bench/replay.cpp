// Watching a recording four times as fast against playing the match it recorded: CPU
// time of one tick (the frames it runs, the input sampling and the repaint) with four
// Hard computer players; and the size of the recording.

#include "screens/replay_screen.h"
#include "support/field.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A tick as the engine runs it, without handing a finished screen on: the frames, then
// the engine's paint of what changed (its copy to the window included).
void Tick(Field& field, CMainGame& match)
{
    match.Animate();
    field.engine->UpdateInput();
    field.engine->Paint();
}

std::unique_ptr<Field> ComputersField()
{
    auto field = std::make_unique<Field>();
    field->Computers(ComputerHard);
    return field;
}

// A whole match of four Hard computer players, played and recorded.
SReplay Recorded(unsigned int seed)
{
    std::srand(seed);
    auto field = ComputersField();
    CMainGame& match = field->Match(true);
    match.Resumed();
    while (!match.gameOver) Tick(*field, match);
    match.Finish();
    return match.Recording();
}

const SReplay& Recording()
{
    static const SReplay recording = Recorded(5);
    return recording;
}

void Playing(benchmark::State& state)
{
    std::srand(5);
    auto field = ComputersField();
    auto* match = &field->Match(true);
    match->Resumed();
    for (auto _ : state) {
        if (match->gameOver) {
            state.PauseTiming();
            field->engine->EndPaint();
            delete match;
            std::srand(5);
            match = &field->Match(true);
            match->Resumed();
            state.ResumeTiming();
        }
        Tick(*field, *match);
    }
    state.SetLabel("one frame a tick");
}
BENCHMARK(Playing)->Unit(benchmark::kMicrosecond);

void WatchingFast(benchmark::State& state)
{
    const auto recording = std::make_shared<const SReplay>(Recording());
    auto field = ComputersField();
    const auto watch = [&] {
        auto* screen = new CReplayScreen(recording, LList<CObject>(false, 1, field->engine));
        field->engine->InitPaint();
        screen->fast = true;
        return screen;
    };
    CReplayScreen* screen = watch();
    for (auto _ : state) {
        if (screen->gameOver) {
            state.PauseTiming();
            field->engine->EndPaint();
            delete screen;
            screen = watch();
            state.ResumeTiming();
        }
        Tick(*field, *screen);
    }
    state.counters["frames"] = static_cast<double>(recording->frames.size());
    state.counters["bytes"] = static_cast<double>(EncodeReplay(*recording).size());
    state.SetLabel("four frames a tick");
}
BENCHMARK(WatchingFast)->Unit(benchmark::kMicrosecond);

// The mean size of the recordings of ten seeded matches.
void RecordingSize(benchmark::State& state)
{
    double bytes = 0, frames = 0;
    for (auto _ : state) {
        for (unsigned int seed = 1; seed <= 10; ++seed) {
            const SReplay recording = Recorded(seed);
            bytes += static_cast<double>(EncodeReplay(recording).size());
            frames += static_cast<double>(recording.frames.size());
        }
    }
    state.counters["mean_bytes"] = bytes / 10;
    state.counters["mean_frames"] = frames / 10;
}
BENCHMARK(RecordingSize)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
