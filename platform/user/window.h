#pragma once
// Window classes and windows: what a window is made of, and the table that turns
// handles into windows. Handles are numbers that are never reused, so a stale handle
// finds nothing instead of another window.

#include "platform/gdi/surface.h"
#include "platform/user/menu.h"
#include "platform/user/user32.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace user {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    std::string menuName;  // a resource name; empty for none
};

struct Window {
    HWND handle = nullptr;
    const WindowClass* windowClass = nullptr;
    WNDPROC procedure = nullptr;
    std::string title;
    DWORD style = 0;
    bool visible = false;
    bool minimized = false;
    bool destroying = false;
    bool hosted = false;  // a top-level window that the host shows (pop-ups stay unseen)
    POINT position{};  // outer top-left, screen coordinates
    gdi::Surface client;
    std::optional<RECT> invalid;  // the bounding box of what was invalidated since the last paint
    std::vector<RECT> invalidParts;  // what was invalidated, as rectangles that cover it
    bool internalPaint = false;  // a WM_PAINT is due even with nothing invalid
    std::vector<RECT> painting;  // the parts of the paint under way
    std::vector<RECT> clientDamage;  // what paints changed in the client area since the last present
    std::unique_ptr<Menu> menu;  // the menu bar, or null
    HMENU menuHandle = nullptr;
    std::vector<HDC> dcs;         // device contexts handed out and not yet released
    // The menu bar over the client area, as presented. While no pop-up is open the host
    // shows the client area straight from `client`, and the frame's rows below the bar
    // fall behind until a pop-up needs them (`frameHoldsClient`).
    std::unique_ptr<gdi::Surface> frame;
    bool frameHoldsClient = false;
    std::unique_ptr<gdi::Surface> checked;  // the paint check's copy of the client area
    bool frameDirty = false;
    bool presentWhole = true;  // the host lost what it showed: the next present is all of it
    bool composedUnderMenu = false;  // the last present showed an open pop-up
    bool barPresented = false;  // the closed menu's bar is in the frame
    std::unique_ptr<gdi::Surface> menuScratch;  // the bar, or the whole frame under an open menu
    std::vector<RECT> damage;  // of the last present, kept to reuse its storage

    Window(int clientWidth, int clientHeight) : client(clientWidth, clientHeight, false) {}

    bool NeedsPaint() const { return invalid || internalPaint; }
    int MenuBarHeight() const { return menu ? Menu::kBarHeight : 0; }
    RECT ClientRect() const { return RECT{0, 0, client.Width(), client.Height()}; }
};

class WindowTable {
public:
    ATOM RegisterClass(WindowClass windowClass);
    const WindowClass* FindClass(const std::string& name) const;
    void ClearClasses() { classes.clear(); }

    Window& Add(std::unique_ptr<Window> window);
    void Remove(HWND handle);
    Window* Find(HWND handle) const;
    // The window that receives keys: the active one, or null.
    Window* Focused() const;
    HWND Active() const { return active; }
    void SetActive(HWND handle) { active = handle; }
    template <typename Visit>
    void ForEach(Visit visit) const
    {
        for (const auto& entry : windows) visit(*entry.second);
    }
    bool Empty() const { return windows.empty(); }
    // The most recently created visible window, or null.
    HWND Newest() const;

private:
    std::map<std::string, std::unique_ptr<WindowClass>> classes;
    std::map<std::uintptr_t, std::unique_ptr<Window>> windows;
    std::uintptr_t nextHandle = 0x10;
    HWND active = nullptr;
};

}  // namespace user
