#include "tests/user/window_fixture.h"

#include <algorithm>
#include <vector>

namespace {

using Button = user::input::Button;

class MessageLoopTest : public WindowTest {};

TEST_F(MessageLoopTest, PostedThenInputThenPaintThenDueTimer)
{
    HWND window = MakeWindow();
    Pump();
    SetTimer(window, 7, 20, nullptr);
    session.Advance(25);
    InvalidateRect(window, nullptr, FALSE);
    session.MoveTo(10, 10);
    PostMessage(window, WM_USER, 0, 0);

    EXPECT_EQ(Pump(), (std::vector<UINT>{WM_USER, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
}

TEST_F(MessageLoopTest, PaintWaitsWhileAnythingElseIsQueued)
{
    HWND window = MakeWindow();
    Pump();
    InvalidateRect(window, nullptr, FALSE);
    Handler() = [](HWND w, UINT message, WPARAM, LPARAM) {
        // Each posted message posts the next one; the paint comes after the last.
        if (message == WM_USER) PostMessage(w, WM_USER + 1, 0, 0);
        return false;
    };
    PostMessage(window, WM_USER, 0, 0);
    EXPECT_EQ(Pump(), (std::vector<UINT>{WM_USER, WM_USER + 1, WM_PAINT}));
}

TEST_F(MessageLoopTest, OneTimerMessagePerPeriodHoweverLate)
{
    HWND window = MakeWindow();
    Pump();
    SetTimer(window, 1, 20, nullptr);
    session.Advance(200);  // ten periods late
    EXPECT_EQ(Pump(), (std::vector<UINT>{WM_TIMER}));
    EXPECT_EQ(Pump(), (std::vector<UINT>{}));
    // The cadence is kept: the next tick is at the next multiple of the period.
    session.Advance(19);
    EXPECT_EQ(Pump(), (std::vector<UINT>{}));
    session.Advance(1);
    EXPECT_EQ(Pump(), (std::vector<UINT>{WM_TIMER}));
}

TEST_F(MessageLoopTest, GetMessageSleepsUntilTheTimerIsDue)
{
    HWND window = MakeWindow();
    Pump();
    SetTimer(window, 1, 20, nullptr);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(session.Now(), 20u);  // the wait ended exactly when the timer came due
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(session.Now(), 40u);
}

TEST_F(MessageLoopTest, KilledAndResetTimers)
{
    HWND window = MakeWindow();
    Pump();
    SetTimer(window, 1, 20, nullptr);
    EXPECT_TRUE(KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 1));
    session.Advance(100);
    EXPECT_EQ(Pump(), (std::vector<UINT>{}));

    SetTimer(window, 2, 50, nullptr);
    session.Advance(40);
    SetTimer(window, 2, 50, nullptr);  // setting it again restarts its period
    session.Advance(40);
    EXPECT_EQ(Pump(), (std::vector<UINT>{}));
    session.Advance(10);
    EXPECT_EQ(Pump(), (std::vector<UINT>{WM_TIMER}));
}

TEST_F(MessageLoopTest, QuitEndsGetMessageWithItsCode)
{
    MakeWindow();
    PostQuitMessage(3);
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageLoopTest, AWaitWithNothingToComeEndsTheLoopInsteadOfHanging)
{
    MakeWindow();
    Pump();
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
}

int callbackTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD)
{
    ++callbackTicks;
}

TEST_F(MessageLoopTest, TimerCallbacksRunOnDispatchAndForgedOnesNever)
{
    HWND window = MakeWindow();
    Pump();
    callbackTicks = 0;
    SetTimer(window, 4, 20, CountTick);
    session.Advance(20);
    Pump();
    EXPECT_EQ(callbackTicks, 1);
    EXPECT_TRUE(ReceivedOf(WM_TIMER).empty());

    // A posted WM_TIMER carrying an address is not a call.
    PostMessage(window, WM_TIMER, 4, reinterpret_cast<LPARAM>(&callbackTicks));
    PostMessage(window, WM_TIMER, 99, 12345);
    Pump();
    EXPECT_EQ(callbackTicks, 1);
}

TEST_F(MessageLoopTest, InputForAWindowThatWentIsDropped)
{
    HWND window = MakeWindow();
    Pump();
    session.MoveTo(5, 5);
    PostMessage(window, WM_USER, 0, 0);
    MSG peek;
    PeekMessage(&peek, nullptr, WM_USER + 50, WM_USER + 50, PM_NOREMOVE);  // lets the move arrive
    DestroyWindow(window);
    const std::vector<UINT> taken = Pump();
    EXPECT_TRUE(std::find(taken.begin(), taken.end(), WM_USER) == taken.end());
    EXPECT_TRUE(std::find(taken.begin(), taken.end(), WM_MOUSEMOVE) == taken.end());
}

}  // namespace
