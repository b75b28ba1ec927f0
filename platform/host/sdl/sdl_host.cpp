#include "platform/host/sdl/sdl_host.h"

#include "platform/gdi/surface.h"
#include "platform/host/sdl/display_wait.h"
#include "platform/host/sdl/no_display.h"
#include "platform/host/sdl/sdl_keys.h"
#include "platform/host/sdl/window_icon.h"
#include "platform/user/input.h"
#include "platform/user/window_system.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace sdlhost {
namespace {

// Drivers that never deliver input are waited on by sleeping; SDL would poll them
// every millisecond.
constexpr Uint32 kPolledSleepSlice = 100;

bool IsPolledDriver(const char* driver)
{
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

std::optional<user::input::Button> ButtonOf(Uint8 sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return user::input::Button::Left;
    case SDL_BUTTON_RIGHT:
        return user::input::Button::Right;
    case SDL_BUTTON_MIDDLE:
        return user::input::Button::Middle;
    default:
        return std::nullopt;
    }
}

Uint32 MessageBoxFlags(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR:
        return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING:
        return SDL_MESSAGEBOX_WARNING;
    default:
        return SDL_MESSAGEBOX_INFORMATION;
    }
}

int DefaultAnswer(const user::Box& box)
{
    for (const user::BoxButton& button : box.buttons)
        if (button.isDefault) return button.id;
    return box.buttons.empty() ? IDOK : box.buttons.front().id;
}

}  // namespace

SdlHost::SdlHost()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fputs(NoDisplayText(SDL_GetError()).c_str(), stderr);
        return;
    }
    SDL_StopTextInput();
    polledDriver = IsPolledDriver(SDL_GetCurrentVideoDriver());
    // Without a display SDL may fall back to a driver that shows nothing: a game nobody
    // can see is not started, unless that driver was asked for.
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (polledDriver && !(asked && *asked)) {
        std::fputs(NoDisplayText(nullptr).c_str(), stderr);
        SDL_Quit();
        return;
    }
    ready = true;
}

SdlHost::~SdlHost()
{
    Destroy();
    if (ready) SDL_Quit();
}

DWORD SdlHost::Now()
{
    return SDL_GetTicks();
}

// Asking the display server for events costs system calls; within one millisecond
// of the last asking, a poll has nothing new to find. A wait sleeps until the display
// has input or the next tick is due, then pumps SDL's events once.
bool SdlHost::WaitForEvents(DWORD timeoutMs)
{
    SDL_Event event;
    const int timeout = timeoutMs == user::kWaitForever ? -1 : static_cast<int>(timeoutMs);
    if (timeoutMs == 0) {
        if (SDL_GetTicks() == lastPump) return true;
    } else if (polledDriver) {
        SDL_Delay(std::min<Uint32>(timeoutMs, kPolledSleepSlice));
    } else if (displayWait.Active()) {
        if (!SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) displayWait.Wait(timeout);
    } else if (SDL_WaitEventTimeout(&event, timeout)) {
        Handle(event);
    } else {
        lastPump = SDL_GetTicks();
        return true;  // it timed out having just looked: nothing waits
    }
    SDL_PumpEvents();
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) Handle(event);
    lastPump = SDL_GetTicks();
    return true;
}

void SdlHost::OpenWindow(HWND owner, const std::string& title, POINT, int width, int height)
{
    if (!ready || handle) return;  // one window is all this host shows
    frameWidth = width;
    frameHeight = height;
    scale = LargestScale(0, 0);
    window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width * scale,
                              height * scale, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window) {
        std::fprintf(stderr, "quorvel: cannot open the window: %s\n", SDL_GetError());
        return;
    }
    SDL_SetWindowMinimumSize(window, width, height);
    SetWindowIcon(window);
    presenter = MakePresenter(window, width, height, polledDriver);
    displayWait = DisplayWait(window);
    handle = owner;
    if (startFullscreen) ToggleFullscreen();
}

