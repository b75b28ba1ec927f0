// The SDL host's cost while nothing happens: an empty window with a 20 ms timer,
// CPU time (user + system) per second of wall time. The message loop should sleep
// between ticks, so this stays far below 1% of a core.
//
// Beside it, a plain SDL window and nothing else, woken every 20 ms by SDL's own wait:
// what any SDL program pays to wait on the same display. `bench/window_cpu.sh` runs it
// beside the real game with the pointer circling over it.
//
// Runs under SDL's dummy video driver unless SDL_VIDEODRIVER says otherwise (for
// example SDL_VIDEODRIVER=x11 under Xvfb). QUORVEL_BENCH_SECONDS sets the plain
// window's run (5 s by default).

#include "bench/support/bench_seconds.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/user/window_system.h"
#include "platform/win32.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <SDL.h>

#include <chrono>
#include <cstdlib>

namespace {

constexpr DWORD kRunMilliseconds = 5000;
int ticks = 0;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        ++ticks;
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// One run: a window, its timer, the loop for kRunMilliseconds of real time.
void IdleWindow(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    sdlhost::SdlHost host;
    if (!host.Ready()) {
        state.SkipWithError("SDL video did not start");
        return;
    }
    user::InstallHost(&host);
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Procedure;
    wc.lpszClassName = "Idle";
    RegisterClassEx(&wc);

    for (auto _ : state) {
        ticks = 0;
        HWND window = CreateWindow("Idle", "Idle", WS_CAPTION, 0, 0, 512, 512, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(window, SW_SHOWNORMAL);
        SetTimer(window, 1, 20, nullptr);
        // The window's first paint and present are start-up, not idling: the clock
        // starts at the first tick.
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0) && msg.message != WM_TIMER) DispatchMessage(&msg);
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = CpuSeconds();
        const DWORD end = GetTickCount() + kRunMilliseconds;
        while (GetMessage(&msg, nullptr, 0, 0)) {
            DispatchMessage(&msg);
            if (msg.message == WM_TIMER && GetTickCount() >= end) DestroyWindow(window);
        }
        const double cpu = CpuSeconds() - cpuStart;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        state.SetIterationTime(wall);
        state.counters["cpu_percent_of_a_core"] = 100.0 * cpu / wall;
        state.counters["ticks_per_second"] = ticks / wall;
    }
    user::ResetWindowSystem();
    user::InstallHost(nullptr);
}

BENCHMARK(IdleWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void PlainSdlWindow(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError("SDL video did not start");
        return;
    }
    SDL_Window* window =
        SDL_CreateWindow("Plain SDL window", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 512, 532, 0);
    for (auto _ : state) {
        const double cpuStart = CpuSeconds();
        const Uint32 start = SDL_GetTicks(), run = BenchMilliseconds(kRunMilliseconds);
        Uint32 next = start + 20;
        int wakes = 0;
        while (SDL_GetTicks() - start < run) {
            const Uint32 now = SDL_GetTicks();
            SDL_Event event;
            if (SDL_WaitEventTimeout(&event, SDL_TICKS_PASSED(now, next) ? 0 : static_cast<int>(next - now)))
                while (SDL_PollEvent(&event)) {
                }
            if (SDL_TICKS_PASSED(SDL_GetTicks(), next)) next += 20;
            ++wakes;
        }
        const double wall = (SDL_GetTicks() - start) / 1000.0;
        state.SetIterationTime(wall);
        state.counters["cpu_percent_of_a_core"] = 100.0 * (CpuSeconds() - cpuStart) / wall;
        state.counters["wakes_per_second"] = wakes / wall;
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
}

BENCHMARK(PlainSdlWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
