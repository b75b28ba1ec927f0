// One frame of a four-player match (animation and painting into the back buffer)
// against one copy of the 512 x 512 back buffer, in the same run; and a long run that
// must not grow in GDI objects or memory.

#include "tests/support/field.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

// A painted four-player match kept going: the paddles follow the ball, and a finished
// match is replaced by a new one.
class RunningMatch {
public:
    RunningMatch()
    {
        std::srand(3);
        Restart();
    }

    void Frame()
    {
        if (!dynamic_cast<CMainGame*>(field.Screen())) Restart();
        field.Follow(40);
        field.engine->Animate();
        if (CGame* screen = field.Screen()) screen->Paint(field.engine->memDC);
    }

    // Drops whatever screen there is and starts a fresh match with its paint cycle open.
    void Restart()
    {
        if (CGame* old = field.Screen()) {
            field.engine->EndPaint();
            delete old;
        }
        field.Match(true);
        field.engine->MouseDown(0, false);
        ++matches;
    }

    Field field;
    int matches = 0;
};

long ResidentKilobytes()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * 4;
}

void MatchFrame(benchmark::State& state)
{
    RunningMatch match;
    for (auto _ : state) match.Frame();
    state.counters["matches"] = match.matches;
}
BENCHMARK(MatchFrame);

void CopyBackBuffer(benchmark::State& state)
{
    RunningMatch match;
    HDC source = match.field.engine->memDC;
    HDC copy = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, 512, 512);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    for (auto _ : state) benchmark::DoNotOptimize(BitBlt(copy, 0, 0, 512, 512, source, 0, 0, SRCCOPY));
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
}
BENCHMARK(CopyBackBuffer);

// 100,000 frames, many matches: GDI objects and resident memory at a match's start,
// first against last.
void HundredThousandFrames(benchmark::State& state)
{
    for (auto _ : state) {
        RunningMatch match;
        for (int i = 0; i < 1000; ++i) match.Frame();  // let allocators and caches settle
        match.Restart();
        const DWORD gdiBefore = Field::GdiObjects();
        const long memoryBefore = ResidentKilobytes();
        for (int i = 0; i < 100000; ++i) match.Frame();
        match.Restart();
        state.counters["gdi_growth"] = static_cast<double>(Field::GdiObjects()) - gdiBefore;
        state.counters["rss_growth_kb"] = static_cast<double>(ResidentKilobytes() - memoryBefore);
        state.counters["matches"] = match.matches;
    }
}
BENCHMARK(HundredThousandFrames)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