// The largest integer scale at which the frame and the window's decorations fit the
// display's usable area.
int SdlHost::LargestScale(int decorationWidth, int decorationHeight) const
{
    SDL_Rect usable{0, 0, frameWidth, frameHeight};
    SDL_GetDisplayUsableBounds(0, &usable);
    const int across = (usable.w - decorationWidth) / std::max(frameWidth, 1);
    const int down = (usable.h - decorationHeight) / std::max(frameHeight, 1);
    return std::max(1, std::min(across, down));
}

// Decorations are known once the window is on the screen; a scale that no longer fits
// with them is lowered.
void SdlHost::FitDecorations()
{
    if (fullscreen) return;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) return;
    const int fitting = LargestScale(left + right, top + bottom);
    if (fitting >= scale) return;
    scale = fitting;
    SDL_SetWindowSize(window, frameWidth * scale, frameHeight * scale);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void SdlHost::Destroy()
{
    presenter.reset();
    displayWait = DisplayWait();
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
    handle = nullptr;
    fullscreen = false;
    confinement.reset();
}

void SdlHost::CloseWindow(HWND owner)
{
    if (Owns(owner)) Destroy();
}

void SdlHost::ShowWindow(HWND owner, bool visible)
{
    if (!Owns(owner) || !window) return;
    if (visible) {
        SDL_ShowWindow(window);
        SDL_RaiseWindow(window);
        FitDecorations();
    } else {
        SDL_HideWindow(window);
    }
}

void SdlHost::MinimizeWindow(HWND owner)
{
    if (Owns(owner) && window) SDL_MinimizeWindow(window);
}

void SdlHost::Present(HWND owner, const user::FrameView& frame, const std::vector<RECT>& damage)
{
    if (!Owns(owner) || !presenter || frame.Width() != frameWidth || frame.Height() != frameHeight) return;
    presenter->Present(frame, damage);
}

// Full screen is a borderless window over the whole display, which needs no help from
// a window manager (and so works on a bare X server too); the window's place and size
// come back when it ends.
void SdlHost::ToggleFullscreen()
{
    if (!window) return;
    if (fullscreen) {
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowSize(window, windowed.w, windowed.h);
        SDL_SetWindowPosition(window, windowed.x, windowed.y);
    } else {
        SDL_GetWindowPosition(window, &windowed.x, &windowed.y);
        SDL_GetWindowSize(window, &windowed.w, &windowed.h);
        SDL_Rect display{0, 0, windowed.w, windowed.h};
        SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &display);
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, display.x, display.y);
        SDL_SetWindowSize(window, display.w, display.h);
    }
    fullscreen = !fullscreen;
    // The menu bar is not shown in full screen; its keys still open its menus.
    const user::Window* shown = user::FindWindow(handle);
    if (presenter) presenter->HideTop(fullscreen && shown ? shown->MenuBarHeight() : 0);
    PictureLost();
}

void SdlHost::SetScale(int wanted)
{
    if (!window || fullscreen || wanted < 1) return;
    scale = wanted;
    SDL_SetWindowSize(window, frameWidth * scale, frameHeight * scale);
    PictureLost();
}

// The window's picture must be made again, bars and all, and the confinement follows
// the picture.
void SdlHost::PictureLost()
{
    if (presenter) presenter->Invalidate();
    if (handle) user::input::RepaintRequested(handle);
    ApplyConfinement();
}

int SdlHost::ShowBox(HWND, const user::Box& box)
{
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (const user::BoxButton& button : box.buttons) {
        Uint32 flags = 0;
        if (button.isDefault) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (button.id == box.cancelId || box.buttons.size() == 1) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back(SDL_MessageBoxButtonData{flags, button.id, button.text.c_str()});
    }
    const SDL_MessageBoxData data{MessageBoxFlags(box.type), window, box.caption.c_str(), box.text.c_str(),
                                  static_cast<int>(buttons.size()), buttons.data(), nullptr};
    int chosen = -1;
    if (SDL_ShowMessageBox(&data, &chosen) != 0) {
        std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
        return DefaultAnswer(box);
    }
    return chosen < 0 ? box.cancelId : chosen;
}

