#pragma once
// The real window, through SDL2: the frame (menu bar and client area) is shown at the
// largest integer scale that fits the usable display area and, when the user resizes
// the window, scaled to fit with letter-boxing; pointer positions are mapped back to
// frame pixels. Events become window-system input; boxes are SDL message boxes.

#include "platform/user/host.h"

#include <SDL.h>

#include <optional>
#include <string>

namespace sdlhost {

class SdlHost : public user::Host {
public:
    SdlHost();
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    // False (with the reason on standard error) when SDL's video could not start.
    bool Ready() const { return ready; }

    DWORD Now() override;
    bool WaitForEvents(DWORD timeoutMs) override;
    void OpenWindow(HWND window, const std::string& title, POINT position, int width, int height) override;
    void CloseWindow(HWND window) override;
    void ShowWindow(HWND window, bool visible) override;
    void MinimizeWindow(HWND window) override;
    void Present(HWND window, const gdi::Surface& frame) override;
    int ShowBox(HWND owner, const user::Box& box) override;
    void SetCursorVisible(bool visible) override;
    void ConfineCursor(HWND window, const RECT* frameRect) override;
    RECT WorkArea() override;
    POINT FrameOrigin(HWND window) override;

    // The scale the window was opened at.
    int Scale() const { return scale; }

private:
    bool Owns(HWND window) const { return window && window == handle; }
    void Handle(const SDL_Event& event);
    void HandleWindowEvent(const SDL_WindowEvent& event);
    void Render();
    void ApplyConfinement();
    void Destroy();
    bool InsideFrame(int x, int y) const;
    int LargestScale(int decorationWidth, int decorationHeight) const;
    void FitDecorations();

    bool ready = false;
    bool polledDriver = false;  // a driver without real events (dummy, offscreen)
    HWND handle = nullptr;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int frameWidth = 0;
    int frameHeight = 0;
    int scale = 1;
    bool focused = false;
    Uint32 lastPump = 0;  // when events were last fetched
    std::optional<RECT> confinement;  // frame coordinates
};

}  // namespace sdlhost
