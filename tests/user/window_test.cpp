#include "tests/user/window_fixture.h"

#include "platform/gdi/surface.h"
#include "platform/user/menu.h"

#include <vector>

namespace {

class WindowLifeTest : public WindowTest {};

TEST_F(WindowLifeTest, CreateSendsWmCreateFromInsideAndDestroySendsWmDestroy)
{
    std::vector<std::string> events;
    Handler() = [&](HWND, UINT message, WPARAM, LPARAM lParam) {
        if (message == WM_CREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
            events.push_back(std::string("create ") + create->lpszName);
        }
        if (message == WM_DESTROY) events.push_back("destroy");
        return false;
    };
    HWND window = MakeWindow();
    events.push_back("created");
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(DestroyWindow(window));
    events.push_back("destroyed");
    EXPECT_EQ(events, (std::vector<std::string>{"create Test", "created", "destroy", "destroyed"}));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowLifeTest, CreateFailsWhenWmCreateRefuses)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_CREATE ? -1 : DefWindowProc(w, m, wp, lp);
    };
    wc.lpszClassName = "Refuser";
    ASSERT_NE(RegisterClass(&wc), 0);
    EXPECT_EQ(CreateWindow("Refuser", "", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(CreateWindow("NoSuchClass", "", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(RegisterClass(&wc), 0);  // a class name is registered once
}

TEST_F(WindowLifeTest, DefaultCloseDestroysAndDestroyInsideDestroyIsHarmless)
{
    HWND window = MakeWindow();
    Handler() = [](HWND w, UINT message, WPARAM, LPARAM) {
        if (message == WM_DESTROY) {
            EXPECT_FALSE(DestroyWindow(w));
            PostQuitMessage(0);
        }
        return false;
    };
    session.Close();
    EXPECT_EQ(Pump(), (std::vector<UINT>{WM_CLOSE, WM_QUIT}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ReceivedOf(WM_DESTROY).size(), 1u);
}

TEST_F(WindowLifeTest, StaleHandlesAreRefusedEverywhere)
{
    HWND window = MakeWindow();
    DestroyWindow(window);
    HWND bogus = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0xDEAD));
    for (HWND handle : {window, bogus, static_cast<HWND>(nullptr)}) {
        RECT rect;
        PAINTSTRUCT paint;
        POINT point{};
        EXPECT_EQ(SendMessage(handle, WM_USER, 0, 0), 0);
        EXPECT_EQ(GetDC(handle), nullptr);
        EXPECT_EQ(BeginPaint(handle, &paint), nullptr);
        EXPECT_FALSE(GetClientRect(handle, &rect));
        EXPECT_FALSE(ClientToScreen(handle, &point));
        EXPECT_FALSE(ShowWindow(handle, SW_SHOW));
        EXPECT_FALSE(CloseWindow(handle));
        EXPECT_FALSE(DestroyWindow(handle));
        EXPECT_EQ(SetTimer(handle, 1, 20, nullptr), handle ? 0u : 1u);
    }
    EXPECT_FALSE(PostMessage(window, WM_USER, 0, 0));
}

TEST_F(WindowLifeTest, ClientAreaAndMenuBarGeometry)
{
    RegisterTestMenu();
    HWND window = MakeWindow(0, true);
    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 512);
    EXPECT_EQ(client.bottom, 512);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 100 - user::Menu::kBarHeight);
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    EXPECT_EQ(corner.x, 100);
    EXPECT_EQ(corner.y, 100);
    ScreenToClient(window, &corner);
    EXPECT_EQ(corner.x, 0);
    EXPECT_EQ(corner.y, 0);
    EXPECT_NE(GetMenu(window), nullptr);
}

TEST_F(WindowLifeTest, WorkAreaComesFromTheHost)
{
    RECT area;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_EQ(area.right - area.left, 1920);
    EXPECT_EQ(area.bottom - area.top, 1080);
    session.SetWorkArea(RECT{0, 0, 1279, 1000});
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(area.right, 1279);
    EXPECT_FALSE(SystemParametersInfo(SPI_GETWORKAREA, 0, nullptr, 0));
}

