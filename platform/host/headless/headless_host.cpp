#include "platform/host/headless/headless_host.h"

#include "platform/user/frame_damage.h"

#include "platform/user/window_system.h"

#include <cstdio>
#include <cstring>

namespace headless {

bool HeadlessHost::WaitForEvents(DWORD timeoutMs)
{
    if (DeliverPending() || timeoutMs == 0) return true;
    if (idle) {
        const bool goOn = idle();
        DeliverPending();
        return goOn;
    }
    if (timeoutMs == user::kWaitForever) return false;
    clock += timeoutMs;
    return true;
}

bool HeadlessHost::DeliverPending()
{
    const bool any = !pending.empty();
    while (!pending.empty()) {
        const InjectedEvent event = pending.front();
        pending.pop_front();
        const DWORD now = clock;
        clock = event.time;
        Deliver(event);
        clock = now;
    }
    return any;
}

void HeadlessHost::Deliver(const InjectedEvent& event)
{
    const HWND window = Target();
    switch (event.kind) {
    case InjectedEvent::Kind::Move:
        user::input::PointerMove(window, event.frame);
        break;
    case InjectedEvent::Kind::Button:
        user::input::PointerButton(window, event.button, event.down, event.frame);
        break;
    case InjectedEvent::Kind::Key:
        user::input::Key(event.vk, event.down, event.repeat);
        break;
    case InjectedEvent::Kind::Focus:
        user::input::Focus(window, event.down);
        break;
    case InjectedEvent::Kind::Wheel:
        user::input::Wheel(window, event.delta);
        break;
    case InjectedEvent::Kind::Close:
        user::input::CloseRequested(window);
        break;
    }
}

HWND HeadlessHost::Target() const
{
    return user::System().windows.Newest();
}

void HeadlessHost::OpenWindow(HWND window, const std::string&, POINT position, int, int)
{
    origins[window] = position;
}

void HeadlessHost::CloseWindow(HWND window)
{
    origins.erase(window);
    frames.erase(window);
}

POINT HeadlessHost::FrameOrigin(HWND window)
{
    const auto found = origins.find(window);
    return found == origins.end() ? POINT{0, 0} : found->second;
}

void HeadlessHost::Present(HWND window, const user::FrameView& frame, const std::vector<RECT>& damage)
{
    std::unique_ptr<gdi::Surface>& kept = frames[window];
    if (!kept || kept->Width() != frame.Width() || kept->Height() != frame.Height())
        kept = std::make_unique<gdi::Surface>(frame.Width(), frame.Height(), false);
    user::CopyParts(frame, damage, *kept);
    lastDamage = damage;  // reuses its storage: no allocation per frame
    ++presents;
}

const gdi::Surface* HeadlessHost::PresentedFrame(HWND window) const
{
    const auto found = frames.find(window);
    return found == frames.end() ? nullptr : found->second.get();
}

int HeadlessHost::ShowBox(HWND, const user::Box& box)
{
    int answer = box.buttons.empty() ? IDOK : box.buttons.front().id;
    for (const user::BoxButton& button : box.buttons)
        if (button.isDefault) answer = button.id;
    boxes.push_back(RecordedBox{box.caption, box.text, box.type, answer});
    std::fprintf(stderr, "[message box] %s: %s\n", box.caption.c_str(), box.text.c_str());
    return answer;
}

}  // namespace headless
