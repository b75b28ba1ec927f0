#include "platform/user/host.h"
#include "platform/user/keyboard_layout.h"
#include "platform/user/window_system.h"

#include <cctype>

using user::System;

namespace {

// The first window, among those the filter accepts, with something left to paint.
std::optional<MSG> PendingPaint(const user::MessageFilter& filter)
{
    if (!filter.AcceptsMessage(WM_PAINT)) return std::nullopt;
    std::optional<MSG> paint;
    System().windows.ForEach([&](const user::Window& window) {
        if (paint || !window.visible || window.destroying || !window.NeedsPaint()) return;
        if (filter.window && filter.window != window.handle) return;
        paint = MSG{window.handle, WM_PAINT, 0, 0, user::Now(), {}};
    });
    return paint;
}

// The next message by Windows' priorities: posted, input, quit, paint, timer. WM_PAINT
// stays pending until the window is validated; a timer message starts the next period.
std::optional<MSG> NextMessage(const user::MessageFilter& filter, bool remove)
{
    user::WindowSystem& system = System();
    if (auto msg = system.queue.Take(filter, remove)) {
        if (remove) system.input.Took(*msg);
        return msg;
    }
    if (auto code = system.queue.QuitCode()) {
        if (remove) system.queue.ClearQuit();
        return MSG{nullptr, WM_QUIT, static_cast<WPARAM>(*code), 0, user::Now(), {}};
    }
    if (auto paint = PendingPaint(filter)) return paint;
    if (!filter.AcceptsMessage(WM_TIMER)) return std::nullopt;
    return system.timers.TakeDue(filter.window, user::Now(), remove);
}

// Lets the host deliver its events; false when it wants the program to end.
void PumpHost(DWORD timeout)
{
    user::Host* host = user::TheHost();
    if (host && !host->WaitForEvents(timeout)) System().queue.PostQuit(0);
}

DWORD TimeToWait()
{
    const std::optional<DWORD> next = System().timers.TimeToNext(user::Now());
    return next ? *next : user::kWaitForever;
}

void Stamp(MSG& msg)
{
    msg.pt = System().input.pointer;
}

}  // namespace

BOOL GetMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax)
{
    if (!msg) return -1;
    const user::MessageFilter filter{window, filterMin, filterMax};
    PumpHost(0);
    for (;;) {
        if (auto next = NextMessage(filter, true)) {
            *msg = *next;
            Stamp(*msg);
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        user::PresentDirtyFrames();
        if (!user::TheHost()) {
            // Nothing can ever arrive: end the loop rather than hang.
            System().queue.PostQuit(0);
            continue;
        }
        PumpHost(TimeToWait());
    }
}

BOOL PeekMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMsg)
{
    if (!msg) return FALSE;
    PumpHost(0);
    const auto next = NextMessage(user::MessageFilter{window, filterMin, filterMax}, removeMsg & PM_REMOVE);
    if (!next) {
        user::PresentDirtyFrames();
        return FALSE;
    }
    *msg = *next;
    Stamp(*msg);
    return TRUE;
}

namespace {

bool IsKeyDown(UINT message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

bool IsKeyMessage(UINT message)
{
    return IsKeyDown(message) || message == WM_KEYUP || message == WM_SYSKEYUP;
}

// The character a key press types: Ctrl with a letter gives its control code.
char TypedCharacter(UINT vk)
{
    const user::InputState& input = System().input;
    if (input.KeyDownAsOfMessage(VK_CONTROL) && vk >= 'A' && vk <= 'Z') return static_cast<char>(vk - 'A' + 1);
    return user::CharacterOfKey(vk, input.KeyDownAsOfMessage(VK_SHIFT));
}

}  // namespace

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || !IsKeyMessage(msg->message)) return FALSE;
    if (!IsKeyDown(msg->message)) return TRUE;
    const char character = TypedCharacter(static_cast<UINT>(msg->wParam));
    if (character == 0) return TRUE;
    const UINT charMessage = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    System().queue.Post(MSG{msg->hwnd, charMessage, static_cast<unsigned char>(character), msg->lParam, msg->time, msg->pt});
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        // Only a callback that the timer was really set with is called, never a number
        // that someone posted.
        const TIMERPROC proc = System().timers.ProcOf(msg->hwnd, msg->wParam);
        if (proc && reinterpret_cast<LPARAM>(proc) == msg->lParam) proc(msg->hwnd, WM_TIMER, msg->wParam, user::Now());
        return 0;
    }
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const user::Window* target = user::FindWindow(window);
    if (!target || !target->procedure) return 0;
    return target->procedure(window, message, wParam, lParam);
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !user::FindWindow(window)) return FALSE;
    System().queue.Post(MSG{window, message, wParam, lParam, user::Now(), System().input.pointer});
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    System().queue.PostQuit(exitCode);
}

DWORD GetTickCount()
{
    return user::Now();
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (window && !IsWindow(window)) return 0;
    const UINT_PTR set = System().timers.Set(window, id, elapse, proc, user::Now());
    return window && id == 0 ? 1 : set;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    return System().timers.Kill(window, id);
}