class ActivationTest : public WindowTest {
protected:
    std::vector<WPARAM> Activations() const
    {
        std::vector<WPARAM> states;
        for (const MSG& msg : ReceivedOf(WM_ACTIVATE)) states.push_back(msg.wParam);
        return states;
    }
};

TEST_F(ActivationTest, ShowingActivatesMinimisingAndFocusLossDeactivate)
{
    HWND window = MakeWindow();
    EXPECT_EQ(Activations(), (std::vector<WPARAM>{WA_ACTIVE}));
    CloseWindow(window);  // minimise: inactive, with the minimised flag
    EXPECT_EQ(Activations(), (std::vector<WPARAM>{WA_ACTIVE, MAKEWPARAM(WA_INACTIVE, 1)}));
    session.Focus(true);
    Pump();
    session.Focus(false);
    session.Focus(false);  // a second loss changes nothing
    Pump();
    EXPECT_EQ(Activations(), (std::vector<WPARAM>{WA_ACTIVE, MAKEWPARAM(WA_INACTIVE, 1), WA_ACTIVE, WA_INACTIVE}));
}

TEST_F(ActivationTest, DestroyingTheActiveWindowDeactivatesItFirst)
{
    HWND window = MakeWindow();
    Received().clear();
    DestroyWindow(window);
    ASSERT_GE(Received().size(), 2u);
    EXPECT_EQ(Received()[0].message, WM_ACTIVATE);
    EXPECT_EQ(Received()[1].message, WM_DESTROY);
}

class PaintingTest : public WindowTest {};

TEST_F(PaintingTest, PaintRectangleIsTheUnionOfWhatWasInvalidated)
{
    HWND window = MakeWindow();
    Pump();
    std::vector<RECT> painted;
    Handler() = [&](HWND w, UINT message, WPARAM, LPARAM) {
        if (message != WM_PAINT) return false;
        PAINTSTRUCT paint;
        EXPECT_NE(BeginPaint(w, &paint), nullptr);
        EXPECT_FALSE(paint.fErase);
        painted.push_back(paint.rcPaint);
        EndPaint(w, &paint);
        return true;
    };
    const RECT a{10, 20, 30, 40};
    const RECT b{100, 5, 120, 25};
    InvalidateRect(window, &a, TRUE);
    InvalidateRect(window, &b, FALSE);
    const RECT outside{600, 600, 700, 700};
    InvalidateRect(window, &outside, FALSE);  // nothing of it lies in the client area
    Pump();
    ASSERT_EQ(painted.size(), 1u);
    const RECT expected{10, 5, 120, 40};
    EXPECT_TRUE(EqualRect(&painted[0], &expected));
    EXPECT_EQ(Pump(), (std::vector<UINT>{}));  // BeginPaint validated it

    InvalidateRect(window, nullptr, FALSE);
    Pump();
    const RECT whole{0, 0, 512, 512};
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_TRUE(EqualRect(&painted[1], &whole));
}

TEST_F(PaintingTest, DrawingThroughTheWindowDcReachesTheClientPixelsAndTheFrame)
{
    RegisterTestMenu();
    HWND window = MakeWindow(0, true);
    Pump();
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, red);
    Rectangle(dc, 0, 0, 10, 10);
    SelectObject(dc, old);
    DeleteObject(red);
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_EQ(ReleaseDC(window, dc), 0);  // released once only
    EXPECT_EQ(session.Client()->Row(5)[5], 0xFF0000u) << "in the client area at once";
    EXPECT_EQ(session.Pixel(512, 5), CLR_INVALID);

    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // idle: the frame is presented
    EXPECT_EQ(session.Pixel(5, 5), RGB(255, 0, 0));
    const gdi::Surface* frame = session.PresentedFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Height(), 512 + user::Menu::kBarHeight);
    EXPECT_EQ(frame->Row(user::Menu::kBarHeight + 5)[5], 0xFF0000u);
}

