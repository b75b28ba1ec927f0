#pragma once
// The real window, through SDL2: the frame (menu bar and client area) is shown at the
// largest integer scale that fits the usable display area and, when the user resizes
// the window or makes it fill the screen (Alt+Enter, F11), at the largest integer scale
// that fits, letter-boxed; pointer positions are mapped back to frame pixels. It never
// gets smaller than the frame. Events become window-system input; boxes are SDL message
// boxes.

#include "platform/host/sdl/display_wait.h"
#include "platform/host/sdl/presenter.h"
#include "platform/user/host.h"

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>

namespace sdlhost {

class SdlHost : public user::Host {
public:
    SdlHost();
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    // False (with the reason on standard error) when SDL's video could not start or
    // found no display (a driver that shows nothing runs only when asked for).
    bool Ready() const { return ready; }

    DWORD Now() override;
    bool WaitForEvents(DWORD timeoutMs) override;
    void OpenWindow(HWND window, const std::string& title, POINT position, int width, int height) override;
    void CloseWindow(HWND window) override;
    void ShowWindow(HWND window, bool visible) override;
    void MinimizeWindow(HWND window) override;
    void Present(HWND window, const user::FrameView& frame, const std::vector<RECT>& damage) override;
    int ShowBox(HWND owner, const user::Box& box) override;
    void SetCursorVisible(bool visible) override;
    void ConfineCursor(HWND window, const RECT* frameRect) override;
    RECT WorkArea() override;
    POINT FrameOrigin(HWND window) override;

    // The scale the window was opened at.
    int Scale() const { return scale; }
    // Whether the window opens filling the screen (before OpenWindow), or fills it now.
    void StartFullscreen(bool on) { startFullscreen = on; }
    void ToggleFullscreen();
    // Sizes the window to show the frame at this whole scale.
    void SetScale(int wanted);
    // The SDL window, or null.
    SDL_Window* Window() const { return window; }
    // How frames reach the screen ("surface" or "renderer"), or null without a window.
    const char* PresenterName() const { return presenter ? presenter->Name() : nullptr; }

private:
    bool Owns(HWND window) const { return window && window == handle; }
    void Handle(const SDL_Event& event);
    void HandleWindowEvent(const SDL_WindowEvent& event);
    bool TakesKey(const SDL_KeyboardEvent& event);
    void HandleWheel(const SDL_MouseWheelEvent& wheel);
    void PictureLost();
    void ApplyConfinement();
    void Destroy();
    std::optional<POINT> FramePoint(int x, int y) const;
    int LargestScale(int decorationWidth, int decorationHeight) const;
    void FitDecorations();

    bool ready = false;
    bool polledDriver = false;  // a driver without real events (dummy, offscreen)
    HWND handle = nullptr;
    SDL_Window* window = nullptr;
    std::unique_ptr<Presenter> presenter;
    DisplayWait displayWait;  // not active before the window opens
    bool startFullscreen = false;
    bool fullscreen = false;
    SDL_Rect windowed{};  // the window's place and size before it went full screen
    SDL_Scancode swallowedKey = SDL_SCANCODE_UNKNOWN;  // its release is the host's too
    int frameWidth = 0;
    int frameHeight = 0;
    int scale = 1;
    bool focused = false;
    Uint32 lastPump = 0;  // when events were last fetched
    std::optional<RECT> confinement;  // frame coordinates
};

}  // namespace sdlhost
