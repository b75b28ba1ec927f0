#include "platform/host/headless/session.h"

#include "platform/user/window_system.h"


namespace headless {

using Kind = InjectedEvent::Kind;

Session::Session()
{
    user::ResetWindowSystem();
    user::InstallHost(&host);
    sound::InstallOutput(&sound);
    xinput::InstallPadHost(&pads);
}

Session::~Session()
{
    user::ResetWindowSystem();
    user::InstallHost(nullptr);
    sound::InstallOutput(nullptr);
    xinput::InstallPadHost(nullptr);
}

DWORD Session::Now() const
{
    return host.Clock();
}

bool Session::AdvanceToNextTimer()
{
    const std::optional<DWORD> wait = user::System().timers.TimeToNext(Now());
    if (!wait) return false;
    host.Advance(*wait);
    return true;
}

POINT Session::FrameOfClient(int x, int y) const
{
    const user::Window* window = user::FindWindow(Window());
    return POINT{x, y + (window ? window->MenuBarHeight() : 0)};
}

void Session::MoveTo(int x, int y)
{
    const POINT frame = FrameOfClient(x, y);
    MoveToFrame(frame.x, frame.y);
}

void Session::MoveToFrame(int x, int y)
{
    pointer = POINT{x, y};
    host.Inject(InjectedEvent{Kind::Move, pointer});
}

void Session::Press(user::input::Button button)
{
    host.Inject(InjectedEvent{Kind::Button, pointer, button, 0, true});
}

void Session::Release(user::input::Button button)
{
    host.Inject(InjectedEvent{Kind::Button, pointer, button, 0, false});
}

void Session::KeyDown(UINT vk, bool repeat)
{
    host.Inject(InjectedEvent{Kind::Key, {}, {}, vk, true, repeat});
}

void Session::KeyUp(UINT vk)
{
    host.Inject(InjectedEvent{Kind::Key, {}, {}, vk, false});
}

void Session::Wheel(int notches)
{
    InjectedEvent event{Kind::Wheel, pointer};
    event.delta = notches * WHEEL_DELTA;
    host.Inject(event);
}

void Session::Focus(bool gained)
{
    host.Inject(InjectedEvent{Kind::Focus, {}, {}, 0, gained});
}

void Session::Close()
{
    host.Inject(InjectedEvent{Kind::Close});
}

const gdi::Surface* Session::Client() const
{
    const user::Window* window = user::FindWindow(Window());
    return window ? &window->client : nullptr;
}

// Read from what was presented, so that a change the window system failed to present
// shows as a stale pixel; before the first present, from the client area itself.
COLORREF Session::Pixel(int x, int y) const
{
    const gdi::Surface* client = Client();
    if (!client || x < 0 || y < 0 || x >= client->Width() || y >= client->Height()) return CLR_INVALID;
    const gdi::Surface* presented = PresentedFrame();
    const POINT frame = FrameOfClient(x, y);
    if (!presented || frame.y >= presented->Height() || x >= presented->Width())
        return gdi::ColorFromPixel(client->Row(y)[x]);
    return gdi::ColorFromPixel(presented->Row(frame.y)[x]);
}

}  // namespace headless
