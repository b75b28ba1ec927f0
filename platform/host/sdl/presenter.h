#pragma once
// How the SDL host puts the frame on the screen: at an integer scale, centred in the
// window with black bars around it, uploading only the damaged parts. Two ways: through
// an SDL renderer (a GPU draws the scaled texture), or with our own nearest-neighbour
// scaling of the damaged parts into a picture of the window (an X11 image of our own, or
// SDL's window surface), which is far cheaper where OpenGL itself runs in software.

#include "platform/user/frame_view.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sdlhost {

// Where the frame sits in a window: an integer scale and the top-left of the frame (of
// its first shown row: rows above `hidden` are not shown).
struct Placement {
    int scale = 1;
    int left = 0;
    int top = 0;
    int hidden = 0;

    // The largest integer scale (at least 1) at which the frame, but for its first
    // `hidden` rows, fits the window, centred.
    static Placement Fit(int windowWidth, int windowHeight, int frameWidth, int frameHeight, int hidden = 0);
    // The frame pixel under a window point, or nothing outside the picture.
    std::optional<POINT> ToFrame(int x, int y, int frameWidth, int frameHeight) const;
    // A rectangle of the frame in window pixels (of its shown rows).
    SDL_Rect ToWindow(const RECT& frame) const;
    // The shown part of a rectangle of the frame; empty when it is all hidden.
    RECT Shown(const RECT& frame) const;
};

// A damaged rectangle of the frame as a window shows it: its shown part (frame
// pixels), and the window pixels of that part that lie inside the window.
struct ShownPart {
    RECT frame;
    SDL_Rect window;
};

// The parts of the damage that a window of `width` x `height` pixels shows, in `parts`
// (whose storage is reused), which is returned.
const std::vector<ShownPart>& ShownParts(const Placement& where, const std::vector<RECT>& damage, int width,
                                         int height, std::vector<ShownPart>& parts);

// A window-sized picture of 32-bit 0x00RRGGBB pixels, `pitch` bytes to a row.
struct WindowPixels {
    std::uint8_t* data;
    int pitch;
};

// Draws what the frame shows in `shown` (window pixels, inside the window and the
// frame's picture) into the window's picture, scaled as `where` places the frame.
void ScaleInto(const WindowPixels& pixels, const user::FrameView& frame, const Placement& where, const SDL_Rect& shown);

class Presenter {
public:
    Presenter(SDL_Window* window, int frameWidth, int frameHeight);
    virtual ~Presenter() = default;
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // Shows the damaged rectangles (frame coordinates) of the frame.
    virtual void Present(const user::FrameView& frame, const std::vector<RECT>& damage) = 0;
    // The window was resized or exposed: the next present repaints the bars too.
    virtual void Invalidate() {}
    virtual const char* Name() const = 0;
    // The frame's first `rows` rows are not shown (the menu bar, in full screen).
    void HideTop(int rows) { hiddenTop = rows; }

    Placement Where() const;

protected:
    SDL_Window* window;
    int frameWidth;
    int frameHeight;
    int hiddenTop = 0;
};

// Whether an OpenGL renderer name is a software rasteriser (or there is no OpenGL).
bool IsSoftwareRenderer(const std::string& glRenderer);

// The presenter for this window: our own scaling when OpenGL is missing or runs in
// software, through our own X11 image where the window is on X11 (x11_presenter.h) and
// SDL's window surface elsewhere; otherwise an SDL renderer. QUORVEL_PRESENT=renderer,
// x11 or surface asks for one of them (x11 falls back to the window surface). Null
// when none can be made.
std::unique_ptr<Presenter> MakePresenter(SDL_Window* window, int frameWidth, int frameHeight, bool headlessDriver);

}  // namespace sdlhost
