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

// The SDL host under SDL's dummy driver, installed on a fresh window system, with a
// window class "SdlTest" of the procedure.
class DummyHost {
public:
    explicit DummyHost(WNDPROC procedure)
    {
        user::ResetWindowSystem();
        user::InstallHost(&host);
        WNDCLASSEX wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = procedure;
        wc.lpszClassName = "SdlTest";
        registered = RegisterClassEx(&wc) != 0;
    }
    ~DummyHost()
    {
        user::ResetWindowSystem();
        user::InstallHost(nullptr);
    }
    DummyHost(const DummyHost&) = delete;
    DummyHost& operator=(const DummyHost&) = delete;

    bool Ready() const { return host.Ready() && registered; }

private:
    static bool DummyDriver() { return setenv("SDL_VIDEODRIVER", "dummy", 1) == 0; }

    bool driverChosen = DummyDriver();

public:
    sdlhost::SdlHost host;

private:
    bool registered = false;
};

TEST(SdlHostTest, DummyDriverWindowTicksPaintsAndGoes)
{
    DummyHost dummy(Procedure);
    ASSERT_TRUE(dummy.Ready());
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
}

// Window points map to frame pixels through the whole scale and the bars around the
// picture, and back.
TEST(PlacementTest, LargestWholeScaleCentredAndPointsMapBothWays)
{
    const sdlhost::Placement where = sdlhost::Placement::Fit(1280, 1024, 512, 532);
    EXPECT_EQ(where.scale, 1);
    EXPECT_EQ(where.left, 384);
    EXPECT_EQ(where.top, 246);
    const sdlhost::Placement twice = sdlhost::Placement::Fit(1100, 1100, 512, 532);
    EXPECT_EQ(twice.scale, 2);
    EXPECT_EQ(twice.left, 38);
    EXPECT_EQ(twice.top, 18);
    EXPECT_EQ(twice.ToFrame(38, 18, 512, 532)->x, 0);
    EXPECT_EQ(twice.ToFrame(39 + 2 * 511, 19 + 2 * 531, 512, 532)->y, 531);
    EXPECT_FALSE(twice.ToFrame(37, 100, 512, 532)) << "on the bar left of the picture";
    EXPECT_FALSE(twice.ToFrame(38 + 2 * 512, 100, 512, 532)) << "on the bar right of it";
    const SDL_Rect shown = twice.ToWindow(RECT{10, 20, 30, 25});
    EXPECT_EQ(shown.x, 58);
    EXPECT_EQ(shown.y, 58);
    EXPECT_EQ(shown.w, 40);
    EXPECT_EQ(shown.h, 10);
    EXPECT_EQ(sdlhost::Placement::Fit(300, 300, 512, 532).scale, 1) << "never below 1";
}

// In full screen the frame's first rows (the menu bar) are not shown: the client area
// alone is scaled and centred, and points map to it.
TEST(PlacementTest, HiddenRowsAreLeftOutOfThePicture)
{
    const sdlhost::Placement where = sdlhost::Placement::Fit(1920, 1080, 512, 532, 20);
    EXPECT_EQ(where.scale, 2) << "512 rows of 532 shown";
    EXPECT_EQ(where.left, 448);
    EXPECT_EQ(where.top, 28);
    EXPECT_EQ(where.ToFrame(448, 28, 512, 532)->y, 20) << "the client area's first row at the top";
    EXPECT_EQ(where.ToFrame(449 + 2 * 511, 29 + 2 * 511, 512, 532)->y, 531);
    EXPECT_FALSE(where.ToFrame(500, 27, 512, 532)) << "above the picture";
    const SDL_Rect shown = where.ToWindow(where.Shown(RECT{0, 0, 512, 30}));
    EXPECT_EQ(shown.y, 28);
    EXPECT_EQ(shown.h, 20) << "the damage's ten client rows, the bar's left out";
    const RECT bar = where.Shown(RECT{0, 0, 512, 20});
    EXPECT_GE(bar.top, bar.bottom) << "the bar alone: nothing shown";
}

LRESULT CALLBACK RedSquare(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) return DefWindowProc(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, red);
    Rectangle(dc, 10, 10, 100, 100);
    SelectObject(dc, old);
    DeleteObject(red);
    EndPaint(window, &paint);
    return 0;
}

// Under the dummy driver the frame goes through the window surface, scaled by our own
// code: at 2x each client pixel is a 2 x 2 block of the surface.
TEST(SdlHostTest, TheWindowSurfaceShowsTheFrameAtTwiceItsSize)
{
    DummyHost dummy(RedSquare);
    ASSERT_TRUE(dummy.Ready());
    sdlhost::SdlHost& host = dummy.host;
    HWND window = CreateWindow("SdlTest", "Scaled", WS_CAPTION, 0, 0, 512, 512, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    ASSERT_STREQ(host.PresenterName(), "surface");
    host.SetScale(2);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);

    SDL_Surface* surface = SDL_GetWindowSurface(host.Window());
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->format->BytesPerPixel, 4);
    const auto pixel = [&](int x, int y) {
        return static_cast<const std::uint32_t*>(surface->pixels)[y * surface->pitch / 4 + x] & 0xFFFFFF;
    };
    int frameHeight = 0;
    SDL_GetWindowSize(host.Window(), nullptr, &frameHeight);
    const int top = frameHeight - 2 * 512;  // the menu bar, if any, is above the client area
    EXPECT_EQ(pixel(2 * 50, top + 2 * 50), 0xFF0000u) << "inside the square";
    EXPECT_EQ(pixel(2 * 50 + 1, top + 2 * 50 + 1), 0xFF0000u);
    EXPECT_EQ(pixel(2 * 10, top + 2 * 50), 0x000000u) << "its one-pixel black border, two pixels wide";
    EXPECT_EQ(pixel(2 * 10 + 1, top + 2 * 50), 0x000000u);
    EXPECT_NE(pixel(2 * 9 + 1, top + 2 * 50), 0xFF0000u) << "outside it";
    DestroyWindow(window);
}

}  // namespace
