#include "tools/demo/demo_program.h"

#include "platform/user/resources.h"

#include <algorithm>

namespace demo {
namespace {

constexpr int kSize = 512;
constexpr int kBallSize = 16;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kPeriod = 20;

struct State {
    Record record;
    bool paused = false;
    POINT ball{248, 400};
    POINT velocity{3, -4};
};
State state;

void RegisterResources()
{
    user::RegisterMenu(kMenuId, {
        user::MenuItem("!&Boss!", kCommandBoss),
        user::MenuPopup("&Game", {user::MenuItem("&New Game\tF2", kCommandNew), user::MenuSeparator(),
                                  user::MenuItem("&Pause Game\tF3", kCommandPause), user::MenuSeparator(),
                                  user::MenuItem("E&xit\tAlt+F4", kCommandExit)}),
        user::MenuPopup("&Help", {user::MenuItem("&About ...", kCommandAbout)}),
    });
    user::RegisterAccelerators(kAcceleratorsId, {
        {FALT | FNOINVERT, '/', kCommandAbout},
        {FALT | FNOINVERT, '?', kCommandAbout},
        {FVIRTKEY | FNOINVERT, VK_ESCAPE, kCommandExit},
        {FVIRTKEY | FNOINVERT, VK_F1, kCommandBoss},
        {FVIRTKEY | FNOINVERT, VK_F2, kCommandNew},
        {FVIRTKEY | FNOINVERT, VK_F3, kCommandPause},
    });
    user::RegisterDialog(kAboutId, user::DialogTemplate{"", RECT{22, 17, 191, 80},
                                                        {user::DialogStatic("Quorvel window system demo"),
                                                         user::DialogButton("OK", IDOK, true)}});
}

void Fill(HDC dc, RECT box, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    // The null pen loses the right column and bottom row: draw one pixel larger.
    Rectangle(dc, box.left, box.top, box.right + 1, box.bottom + 1);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

void Paint(HDC dc)
{
    Fill(dc, RECT{0, 0, kSize, kSize}, kBackground);
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column) {
            const int left = 128 + column * 32;
            const int top = 128 + row * 16;
            Fill(dc, RECT{left + 1, top + 1, left + 31, top + 15}, kBrick);
        }
    Fill(dc, RECT{state.ball.x, state.ball.y, state.ball.x + kBallSize, state.ball.y + kBallSize}, kBall);
}

void Step(HWND window)
{
    ++state.record.ticks;
    state.ball.x += state.velocity.x;
    state.ball.y += state.velocity.y;
    if (state.ball.x < 0 || state.ball.x > kSize - kBallSize) state.velocity.x = -state.velocity.x;
    if (state.ball.y < 0 || state.ball.y > kSize - kBallSize) state.velocity.y = -state.velocity.y;
    state.ball.x = std::clamp<LONG>(state.ball.x, 0, kSize - kBallSize);
    state.ball.y = std::clamp<LONG>(state.ball.y, 0, kSize - kBallSize);
    InvalidateRect(window, nullptr, FALSE);
}

INT_PTR CALLBACK About(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void Activate(HWND window, bool active)
{
    if (active) {
        ++state.record.activations;
        if (!state.paused) SetTimer(window, kTimerId, kPeriod, nullptr);
    } else {
        ++state.record.deactivations;
        KillTimer(window, kTimerId);
    }
}

void Command(HWND window, WORD id)
{
    ++state.record.commands;
    state.record.lastCommand = id;
    switch (id) {
    case kCommandBoss:
        CloseWindow(window);
        break;
    case kCommandPause:
        state.paused = !state.paused;
        Activate(window, !state.paused);
        break;
    case kCommandAbout:
        DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(kAboutId), window, About, 0);
        break;
    case kCommandExit:
        DestroyWindow(window);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        Activate(window, LOWORD(wParam) != WA_INACTIVE);
        break;
    case WM_TIMER:
        Step(window);
        return 0;
    case WM_PAINT: {
        ++state.record.paints;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        ++state.record.clicks;
        break;
    case WM_LBUTTONDBLCLK:
        ++state.record.doubleClicks;
        break;
    case WM_COMMAND:
        Command(window, LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

const Record& Seen()
{
    return state.record;
}

int WINAPI Main(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd)
{
    state = State{};
    RegisterResources();
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.lpszMenuName = MAKEINTRESOURCE(kMenuId);
    wc.lpszClassName = "QuorvelDemo";
    if (!RegisterClassEx(&wc)) return 0;

    RECT area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    InflateRect(&area, (kSize - (area.right - area.left)) / 2, (kSize - (area.bottom - area.top)) / 2);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    AdjustWindowRect(&area, style, TRUE);
    HWND window = CreateWindow("QuorvelDemo", "Windows App", style, area.left, area.top, area.right - area.left,
                               area.bottom - area.top, nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    ShowWindow(window, showCmd);
    UpdateWindow(window);
    InvalidateRect(window, nullptr, FALSE);

    HACCEL accelerators = LoadAccelerators(instance, MAKEINTRESOURCE(kAcceleratorsId));
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        if (TranslateAccelerator(window, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace demo
