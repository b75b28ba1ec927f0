#pragma once
// The thread's message queue: posted messages first, then input, then the quit flag.
// WM_PAINT and WM_TIMER are never stored here; GetMessage makes them when nothing else
// waits (see message_loop.cpp).

#include "platform/user/user32.h"

#include <deque>
#include <optional>

namespace user {

struct MessageFilter {
    HWND window;
    UINT first;
    UINT last;

    // Win32's rules: a null window takes any window's messages, and 0, 0 any message.
    bool Accepts(const MSG& msg) const;
    bool AcceptsMessage(UINT message) const;
};

class MessageQueue {
public:
    void Post(const MSG& msg) { posted.push_back(msg); }
    // A pointer move that comes while the move before it still waits takes its place,
    // as long as the buttons and keys held are the same: only where the pointer is now
    // is news, and a fast mouse may move hundreds of times a second.
    void PostInput(const MSG& msg);
    void PostQuit(int exitCode) { quitCode = exitCode; }

    // The first posted, then the first input message that the filter accepts.
    std::optional<MSG> Take(const MessageFilter& filter, bool remove);
    std::optional<int> QuitCode() const { return quitCode; }
    void ClearQuit() { quitCode.reset(); }
    // Forgets every message for a window that is gone.
    void DropWindow(HWND window);
    void Clear();

private:
    std::deque<MSG> posted;
    std::deque<MSG> input;
    std::optional<int> quitCode;
};

}  // namespace user
