#pragma once
// The host without a display: a clock that moves only when told, input that arrives
// only when injected, windows whose presented frames are kept for reading, message
// boxes that are recorded, written to standard error and answered at once.

#include "platform/gdi/surface.h"
#include "platform/user/host.h"
#include "platform/user/input.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace headless {

struct RecordedBox {
    std::string caption;
    std::string text;
    UINT type;
    int answer;
};

// One injected event, delivered when the program next looks for messages.
struct InjectedEvent {
    enum class Kind { Move, Button, Key, Focus, Close, Wheel } kind;
    POINT frame{};  // Move, Button
    user::input::Button button = user::input::Button::Left;
    UINT vk = 0;         // Key
    bool down = false;   // Button, Key, Focus (gained)
    bool repeat = false; // Key
    DWORD time = 0;      // the clock when it was injected
    int delta = 0;       // Wheel: WHEEL_DELTA a notch
};

class HeadlessHost : public user::Host {
public:
    // Called when the program has nothing to do and would wait; returns false to end
    // the program. Without a hook, waiting moves the clock on by the wait's length, and
    // a wait without end ends the program.
    using IdleHook = std::function<bool()>;

    DWORD Now() override { return clock; }
    bool WaitForEvents(DWORD timeoutMs) override;
    void OpenWindow(HWND window, const std::string& title, POINT position, int width, int height) override;
    void CloseWindow(HWND window) override;
    void ShowWindow(HWND, bool) override {}
    void MinimizeWindow(HWND) override {}
    void Present(HWND window, const user::FrameView& frame, const std::vector<RECT>& damage) override;
    int ShowBox(HWND owner, const user::Box& box) override;
    void SetCursorVisible(bool visible) override { cursorVisible = visible; }
    void ConfineCursor(HWND, const RECT* frameRect) override { confined = frameRect != nullptr; }
    RECT WorkArea() override { return workArea; }
    POINT FrameOrigin(HWND window) override;

    DWORD Clock() const { return clock; }
    void Advance(DWORD ms) { clock += ms; }
    // The event happens now: while it is delivered, the clock reads its time.
    void Inject(InjectedEvent event)
    {
        event.time = clock;
        pending.push_back(event);
    }
    // The window injected events go to: the newest visible window.
    HWND Target() const;
    void SetIdleHook(IdleHook hook) { idle = std::move(hook); }
    void SetWorkArea(RECT area) { workArea = area; }

    const std::vector<RecordedBox>& Boxes() const { return boxes; }
    // The window's picture as presents built it up, or null before the first: each
    // present copies in only its damaged rectangles, so damage that misses a changed
    // pixel leaves a stale one here.
    const gdi::Surface* PresentedFrame(HWND window) const;
    int PresentCount() const { return presents; }
    // The damaged rectangles of the last present, in frame coordinates.
    const std::vector<RECT>& LastDamage() const { return lastDamage; }
    bool CursorVisible() const { return cursorVisible; }
    bool CursorConfined() const { return confined; }

private:
    bool DeliverPending();
    void Deliver(const InjectedEvent& event);

    DWORD clock = 0;
    RECT workArea{0, 0, 1920, 1080};
    std::deque<InjectedEvent> pending;
    IdleHook idle;
    std::map<HWND, POINT> origins;
    std::map<HWND, std::unique_ptr<gdi::Surface>> frames;
    std::vector<RecordedBox> boxes;
    int presents = 0;
    std::vector<RECT> lastDamage;
    bool cursorVisible = true;
    bool confined = false;
};

}  // namespace headless
