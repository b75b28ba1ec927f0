// What reading the pads costs in one frame of a four-pad match: each of the four pad
// inputs reads its pad four times (a match delivers four input updates a frame) and the
// main window's pad watch reads all four slots once. Against SDL's game controllers
// (four virtual pads under the dummy video driver) and the headless pads. A frame lasts
// 20 ms; the goal is well under 1 % of it (200 µs).

#include "app/pad_watch.h"
#include "input/pad_input.h"
#include "platform/host/headless/headless_pads.h"
#include "platform/host/sdl/sdl_pads.h"
#include "support/virtual_pad.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

void ReadFourPads(benchmark::State& state)
{
    std::vector<std::unique_ptr<CPadInput>> inputs;
    for (unsigned int pad = 0; pad < XUSER_MAX_COUNT; ++pad)
        inputs.push_back(std::make_unique<CPadInput>(pad, pad % 2 ? YAxis : XAxis, LList<CObject>(false, 0)));
    CPadWatch watch;
    for (auto _ : state) {
        for (auto& input : inputs)
            for (int update = 0; update < 4; ++update) input->UpdateInput();
        benchmark::DoNotOptimize(watch.Poll(0xF));
    }
}

void HeadlessPadsFrame(benchmark::State& state)
{
    headless::HeadlessPads pads;
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) pads.Connect(slot, "Pad");
    xinput::InstallPadHost(&pads);
    ReadFourPads(state);
    xinput::InstallPadHost(nullptr);
}
BENCHMARK(HeadlessPadsFrame);

// Four virtual pads on SDL's game controllers, read through our SDL pads.
template <class Measure>
void WithSdlPads(benchmark::State& state, Measure measure)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    {
        sdlhost::SdlPads pads;
        for (int i = 0; i < 4; ++i) AttachVirtualController("Virtual Pad");
        SDL_PumpEvents();
        xinput::InstallPadHost(&pads);
        measure(state);
        xinput::InstallPadHost(nullptr);
    }
    SDL_Quit();
}

// The pads fetch SDL's state at most once a millisecond, so once a frame: these are the
// reads between two fetches.
void SdlPadsFrame(benchmark::State& state) { WithSdlPads(state, ReadFourPads); }
BENCHMARK(SdlPadsFrame);

// The fetch itself, once a frame (virtual pads; a real one costs a read of its device).
void SdlPadsFetch(benchmark::State& state)
{
    WithSdlPads(state, [](benchmark::State& s) {
        for (auto _ : s) SDL_GameControllerUpdate();
    });
}
BENCHMARK(SdlPadsFetch);

}  // namespace
