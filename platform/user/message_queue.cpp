#include "platform/user/message_queue.h"

#include <algorithm>

namespace user {
namespace {

std::optional<MSG> TakeFrom(std::deque<MSG>& queue, const MessageFilter& filter, bool remove)
{
    const auto found = std::find_if(queue.begin(), queue.end(), [&](const MSG& msg) { return filter.Accepts(msg); });
    if (found == queue.end()) return std::nullopt;
    const MSG msg = *found;
    if (remove) queue.erase(found);
    return msg;
}

void DropFrom(std::deque<MSG>& queue, HWND window)
{
    std::erase_if(queue, [&](const MSG& msg) { return msg.hwnd == window; });
}

}  // namespace

bool MessageFilter::AcceptsMessage(UINT message) const
{
    if (first == 0 && last == 0) return true;
    return message >= first && message <= last;
}

bool MessageFilter::Accepts(const MSG& msg) const
{
    if (window && msg.hwnd != window) return false;
    return AcceptsMessage(msg.message);
}

void MessageQueue::PostInput(const MSG& msg)
{
    if (msg.message == WM_MOUSEMOVE && !input.empty()) {
        MSG& last = input.back();
        if (last.message == WM_MOUSEMOVE && last.hwnd == msg.hwnd && last.wParam == msg.wParam) {
            last = msg;
            return;
        }
    }
    input.push_back(msg);
}

std::optional<MSG> MessageQueue::Take(const MessageFilter& filter, bool remove)
{
    if (auto msg = TakeFrom(posted, filter, remove)) return msg;
    return TakeFrom(input, filter, remove);
}

void MessageQueue::DropWindow(HWND window)
{
    DropFrom(posted, window);
    DropFrom(input, window);
}

void MessageQueue::Clear()
{
    posted.clear();
    input.clear();
    quitCode.reset();
}

}  // namespace user
