#include "platform/user/timer_table.h"

#include <algorithm>

namespace user {
namespace {

// Windows raises shorter periods to 10 ms.
constexpr DWORD kMinimumElapse = 10;

// Clock values wrap after 49.7 days; differences stay meaningful.
bool Reached(DWORD now, DWORD due)
{
    return static_cast<std::int32_t>(now - due) >= 0;
}

}  // namespace

UINT_PTR TimerTable::Set(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc, DWORD now)
{
    if (!window && id == 0) id = nextThreadTimerId++;
    const DWORD period = std::max<DWORD>(elapse, kMinimumElapse);
    const Timer timer{window, id, period, proc, now + period};
    const auto existing = std::find_if(timers.begin(), timers.end(),
                                       [&](const Timer& t) { return t.window == window && t.id == id; });
    if (existing != timers.end())
        *existing = timer;
    else
        timers.push_back(timer);
    return id;
}

bool TimerTable::Kill(HWND window, UINT_PTR id)
{
    return std::erase_if(timers, [&](const Timer& t) { return t.window == window && t.id == id; }) > 0;
}

void TimerTable::KillAll(HWND window)
{
    std::erase_if(timers, [&](const Timer& t) { return t.window == window; });
}

std::optional<MSG> TimerTable::TakeDue(HWND filterWindow, DWORD now, bool remove)
{
    Timer* first = nullptr;
    for (Timer& timer : timers) {
        if (filterWindow && timer.window != filterWindow) continue;
        if (!Reached(now, timer.due)) continue;
        if (!first || static_cast<std::int32_t>(timer.due - first->due) < 0) first = &timer;
    }
    if (!first) return std::nullopt;
    const MSG msg{first->window, WM_TIMER, first->id, reinterpret_cast<LPARAM>(first->proc), now, {}};
    if (remove) {
        const DWORD missed = (now - first->due) / first->elapse;
        first->due += (missed + 1) * first->elapse;
    }
    return msg;
}

TIMERPROC TimerTable::ProcOf(HWND window, UINT_PTR id) const
{
    for (const Timer& timer : timers)
        if (timer.window == window && timer.id == id) return timer.proc;
    return nullptr;
}

std::optional<DWORD> TimerTable::TimeToNext(DWORD now) const
{
    std::optional<DWORD> soonest;
    for (const Timer& timer : timers) {
        const DWORD wait = Reached(now, timer.due) ? 0 : timer.due - now;
        if (!soonest || wait < *soonest) soonest = wait;
    }
    return soonest;
}

}  // namespace user
