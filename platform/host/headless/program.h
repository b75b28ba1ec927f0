#pragma once
// A whole program (WinMain) on the headless host:
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
// The Program's helpers inject into the session and then let the program run until it
// waits again.

#include "platform/host/headless/session.h"

#include <memory>
#include <optional>
#include <string>

namespace headless {

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
    void Wheel(int notches);
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
