#pragma once
// A run of the window system on the headless host, for tests and the replay tool.
//
//   headless::Session session;            // installs the host; fresh window system
//   headless::Program program(session);   // WinMain on its own thread, run until idle
//   program.Frames(5);                    // five timer ticks with their paints
//   program.Click(250, 330);              // client coordinates
//   EXPECT_EQ(session.Pixel(10, 10), RGB(0, 0, 0));
//   program.Tap(VK_ESCAPE);
//   EXPECT_TRUE(program.Finished());
//   EXPECT_EQ(program.ExitCode(), 0);
//
// Input is injected into the session and reaches the program the next time it looks
// for messages; the Program's helpers inject and then let it run until it waits again.
// Code that drives the message loop itself (unit tests) uses the Session alone.

#include "platform/gdi/gdi32.h"
#include "platform/host/headless/headless_host.h"

#include <functional>
#include <optional>

namespace headless {

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    HeadlessHost& Host() { return host; }

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
    void Focus(bool gained);
    void Close();

    // The window input goes to, and its pixels.
    HWND Window() const { return host.Target(); }
    // The client pixel as a COLORREF, or CLR_INVALID outside the client area.
    COLORREF Pixel(int x, int y) const;
    const gdi::Surface* Client() const;
    const gdi::Surface* PresentedFrame() const { return host.PresentedFrame(Window()); }
    const std::vector<RecordedBox>& Boxes() const { return host.Boxes(); }
    void SetWorkArea(RECT area) { host.SetWorkArea(area); }

private:
    POINT FrameOfClient(int x, int y) const;

    HeadlessHost host;
    POINT pointer{};  // frame coordinates of the last move
};

// A program entry point: WinMain or a test's stand-in with the same signature.
using EntryPoint = int (*)(HINSTANCE, HINSTANCE, LPSTR, int);

// Runs an entry point on its own thread under a session, handing control back and
// forth so that only one side runs at a time: the program runs until it would wait
// for input or time, then the caller acts, then the program runs again.
class Program {
public:
    explicit Program(Session& session, EntryPoint entry = WinMain);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Lets the program run until it waits again (or ends).
    void Run();
    // n timer ticks: each moves the clock to the next timer (by one 20 ms frame when
    // no timer is set) and runs the program.
    void Frames(int n);

    // Inject, then Run.
    void MoveTo(int x, int y);
    void Press(user::input::Button button);
    void Release(user::input::Button button);
    // Move, press, one frame, release.
    void Click(int x, int y);
    void KeyDown(UINT vk);
    void KeyUp(UINT vk);
    void Tap(UINT vk);
    void Focus(bool gained);
    void Command(WORD id);
    // Chooses the menu item with this text (without '&' and shortcut) as the user
    // would: with the pointer on the bar and in the pop-up. False when there is none.
    bool Menu(const std::string& text);

    bool Finished() const;
    std::optional<int> ExitCode() const;

private:
    struct Handoff;
    bool IdleHook();

    Session& session;
    std::unique_ptr<Handoff> handoff;
};

}  // namespace headless
