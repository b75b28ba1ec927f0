#pragma once
// How the SDL host puts the frame on the screen: at an integer scale, centred in the
// window with black bars around it, uploading only the damaged parts. Two ways: through
// an SDL renderer (a GPU draws the scaled texture), or through the window surface with
// our own nearest-neighbour scaling of the damaged parts (XShm on X11), which is far
// cheaper where OpenGL itself runs in software.

#include "platform/gdi/surface.h"

#include <SDL.h>

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

class Presenter {
public:
    Presenter(SDL_Window* window, int frameWidth, int frameHeight);
    virtual ~Presenter() = default;
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // Shows the damaged rectangles (frame coordinates) of the frame.
    virtual void Present(const gdi::Surface& frame, const std::vector<RECT>& damage) = 0;
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

// The presenter for this window: the window surface when OpenGL is missing or runs in
// software, or when QUORVEL_PRESENT=surface asks for it; otherwise an SDL renderer
// (QUORVEL_PRESENT=renderer forces it). Null when neither can be made.
std::unique_ptr<Presenter> MakePresenter(SDL_Window* window, int frameWidth, int frameHeight, bool headlessDriver);

}  // namespace sdlhost
