#pragma once
// Window timers. A timer that comes due sets its one pending WM_TIMER; however late the
// loop is, it gets one message, and the timer's next period starts at the next multiple
// of its period after now, as Windows keeps the cadence without queueing missed ticks.

#include "platform/user/user32.h"

#include <optional>
#include <vector>

namespace user {

class TimerTable {
public:
    // Sets or resets the timer (window, id); returns the id, made up when window is null.
    UINT_PTR Set(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc, DWORD now);
    bool Kill(HWND window, UINT_PTR id);
    void KillAll(HWND window);
    void Clear() { timers.clear(); }

    // The WM_TIMER of the timer that came due first, among those the filter accepts; it
    // starts the timer's next period when removed.
    std::optional<MSG> TakeDue(HWND filterWindow, DWORD now, bool remove);
    // The callback the timer (window, id) was set with, or null.
    TIMERPROC ProcOf(HWND window, UINT_PTR id) const;
    // Milliseconds until the next timer comes due (0 when one is due), or none.
    std::optional<DWORD> TimeToNext(DWORD now) const;

private:
    struct Timer {
        HWND window;
        UINT_PTR id;
        DWORD elapse;
        TIMERPROC proc;
        DWORD due;
    };
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimerId = 1;
};

}  // namespace user
