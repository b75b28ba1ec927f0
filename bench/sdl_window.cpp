// The real game in the real SDL window: CPU time (user + system, all threads) per second
// of wall time on the intro, where nothing moves, and in a match whose four mouse
// paddles follow the ball (no computer players), at 1x and 2x, under SDL's dummy driver
// and, when DISPLAY is set, under X11. The figures go in the README; the goals are at
// most 2 % of a core on a still screen and 4 % in a match, under Xvfb without a GPU.
//
// QUORVEL_BENCH_SECONDS sets the length of each measurement (10 s by default).

#include "app/gamer.h"
#include "bench/support/bench_seconds.h"
#include "app/main_window.h"
#include "model/controls.h"
#include "play/ball.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/user/input.h"
#include "platform/user/menu.h"
#include "platform/user/window_system.h"
#include "model/data.h"
#include "ui/game.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr Uint32 kSettle = 1000;  // after reaching the screen, before measuring
constexpr Uint32 kDrivePeriod = 20;

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::string ScreenType()
{
    CGamer* engine = CurrentGamer();
    CGame* game = engine ? engine->GetGame() : nullptr;
    return game ? std::string(static_cast<char*>(game->type)) : std::string();
}

// The SDL host, with a player who walks to the screen being measured and, in a match,
// keeps the pointer on the ball; it ends the program once the measurement is done.
class MeasuredHost : public sdlhost::SdlHost {
public:
    MeasuredHost(bool match, int scale) : match(match), scale(scale) {}

    bool WaitForEvents(DWORD timeoutMs) override
    {
        const Uint32 now = SDL_GetTicks();
        if (now - lastDrive >= kDrivePeriod) {
            lastDrive = now;
            Drive(now);
        }
        if (measureEnd && now >= measureEnd) {
            cpu = CpuSeconds() - cpuStart;
            wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
            return false;
        }
        return SdlHost::WaitForEvents(std::min<DWORD>(timeoutMs, kDrivePeriod));
    }

    double cpu = 0;
    double wall = 0;
    unsigned long ballSteps = 0;  // while measuring: the ball's moves, to show the match ran

private:
    void Drive(Uint32 now)
    {
        window = user::System().windows.Newest();
        if (!window) return;
        if (!scaled) {
            SetScale(scale);
            scaled = true;
        }
        const std::string screen = ScreenType();
        if (match) Play(screen);
        else if (screen == "CIntro") Point(5, 5);
        const bool there = screen == (match ? "CMatchScreen" : "CIntro");
        if (there && !settleEnd) settleEnd = now + kSettle;
        if (settleEnd && !measureEnd && now >= settleEnd) {
            measureEnd = now + BenchMilliseconds(10000);
            cpuStart = CpuSeconds();
            wallStart = Clock::now();
        }
    }

    // Through the menus into a match of four mouse players; a finished match is
    // followed by the next.
    void Play(const std::string& screen)
    {
        if (screen == "CIntro") Click(255, 330);
        if (screen == "COptions") {
            for (SPlayerOptions& player : FindData(CurrentGamer())->players)
                if (player.input) player.input->SetMouse(0);
            Click(250, 460);
        }
        if (screen == "CGameOver") Click(255, 406);
        if (screen == "CMatchScreen") FollowTheBall();
    }

    void FollowTheBall()
    {
        auto* ball = dynamic_cast<CBall*>(CurrentGamer()->FindChild(str("CBall"), true, 1));
        if (!ball) return;
        if (measureEnd && ball->frames > lastBallFrames) ballSteps += ball->frames - lastBallFrames;
        lastBallFrames = ball->frames;
        if (++frames % 40 == 0) offset = std::rand() % 81 - 40;
        Point(std::clamp<int>((ball->rect.left + ball->rect.right) / 2 + offset, 0, 511),
              std::clamp<int>((ball->rect.top + ball->rect.bottom) / 2 - offset, 0, 511));
    }

    void Point(int x, int y) { user::input::PointerMove(window, POINT{x, y + user::Menu::kBarHeight}); }

    void Click(int x, int y)
    {
        const POINT at{x, y + user::Menu::kBarHeight};
        user::input::PointerMove(window, at);
        user::input::PointerButton(window, user::input::Button::Left, true, at);
        user::input::PointerButton(window, user::input::Button::Left, false, at);
    }

    bool match;
    int scale;
    bool scaled = false;
    HWND window = nullptr;
    Uint32 lastDrive = 0;
    Uint32 settleEnd = 0;
    Uint32 measureEnd = 0;
    double cpuStart = 0;
    Clock::time_point wallStart;
    int frames = 0;
    int offset = 0;
    unsigned int lastBallFrames = 0;
};

// args: driver (0 dummy, 1 x11), scale, match (0 intro, 1 match)
void RealWindow(benchmark::State& state)
{
    const bool x11 = state.range(0) == 1;
    if (x11 && !std::getenv("DISPLAY")) {
        state.SkipWithError("no DISPLAY for the X11 driver");
        return;
    }
    setenv("SDL_VIDEODRIVER", x11 ? "x11" : "dummy", 1);
    for (auto _ : state) {
        std::srand(3);
        MeasuredHost host(state.range(2) == 1, static_cast<int>(state.range(1)));
        if (!host.Ready()) {
            state.SkipWithError("SDL video did not start");
            return;
        }
        user::InstallHost(&host);
        WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
        const char* presenter = host.PresenterName();
        state.SetLabel(std::string(x11 ? "x11" : "dummy") + ", " + (presenter ? presenter : "no presenter"));
        user::ResetWindowSystem();
        user::InstallHost(nullptr);
        state.SetIterationTime(std::max(host.wall, 1e-3));
        state.counters["cpu_percent_of_a_core"] = host.wall > 0 ? 100.0 * host.cpu / host.wall : 0;
        if (state.range(2) == 1) state.counters["ball_steps_per_second"] = host.ballSteps / std::max(host.wall, 1e-3);
    }
}

BENCHMARK(RealWindow)
    ->ArgNames({"x11", "scale", "match"})
    ->ArgsProduct({{0, 1}, {1, 2}, {0, 1}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
