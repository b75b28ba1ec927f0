#pragma once
// A fresh window system on the headless host, a window class whose procedure records
// every message it gets, and helpers to pump the queue.

#include "platform/host/headless/session.h"
#include "platform/user/resources.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class WindowTest : public ::testing::Test {
protected:
    static constexpr WORD kMenuId = 900;
    static constexpr WORD kAcceleratorsId = 901;

    // Every message a test window's procedure received, in order.
    static std::vector<MSG>& Received()
    {
        static std::vector<MSG> received;
        return received;
    }
    // Runs inside the procedure before the default handling; returns true to answer 0.
    static std::function<bool(HWND, UINT, WPARAM, LPARAM)>& Handler()
    {
        static std::function<bool(HWND, UINT, WPARAM, LPARAM)> handler;
        return handler;
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Received().push_back(MSG{window, message, wParam, lParam, 0, {}});
        if (Handler() && Handler()(window, message, wParam, lParam)) return 0;
        return DefWindowProc(window, message, wParam, lParam);
    }

    void SetUp() override
    {
        Received().clear();
        Handler() = nullptr;
    }
    void TearDown() override { Handler() = nullptr; }

    // A shown window with a 512 x 512 client area, of a class with these styles, with
    // the test menu when asked.
    HWND MakeWindow(UINT classStyle = 0, bool withMenu = false)
    {
        const std::string name = "Test" + std::to_string(classStyle) + (withMenu ? "M" : "");
        WNDCLASSEX wc{};
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = Procedure;
        wc.lpszClassName = name.c_str();
        wc.lpszMenuName = withMenu ? MAKEINTRESOURCE(kMenuId) : nullptr;
        RegisterClassEx(&wc);
        RECT rect{100, 100, 612, 612};
        AdjustWindowRect(&rect, WS_CAPTION, withMenu);
        HWND window = CreateWindow(name.c_str(), "Test", WS_CAPTION, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(window, SW_SHOWNORMAL);
        return window;
    }

    static void RegisterTestMenu()
    {
        user::RegisterMenu(kMenuId, {
            user::MenuItem("!&Boss!", 302),
            user::MenuPopup("&Game", {user::MenuItem("&New Game\tF2", 301), user::MenuSeparator(),
                                      user::MenuItem("&Pause Game\tF3", 303), user::MenuItem("&Tilt\tF12", 304),
                                      user::MenuSeparator(), user::MenuItem("E&xit\tAlt+F4", 105)}),
            user::MenuPopup("&Help", {user::MenuItem("&About ...", 104)}),
        });
    }

    // Takes every message that is ready now, without waiting, and dispatches it
    // (through the accelerators when a table is given); returns the messages taken.
    std::vector<UINT> Pump(HWND window = nullptr, HACCEL accelerators = nullptr)
    {
        std::vector<UINT> taken;
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            taken.push_back(msg.message);
            if (msg.message == WM_QUIT) break;
            if (accelerators && TranslateAccelerator(window, accelerators, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        return taken;
    }

    // The messages of one kind that the procedure received.
    static std::vector<MSG> ReceivedOf(UINT message)
    {
        std::vector<MSG> found;
        for (const MSG& msg : Received())
            if (msg.message == message) found.push_back(msg);
        return found;
    }

    headless::Session session;
};
