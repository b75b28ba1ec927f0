// One frame of a four-player match (animation, and painting what changed into the back
// buffer and the window) against one copy of the 512 x 512 back buffer, in the same run,
// and against a frame that paints the whole screen; how often a frame
// goes to the heap; and a long run that must not grow in GDI objects or memory.

#include "support/field.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <vector>

namespace {

// Every operator new of the program, counted.
unsigned long heapAllocations = 0;

}  // namespace

[[gnu::noinline]] void* operator new(std::size_t size)
{
    ++heapAllocations;
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

// A painted four-player match kept going: the paddles follow the ball, and a finished
// match is replaced by a new one.
class RunningMatch {
public:
    RunningMatch()
    {
        std::srand(3);
        field.Mice();
        Restart();
    }

    // Animation and the engine's paint of what changed (its copy to the window included).
    void Frame()
    {
        if (!dynamic_cast<CMainGame*>(field.Screen())) Restart();
        field.Follow(40);
        field.engine->Animate();
        field.engine->Paint();
    }

    // Animation and a paint of the whole screen into the back buffer, as every frame was
    // painted before only what changed was.
    void WholeFrame()
    {
        if (!dynamic_cast<CMainGame*>(field.Screen())) Restart();
        field.Follow(40);
        field.engine->Animate();
        if (CGame* screen = field.Screen()) screen->Paint(field.engine->memDC);
        ValidateRect(field.window, nullptr);
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
        gdiAtStart = Field::GdiObjects();
        heapAtStart = HeapInUse();
    }

    // Runs frames until the next match has started.
    void FinishMatch()
    {
        for (const int match = matches; matches == match;) Frame();
    }

    // Bytes the allocator has handed out and not had back.
    static double HeapInUse() { return static_cast<double>(mallinfo2().uordblks); }

    Field field;
    int matches = 0;
    DWORD gdiAtStart = 0;
    double heapAtStart = 0;
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
// A fixed number of frames, so that every run averages over the same matches.
BENCHMARK(MatchFrame)->Iterations(20000);

// The same frame with the processor's caches emptied before it, as the program finds
// them after 20 ms asleep while other programs ran: its cost is then mostly what it
// touches in memory.
void EvictCaches()
{
    static std::vector<std::uint64_t> elsewhere(4 << 20);  // 32 MB, larger than any cache
    for (std::uint64_t& word : elsewhere) word += 1;
    benchmark::DoNotOptimize(elsewhere.data());
}

void MatchFrameCold(benchmark::State& state)
{
    RunningMatch match;
    for (auto _ : state) {
        state.PauseTiming();
        EvictCaches();
        state.ResumeTiming();
        match.Frame();
    }
}
BENCHMARK(MatchFrameCold)->Iterations(2000);

void MatchFrameWholePaint(benchmark::State& state)
{
    RunningMatch match;
    for (auto _ : state) match.WholeFrame();
}
BENCHMARK(MatchFrameWholePaint)->Iterations(20000);

// Allocations in the frames of a match, leaving out the frames that start a new one:
// a frame should make nothing that could be made once per screen.
void MatchFrameAllocations(benchmark::State& state)
{
    RunningMatch match;
    unsigned long frames = 0, allocations = 0;
    for (auto _ : state) {
        const int matches = match.matches;
        const unsigned long before = heapAllocations;
        match.Frame();
        if (match.matches != matches) continue;
        allocations += heapAllocations - before;
        ++frames;
    }
    state.counters["allocations_per_frame"] = frames ? static_cast<double>(allocations) / frames : 0;
}
BENCHMARK(MatchFrameAllocations)->Iterations(20000);

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

// 100,000 frames, many matches, each played to its end: GDI objects, heap in use and
// resident memory at the start of a match, before against after.
void HundredThousandFrames(benchmark::State& state)
{
    for (auto _ : state) {
        RunningMatch match;
        match.FinishMatch();  // allocators and caches settle
        match.FinishMatch();
        const DWORD gdiBefore = match.gdiAtStart;
        const double heapBefore = match.heapAtStart;
        const long memoryBefore = ResidentKilobytes();
        for (int i = 0; i < 100000; ++i) match.Frame();
        match.FinishMatch();
        state.counters["gdi_growth"] = static_cast<double>(match.gdiAtStart) - gdiBefore;
        state.counters["heap_growth_bytes"] = match.heapAtStart - heapBefore;
        state.counters["rss_growth_kb"] = static_cast<double>(ResidentKilobytes() - memoryBefore);
        state.counters["matches"] = match.matches;
    }
}
BENCHMARK(HundredThousandFrames)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
