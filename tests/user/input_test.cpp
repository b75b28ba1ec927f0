#include "tests/user/window_fixture.h"

#include "platform/user/window_system.h"

#include <functional>
#include <vector>

namespace {

using Button = user::input::Button;

class MouseTest : public WindowTest {
protected:
    void ClickAt(int x, int y)
    {
        session.MoveTo(x, y);
        session.Press(Button::Left);
        session.Release(Button::Left);
    }
    std::vector<UINT> ButtonMessages()
    {
        std::vector<UINT> taken;
        for (UINT message : Pump())
            if (message != WM_MOUSEMOVE && message != WM_PAINT) taken.push_back(message);
        return taken;
    }
};

TEST_F(MouseTest, FastSecondClickIsADoubleClickWithDblClksOnly)
{
    MakeWindow(CS_DBLCLKS);
    Pump();
    ClickAt(50, 60);
    session.Advance(200);
    ClickAt(51, 61);
    EXPECT_EQ(ButtonMessages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    // A third click starts a new pair.
    ClickAt(51, 61);
    EXPECT_EQ(ButtonMessages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));

    session.MoveTo(5, 5);
    session.Press(Button::Right);
    session.Release(Button::Right);
    session.Press(Button::Right);
    EXPECT_EQ(ButtonMessages(), (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK}));
}