// A paint presents what was invalidated, not its bounding box, and draws nowhere else;
// a paint asked for with nothing invalid presents nothing.
TEST_F(PaintingTest, APaintPresentsTheRectanglesThatWereInvalidated)
{
    HWND window = MakeWindow();
    Pump();
    RECT paintBox{};
    Handler() = [&](HWND w, UINT message, WPARAM, LPARAM) {
        if (message != WM_PAINT) return false;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(w, &paint);
        paintBox = paint.rcPaint;
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        for (const RECT& r : {RECT{10, 20, 30, 40}, RECT{400, 300, 420, 330}, RECT{0, 0, 5, 5}})
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
        EndPaint(w, &paint);
        return true;
    };
    const RECT a{10, 20, 30, 40}, b{400, 300, 420, 330}, inA{12, 22, 20, 30};
    InvalidateRect(window, &a, FALSE);
    InvalidateRect(window, &b, FALSE);
    InvalidateRect(window, &inA, FALSE);
    RECT due{};
    EXPECT_TRUE(GetUpdateRect(window, &due, FALSE));
    const RECT box{10, 20, 420, 330};
    EXPECT_TRUE(EqualRect(&due, &box));
    const int presents = session.Host().PresentCount();
    Pump();
    EXPECT_TRUE(EqualRect(&paintBox, &box));
    ASSERT_EQ(session.Host().PresentCount(), presents + 1);
    const int bar = 0;  // no menu
    const std::vector<RECT> expected{{a.left, a.top + bar, a.right, a.bottom + bar},
                                     {b.left, b.top + bar, b.right, b.bottom + bar}};
    const std::vector<RECT>& damage = session.Host().LastDamage();
    ASSERT_EQ(damage.size(), expected.size());
    for (std::size_t i = 0; i < damage.size(); ++i) EXPECT_TRUE(EqualRect(&damage[i], &expected[i])) << i;
    EXPECT_EQ(session.Pixel(15, 25), RGB(255, 255, 255));
    EXPECT_EQ(session.Pixel(405, 305), RGB(255, 255, 255));
    EXPECT_EQ(session.Client()->Row(2)[2], 0u) << "a paint's DC is clipped to what is due";

    // Validating a part takes away the rectangles it covers; one it covers in part stays.
    InvalidateRect(window, &a, FALSE);
    InvalidateRect(window, &b, FALSE);
    const RECT overB{0, 0, 410, 512};
    ValidateRect(window, &a);
    ValidateRect(window, &overB);
    EXPECT_TRUE(GetUpdateRect(window, &due, FALSE));
    EXPECT_TRUE(EqualRect(&due, &b));
    ValidateRect(window, nullptr);
    EXPECT_FALSE(GetUpdateRect(window, &due, FALSE));

    paintBox = RECT{1, 1, 1, 1};
    RedrawWindow(window, nullptr, nullptr, RDW_INTERNALPAINT);
    EXPECT_EQ(Pump(), (std::vector<UINT>{WM_PAINT}));
    const RECT empty{0, 0, 0, 0};
    EXPECT_TRUE(EqualRect(&paintBox, &empty));
    EXPECT_EQ(session.Host().PresentCount(), presents + 1) << "a paint with nothing due changes nothing";
}

TEST_F(PaintingTest, DcsStillOutWhenTheWindowGoesAreReleasedWithIt)
{
    HWND window = MakeWindow();
    HDC dc = GetDC(window);
    ASSERT_NE(gdi::SurfaceOf(dc), nullptr);
    DestroyWindow(window);
    EXPECT_EQ(gdi::SurfaceOf(dc), nullptr);  // no DC draws on the freed surface
    EXPECT_EQ(ReleaseDC(window, dc), 0);
}

}  // namespace
