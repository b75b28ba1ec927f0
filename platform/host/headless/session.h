#pragma once
// A run of the window system on the headless host, for tests and the replay tool:
// while a Session lives, its host is installed and the window system starts fresh.
// Input is injected into the session and reaches the program the next time it looks
// for messages. Code that drives the message loop itself (unit tests) uses the Session
// alone; a whole program runs under a headless::Program (program.h).

#include "platform/gdi/gdi32.h"
#include "platform/host/headless/headless_host.h"
#include "platform/host/headless/headless_sound.h"
#include "platform/host/headless/headless_pads.h"


namespace headless {

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    HeadlessHost& Host() { return host; }
    // The pads the program reads through XInput; none is plugged in at the start.
    HeadlessPads& Pads() { return pads; }

    DWORD Now() const;
    void Advance(DWORD ms) { host.Advance(ms); }
    // Moves the clock to when the next timer comes due; false (and no move) when no
    // timer is set.
    bool AdvanceToNextTimer();

    // Input, in client coordinates of the newest visible window.
    void MoveTo(int x, int y);
    // In frame coordinates: (0, 0) is the top-left of the menu bar.
    void MoveToFrame(int x, int y);
    void Press(user::input::Button button);
    void Release(user::input::Button button);
    void KeyDown(UINT vk, bool repeat = false);
    void KeyUp(UINT vk);
    // The wheel turns `notches` notches, away from the user when positive.
    void Wheel(int notches);
    void Focus(bool gained);
    void Close();

    // The window input goes to, and its pixels.
    HWND Window() const { return host.Target(); }
    // The client pixel as a COLORREF (as last presented, once anything was), or
    // CLR_INVALID outside the client area.
    COLORREF Pixel(int x, int y) const;
    const gdi::Surface* Client() const;
    const gdi::Surface* PresentedFrame() const { return host.PresentedFrame(Window()); }
    const std::vector<RecordedBox>& Boxes() const { return host.Boxes(); }
    void SetWorkArea(RECT area) { host.SetWorkArea(area); }
    // Every sound the program started, with the clock's time.
    const std::vector<PlayedSound>& Sounds() const { return sound.Played(); }

private:
    POINT FrameOfClient(int x, int y) const;

    HeadlessHost host;
    HeadlessSound sound{[this] { return host.Clock(); }};
    HeadlessPads pads;
    POINT pointer{};  // frame coordinates of the last move
};

}  // namespace headless