void SdlHost::SetCursorVisible(bool visible)
{
    if (ready) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlHost::ConfineCursor(HWND owner, const RECT* frameRect)
{
    if (!Owns(owner)) return;
    confinement = frameRect ? std::optional<RECT>(*frameRect) : std::nullopt;
    ApplyConfinement();
}

// The confinement holds only while the window has the focus.
void SdlHost::ApplyConfinement()
{
    if (!window || !presenter) return;
    if (!confinement || !focused) {
        SDL_SetWindowMouseRect(window, nullptr);
        return;
    }
    SDL_Rect area = presenter->Where().ToWindow(*confinement);
    area.w = std::max(1, area.w);
    area.h = std::max(1, area.h);
    SDL_SetWindowMouseRect(window, &area);
}

RECT SdlHost::WorkArea()
{
    SDL_Rect usable{0, 0, 1024, 768};
    if (ready) SDL_GetDisplayUsableBounds(0, &usable);
    return RECT{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
}

POINT SdlHost::FrameOrigin(HWND owner)
{
    int x = 0, y = 0;
    if (Owns(owner) && window) SDL_GetWindowPosition(window, &x, &y);
    return POINT{x, y};
}

std::optional<POINT> SdlHost::FramePoint(int x, int y) const
{
    if (!presenter) return std::nullopt;
    return presenter->Where().ToFrame(x, y, frameWidth, frameHeight);
}

// Alt+Enter and F11 switch between the window and the full screen; the game never sees
// them.
bool SdlHost::TakesKey(const SDL_KeyboardEvent& event)
{
    const SDL_Scancode key = event.keysym.scancode;
    if (event.type == SDL_KEYUP) {
        if (key != swallowedKey) return false;
        swallowedKey = SDL_SCANCODE_UNKNOWN;
        return true;
    }
    const bool toggle = key == SDL_SCANCODE_F11 || (key == SDL_SCANCODE_RETURN && (event.keysym.mod & KMOD_ALT));
    if (!toggle) return false;
    swallowedKey = key;
    if (!event.repeat) ToggleFullscreen();
    return true;
}

// A wheel's turn in WHEEL_DELTA a notch, away from the user positive, as Windows counts
// it (a flipped wheel turned back); fine wheels send parts of a notch.
void SdlHost::HandleWheel(const SDL_MouseWheelEvent& wheel)
{
    const float notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.preciseY : wheel.preciseY;
    const auto delta = static_cast<int>(std::lround(notches * WHEEL_DELTA));
    user::input::Wheel(handle, delta);
}

// Mouse positions arrive in window pixels and are mapped back through the scale and the
// letter-box; the bars around the picture are outside the frame.
void SdlHost::Handle(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION:
        if (const auto point = FramePoint(event.motion.x, event.motion.y)) user::input::PointerMove(handle, *point);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const auto button = ButtonOf(event.button.button);
        const auto point = FramePoint(event.button.x, event.button.y);
        if (button && point) user::input::PointerButton(handle, *button, event.type == SDL_MOUSEBUTTONDOWN, *point);
        break;
    }
    case SDL_MOUSEWHEEL:
        HandleWheel(event.wheel);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (TakesKey(event.key)) break;
        if (const UINT vk = VirtualKeyOf(event.key.keysym.scancode))
            user::input::Key(vk, event.type == SDL_KEYDOWN, event.key.repeat != 0);
        break;
    case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        break;
    case SDL_QUIT:
        if (handle) user::input::CloseRequested(handle);
        break;
    default:
        break;
    }
}

void SdlHost::HandleWindowEvent(const SDL_WindowEvent& event)
{
    if (!window || event.windowID != SDL_GetWindowID(window)) return;
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        focused = true;
        ApplyConfinement();
        user::input::Focus(handle, true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        focused = false;
        ApplyConfinement();
        user::input::Focus(handle, false);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        user::input::CloseRequested(handle);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        PictureLost();
        break;
    default:
        break;
    }
}

}  // namespace sdlhost
