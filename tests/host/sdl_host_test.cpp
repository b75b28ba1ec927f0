// The SDL host under SDL's dummy video driver: a window through its life.

#include "platform/host/sdl/sdl_host.h"
#include "platform/user/window_system.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

std::vector<UINT> seen;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    seen.push_back(message);
    switch (message) {
    case WM_TIMER:
        InvalidateRect(window, nullptr, FALSE);
        if (std::count(seen.begin(), seen.end(), WM_TIMER) == 3) DestroyWindow(window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Rectangle(dc, 10, 10, 100, 100);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(5);
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

TEST(SdlHostTest, DummyDriverWindowTicksPaintsAndGoes)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    user::ResetWindowSystem();
    sdlhost::SdlHost host;
    ASSERT_TRUE(host.Ready());
    user::InstallHost(&host);

    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Procedure;
    wc.lpszClassName = "SdlTest";
    ASSERT_NE(RegisterClassEx(&wc), 0);
    RECT work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_GT(work.right - work.left, 0);
    HWND window = CreateWindow("SdlTest", "Test", WS_CAPTION, 0, 0, 512, 512, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    const DWORD start = GetTickCount();
    ASSERT_NE(SetTimer(window, 1, 20, nullptr), 0u);
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    // The dummy driver shows no boxes: the text goes to standard error, answered OK.
    EXPECT_EQ(MessageBox(window, "text", "caption", MB_ICONERROR), IDOK);

    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
    const DWORD elapsed = GetTickCount() - start;

    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_TIMER), 3);
    EXPECT_GE(std::count(seen.begin(), seen.end(), WM_PAINT), 3);
    EXPECT_EQ(seen.front(), WM_CREATE);
    EXPECT_EQ(seen.back(), WM_DESTROY);
    EXPECT_GE(elapsed, 55u);  // three real 20 ms periods at the least
    EXPECT_FALSE(IsWindow(window));
    user::ResetWindowSystem();
    user::InstallHost(nullptr);
}

}  // namespace