TEST_F(MouseTest, SlowOrDistantSecondClicksAndPlainClassesGetTwoPresses)
{
    MakeWindow(CS_DBLCLKS);
    Pump();
    ClickAt(50, 60);
    session.Advance(600);
    ClickAt(50, 60);
    ClickAt(80, 60);
    EXPECT_EQ(ButtonMessages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                   WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(MouseTest, WithoutDblClksEveryPressIsAPress)
{
    MakeWindow();
    Pump();
    ClickAt(50, 60);
    ClickAt(50, 60);
    EXPECT_EQ(ButtonMessages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(MouseTest, PositionsAreClientCoordinatesBelowTheMenuBar)
{
    RegisterTestMenu();
    MakeWindow(0, true);
    Pump();
    session.MoveTo(300, 400);
    session.Press(Button::Left);
    Pump();
    const std::vector<MSG> downs = ReceivedOf(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(LOWORD(downs[0].lParam), 300);
    EXPECT_EQ(HIWORD(downs[0].lParam), 400);
    EXPECT_EQ(downs[0].wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_NE(GetAsyncKeyState(VK_LBUTTON), 0);
}

TEST_F(MouseTest, ClipCursorKeepsThePointerInside)
{
    HWND window = MakeWindow();
    Pump();
    RECT clip{0, 0, 512, 512};
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&clip, origin.x, origin.y);
    ASSERT_TRUE(ClipCursor(&clip));
    EXPECT_TRUE(session.Host().CursorConfined());
    session.MoveTo(700, -30);
    Pump();
    const std::vector<MSG> moves = ReceivedOf(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(LOWORD(moves[0].lParam), 511);
    EXPECT_EQ(HIWORD(moves[0].lParam), 0);
    ClipCursor(nullptr);
    EXPECT_FALSE(session.Host().CursorConfined());
}

// Moves that wait together become the last of them, unless a button changed between:
// the press comes between the move before it and the move after it.
TEST_F(MouseTest, WaitingMovesBecomeOneButAButtonKeepsItsPlace)
{
    MakeWindow();
    Pump();
    session.MoveTo(10, 10);
    session.MoveTo(20, 30);
    session.Press(Button::Left);
    session.MoveTo(40, 50);
    session.MoveTo(60, 70);
    Pump();
    const std::vector<MSG> moves = ReceivedOf(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(LOWORD(moves[0].lParam), 20);
    EXPECT_EQ(HIWORD(moves[0].lParam), 30);
    EXPECT_EQ(moves[0].wParam & MK_LBUTTON, 0u);
    EXPECT_EQ(LOWORD(moves[1].lParam), 60);
    EXPECT_EQ(moves[1].wParam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON));
}

TEST_F(MouseTest, TheWheelTurnsInNotchesWithThePointerOnTheScreen)
{
    HWND window = MakeWindow();
    Pump();
    session.MoveTo(30, 40);
    session.Press(Button::Left);
    session.Wheel(-2);
    session.Wheel(1);
    Pump();
    const std::vector<MSG> turns = ReceivedOf(WM_MOUSEWHEEL);
    ASSERT_EQ(turns.size(), 2u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(turns[0].wParam), -2 * WHEEL_DELTA);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(turns[1].wParam), WHEEL_DELTA);
    EXPECT_EQ(LOWORD(turns[0].wParam) & MK_LBUTTON, MK_LBUTTON);
    POINT screen{30, 40};
    ClientToScreen(window, &screen);
    EXPECT_EQ(static_cast<SHORT>(LOWORD(turns[0].lParam)), screen.x);
    EXPECT_EQ(static_cast<SHORT>(HIWORD(turns[0].lParam)), screen.y);
}

TEST(CursorTest, ShowCursorCountsAndHidesBelowZero)
{
    headless::Session session;
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_FALSE(session.Host().CursorVisible());
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_FALSE(session.Host().CursorVisible());
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_TRUE(session.Host().CursorVisible());
    EXPECT_EQ(ShowCursor(TRUE), 1);
    EXPECT_EQ(ShowCursor(FALSE), 0);
    EXPECT_TRUE(session.Host().CursorVisible());
}

class KeyTest : public WindowTest {};

TEST_F(KeyTest, KeysArriveAsVirtualKeysWithRepeatsAndCharacters)
{
    MakeWindow();
    Pump();
    session.KeyDown('A');
    session.KeyDown('A', true);
    session.KeyUp('A');
    session.KeyDown(VK_SHIFT);
    session.KeyDown('A');
    Pump();
    const std::vector<MSG> downs = ReceivedOf(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 4u);
    EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ((downs[0].lParam >> 16) & 0xFF, 0x1E);  // the scan code
    EXPECT_EQ((downs[0].lParam >> 30) & 1, 0);
    EXPECT_EQ((downs[1].lParam >> 30) & 1, 1);  // auto-repeat: the key was down already
    const std::vector<MSG> chars = ReceivedOf(WM_CHAR);
    ASSERT_EQ(chars.size(), 3u);
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(chars[2].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(ReceivedOf(WM_KEYUP).size(), 1u);
    EXPECT_NE(GetAsyncKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetAsyncKeyState('B'), 0);
    EXPECT_EQ(GetAsyncKeyState(-5), 0);
    EXPECT_EQ(GetAsyncKeyState(100000), 0);
}

TEST_F(KeyTest, KeysWithAltAreSystemKeysAndAltF4Closes)
{
    HWND window = MakeWindow();
    Pump();
    session.KeyDown(VK_MENU);
    session.KeyDown(VK_F4);
    Pump();
    EXPECT_EQ(ReceivedOf(WM_SYSKEYDOWN).size(), 2u);
    EXPECT_TRUE(ReceivedOf(WM_KEYDOWN).empty());
    EXPECT_EQ(ReceivedOf(WM_CLOSE).size(), 1u);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(KeyTest, KeysGoNowhereWithoutAnActiveWindow)
{
    MakeWindow();
    session.Focus(false);
    session.KeyDown('Q');
    Pump();
    EXPECT_TRUE(ReceivedOf(WM_KEYDOWN).empty());
}

class AcceleratorTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        user::RegisterAccelerators(kAcceleratorsId, {
            {FALT | FNOINVERT, '/', 104},
            {FALT | FNOINVERT, '?', 104},
            {FVIRTKEY | FNOINVERT, VK_ESCAPE, 105},
            {FVIRTKEY | FNOINVERT, VK_F1, 302},
            {FVIRTKEY | FNOINVERT, VK_F2, 301},
            {FVIRTKEY | FNOINVERT, VK_F12, 304},
        });
        window = MakeWindow();
        table = LoadAccelerators(nullptr, MAKEINTRESOURCE(kAcceleratorsId));
        Pump();
    }

    std::vector<WORD> Commands()
    {
        Pump(window, table);
        std::vector<WORD> ids;
        for (const MSG& msg : ReceivedOf(WM_COMMAND)) ids.push_back(LOWORD(msg.wParam));
        return ids;
    }

    void Tap(UINT vk)
    {
        session.KeyDown(vk);
        session.KeyUp(vk);
    }

    HWND window = nullptr;
    HACCEL table = nullptr;
};

TEST_F(AcceleratorTest, FunctionKeysAndEscapeSendTheirCommands)
{
    ASSERT_NE(table, nullptr);
    Tap(VK_F2);
    Tap(VK_F12);
    Tap(VK_F1);
    Tap(VK_ESCAPE);
    Tap(VK_F3);  // not in the table
    EXPECT_EQ(Commands(), (std::vector<WORD>{301, 304, 302, 105}));
    EXPECT_EQ(ReceivedOf(WM_KEYDOWN).size(), 1u);  // only F3 reached the window
}

TEST_F(AcceleratorTest, AltSlashAndAltQuestionMarkOpenAbout)
{
    session.KeyDown(VK_MENU);
    Tap(VK_OEM_2);  // Alt+/
    session.KeyDown(VK_SHIFT);
    Tap(VK_OEM_2);  // Alt+?
    session.KeyUp(VK_SHIFT);
    session.KeyUp(VK_MENU);
    EXPECT_EQ(Commands(), (std::vector<WORD>{104, 104}));
}

TEST_F(AcceleratorTest, ModifiersMustMatch)
{
    session.KeyDown(VK_CONTROL);
    Tap(VK_F2);  // Ctrl+F2 is not F2
    session.KeyUp(VK_CONTROL);
    Tap(VK_OEM_2);  // '/' without Alt is not Alt+/
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(TranslateAccelerator(window, nullptr, nullptr), 0);
    EXPECT_EQ(LoadAccelerators(nullptr, MAKEINTRESOURCE(4242)), nullptr);
}

// A modifier let go while another window had the keyboard is not held any more when
// this one gets it back.
TEST_F(AcceleratorTest, ModifiersReleasedAwayAreUpAgainOnReturn)
{
    session.KeyDown(VK_SHIFT);
    Commands();
    session.Focus(false);
    session.KeyUp(VK_SHIFT);
    session.Focus(true);
    Tap(VK_ESCAPE);
    EXPECT_EQ(Commands(), (std::vector<WORD>{105}));
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
}

class MenuTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        RegisterTestMenu();
        window = MakeWindow(0, true);
        Pump();
    }

    std::vector<WORD> Commands()
    {
        Pump();
        std::vector<WORD> ids;
        for (const MSG& msg : ReceivedOf(WM_COMMAND)) ids.push_back(LOWORD(msg.wParam));
        return ids;
    }

    void ClickFrame(POINT point)
    {
        session.MoveToFrame(point.x, point.y);
        session.Press(Button::Left);
        session.Release(Button::Left);
    }

    std::vector<POINT> PathTo(const std::string& text)
    {
        return user::FindWindow(window)->menu->ClickPath(text);
    }

    HWND window = nullptr;
};

TEST_F(MenuTest, PopupItemChosenWithThePointer)
{
    const std::vector<POINT> path = PathTo("Pause Game");
    ASSERT_EQ(path.size(), 2u);
    ClickFrame(path[0]);
    EXPECT_TRUE(Commands().empty());  // the pop-up is open
    EXPECT_TRUE(user::FindWindow(window)->menu->IsOpen());
    ClickFrame(path[1]);
    EXPECT_EQ(Commands(), (std::vector<WORD>{303}));
    EXPECT_FALSE(user::FindWindow(window)->menu->IsOpen());
    // The menu's clicks are its own: the window saw no button messages.
    EXPECT_TRUE(ReceivedOf(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(ReceivedOf(WM_MOUSEMOVE).empty());
}

TEST_F(MenuTest, TheOpenPopupIsDrawnOverTheClientAreaAndGoesWithIt)
{
    const std::vector<POINT> path = PathTo("Tilt");
    const auto presentedAt = [&](POINT point) {
        MSG msg;
        PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // idle: the frame is presented
        return session.PresentedFrame()->Row(point.y)[point.x];
    };
    const POINT barTop{path[0].x, 1};
    const std::uint32_t face = presentedAt(barTop);
    const std::uint32_t clientUnderItem = presentedAt(path[1]);
    ClickFrame(path[0]);
    EXPECT_NE(presentedAt(barTop), face);  // the open item is highlighted
    EXPECT_NE(presentedAt(path[1]), clientUnderItem);
    session.KeyDown(VK_ESCAPE);
    Pump();
    EXPECT_EQ(presentedAt(barTop), face);
    EXPECT_EQ(presentedAt(path[1]), clientUnderItem);
}

// With no pop-up open the client area is shown straight from the window's picture, and
// the kept frame falls behind it. A pop-up opening over what was painted since is drawn
// whole, even where the frame last held the pop-up's very pixels.
TEST_F(MenuTest, APopupOpeningOverFreshPaintIsDrawnWhole)
{
    const std::vector<POINT> path = PathTo("Tilt");
    const auto presented = [&] {
        MSG msg;
        PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // idle: the frame is presented
        return *session.PresentedFrame();
    };
    const gdi::Surface closed = presented();
    ClickFrame(path[0]);
    const gdi::Surface open = presented();
    session.KeyDown(VK_ESCAPE);
    Pump();
    std::vector<POINT> popup;  // frame pixels of the client area that the pop-up covers
    for (int y = user::Menu::kBarHeight; y < open.Height(); ++y)
        for (int x = 0; x < open.Width(); ++x)
            if (open.Row(y)[x] != closed.Row(y)[x]) popup.push_back(POINT{x, y});
    ASSERT_FALSE(popup.empty());
    const auto paint = [&](const std::function<std::uint32_t(POINT)>& pixelAt) {
        HDC dc = GetDC(window);
        for (const POINT& p : popup)
            SetPixel(dc, p.x, p.y - user::Menu::kBarHeight, gdi::ColorFromPixel(pixelAt(p)));
        ReleaseDC(window, dc);
        return presented();
    };
    paint([&](POINT p) { return open.Row(p.y)[p.x]; });
    ClickFrame(path[0]);
    presented();
    session.KeyDown(VK_ESCAPE);
    Pump();  // the frame holds the client area again, a picture of the pop-up in it
    const gdi::Surface red = paint([](POINT) { return 0xFF0000u; });
    ASSERT_EQ(red.Row(popup[0].y)[popup[0].x], 0xFF0000u);
    ClickFrame(path[0]);
    const gdi::Surface reopened = presented();
    for (const POINT& p : popup)
        ASSERT_EQ(reopened.Row(p.y)[p.x], open.Row(p.y)[p.x]) << "at (" << p.x << ", " << p.y << ")";
}

// A checked item shows a mark in the pop-up's margin; CheckMenuItem answers the former
// state, and -1 for an item the menu does not have.
TEST_F(MenuTest, CheckMenuItemMarksThePopupItem)
{
    const std::vector<POINT> path = PathTo("Pause Game");
    const auto itemRows = [&] {
        ClickFrame(path[0]);
        MSG msg;
        PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // idle: the frame is presented
        std::vector<std::uint32_t> pixels;
        for (int y = path[1].y - 6; y <= path[1].y + 6; ++y)
            for (int x = 0; x < path[1].x; ++x) pixels.push_back(session.PresentedFrame()->Row(y)[x]);
        session.KeyDown(VK_ESCAPE);
        Pump();
        return pixels;
    };
    HMENU menu = GetMenu(window);
    const auto plain = itemRows();
    EXPECT_EQ(CheckMenuItem(menu, 303, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    const auto checked = itemRows();
    EXPECT_NE(checked, plain);
    EXPECT_EQ(CheckMenuItem(menu, 303, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(itemRows(), plain);
    EXPECT_EQ(CheckMenuItem(menu, 9999, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYPOSITION | MF_CHECKED), static_cast<DWORD>(-1));
}

TEST_F(MenuTest, BarCommandChosenWithThePointer)
{
    const std::vector<POINT> path = PathTo("!Boss!");
    ASSERT_EQ(path.size(), 1u);
    ClickFrame(path[0]);
    EXPECT_EQ(Commands(), (std::vector<WORD>{302}));
    EXPECT_TRUE(PathTo("No such item").empty());
}

TEST_F(MenuTest, ClickOutsideAnOpenPopupClosesItAndGoesNoFurther)
{
    ClickFrame(PathTo("Exit")[0]);
    session.MoveTo(400, 400);
    session.Press(Button::Left);
    session.Release(Button::Left);
    EXPECT_TRUE(Commands().empty());
    EXPECT_FALSE(user::FindWindow(window)->menu->IsOpen());
    EXPECT_TRUE(ReceivedOf(WM_LBUTTONDOWN).empty());
    EXPECT_EQ(ReceivedOf(WM_LBUTTONUP).size(), 1u);  // the release after it is the window's again
}

TEST_F(MenuTest, AltMnemonicOpensThePopupAndTheItemMnemonicChooses)
{
    session.KeyDown(VK_MENU);
    session.KeyDown('G');
    session.KeyUp('G');
    session.KeyUp(VK_MENU);
    Pump();
    EXPECT_TRUE(user::FindWindow(window)->menu->IsOpen());
    session.KeyDown('X');
    EXPECT_EQ(Commands(), (std::vector<WORD>{105}));

    session.KeyDown(VK_MENU);
    session.KeyDown('B');  // a bar command acts at once
    EXPECT_EQ(Commands(), (std::vector<WORD>{105, 302}));
    session.KeyUp('B');
    session.KeyUp(VK_MENU);
}

TEST_F(MenuTest, KeyboardNavigationAndEscape)
{
    session.KeyDown(VK_MENU);
    session.KeyDown('G');
    session.KeyUp(VK_MENU);
    Pump();
    session.KeyDown(VK_F1);    // not Pause Game's mnemonic, though its code is the letter p's
    session.KeyDown(VK_DOWN);  // from New Game over the separator to Pause Game
    session.KeyDown(VK_RETURN);
    EXPECT_EQ(Commands(), (std::vector<WORD>{303}));

    session.KeyDown(VK_MENU);
    session.KeyDown('H');
    session.KeyUp(VK_MENU);
    Pump();
    session.KeyDown(VK_RIGHT);  // from Help around to Game, past the bar command
    session.KeyDown(VK_RETURN);
    EXPECT_EQ(Commands(), (std::vector<WORD>{303, 301}));

    session.KeyDown(VK_MENU);
    session.KeyDown('H');
    session.KeyUp(VK_MENU);
    Pump();
    session.KeyDown(VK_ESCAPE);
    EXPECT_EQ(Commands(), (std::vector<WORD>{303, 301}));
    EXPECT_FALSE(user::FindWindow(window)->menu->IsOpen());
    EXPECT_TRUE(ReceivedOf(WM_KEYDOWN).empty());  // the open menu took the keys
}

TEST(MenuTextTest, LabelsMnemonicsAndShortcuts)
{
    EXPECT_EQ(user::Menu::Label("&New Game\tF2"), "New Game");
    EXPECT_EQ(user::Menu::Shortcut("&New Game\tF2"), "F2");
    EXPECT_EQ(user::Menu::MnemonicOf("E&xit\tAlt+F4"), 'x');
    EXPECT_EQ(user::Menu::MnemonicOf("!&Boss!"), 'b');
    EXPECT_EQ(user::Menu::Label("Fish && &Chips"), "Fish & Chips");
    EXPECT_EQ(user::Menu::MnemonicOf("Fish && &Chips"), 'c');
    EXPECT_EQ(user::Menu::MnemonicOf("None"), 0);
    EXPECT_EQ(user::Menu::MnemonicOf("Trailing&"), 0);
}

}  // namespace
