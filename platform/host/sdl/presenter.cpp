#include "platform/host/sdl/presenter.h"

#include "platform/host/sdl/x11_presenter.h"

#include <algorithm>
#include <cstring>

namespace sdlhost {
namespace {

constexpr unsigned int kGlRenderer = 0x1F01;  // GL_RENDERER

// The name of the OpenGL renderer a window of this display would get; empty when there
// is none. Read once, from a hidden window of its own.
std::string GlRendererName()
{
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL);
    if (!probe) return {};
    std::string name;
    if (SDL_GLContext context = SDL_GL_CreateContext(probe)) {
        using GetString = const unsigned char* (*)(unsigned int);
        const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
        if (const unsigned char* text = getString ? getString(kGlRenderer) : nullptr)
            name = reinterpret_cast<const char*>(text);
        SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(probe);
    return name;
}

// Calls `use` with each band of the rectangle's rows that lie in one surface of the frame.
template <typename Use>
void ForEachBand(const user::FrameView& frame, const RECT& rect, Use use)
{
    for (int y = rect.top; y < rect.bottom;) {
        const int end = frame.ContiguousEnd(y, rect.bottom);
        use(RECT{rect.left, y, rect.right, end});
        y = end;
    }
}

class RendererPresenter : public Presenter {
public:
    RendererPresenter(SDL_Window* window, SDL_Renderer* renderer, int frameWidth, int frameHeight)
        : Presenter(window, frameWidth, frameHeight), renderer(renderer)
    {
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, frameWidth,
                                    frameHeight);
    }
    ~RendererPresenter() override
    {
        if (texture) SDL_DestroyTexture(texture);
        SDL_DestroyRenderer(renderer);
    }
    bool Ready() const { return texture != nullptr; }
    const char* Name() const override { return "renderer"; }

    void Present(const user::FrameView& frame, const std::vector<RECT>& damage) override
    {
        const int pitch = frame.Width() * static_cast<int>(sizeof(std::uint32_t));
        for (const RECT& rect : damage)
            ForEachBand(frame, rect, [&](const RECT& band) {
                const SDL_Rect area{band.left, band.top, band.right - band.left, band.bottom - band.top};
                SDL_UpdateTexture(texture, &area, frame.Row(band.top) + band.left, pitch);
            });
        const RECT shown{0, hiddenTop, frameWidth, frameHeight};
        const SDL_Rect source{0, hiddenTop, frameWidth, frameHeight - hiddenTop};
        const SDL_Rect target = Where().ToWindow(shown);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, &source, &target);
        SDL_RenderPresent(renderer);
    }

private:
    SDL_Renderer* renderer;
    SDL_Texture* texture = nullptr;
};

// Frame pixels are 0x00RRGGBB, which is what a 32-bit surface with these masks holds.
bool SameLayout(const SDL_PixelFormat& format)
{
    return format.BytesPerPixel == 4 && format.Rmask == 0xFF0000 && format.Gmask == 0xFF00 && format.Bmask == 0xFF;
}

class SurfacePresenter : public Presenter {
public:
    using Presenter::Presenter;
    const char* Name() const override { return "surface"; }
    void Invalidate() override { clearPending = true; }

    void Present(const user::FrameView& frame, const std::vector<RECT>& damage) override
    {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        if (!surface) return;
        const Placement where = Where();
        updated.clear();
        if (clearPending) {
            SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
            updated.push_back(SDL_Rect{0, 0, surface->w, surface->h});
            clearPending = false;
        }
        for (const ShownPart& part : ShownParts(where, damage, surface->w, surface->h, parts))
            if (Draw(*surface, frame, part, where)) updated.push_back(part.window);
        if (!updated.empty()) SDL_UpdateWindowSurfaceRects(window, updated.data(), static_cast<int>(updated.size()));
    }

private:
    // Draws one damaged part scaled into the surface; false when the surface could not
    // be written.
    static bool Draw(SDL_Surface& surface, const user::FrameView& frame, const ShownPart& part, const Placement& where)
    {
        if (!SameLayout(*surface.format)) {
            ForEachBand(frame, part.frame, [&](const RECT& band) { Blit(surface, frame, band, where.ToWindow(band)); });
            return true;
        }
        if (SDL_MUSTLOCK(&surface) && SDL_LockSurface(&surface) != 0) return false;
        ScaleInto(WindowPixels{static_cast<std::uint8_t*>(surface.pixels), surface.pitch}, frame, where, part.window);
        if (SDL_MUSTLOCK(&surface)) SDL_UnlockSurface(&surface);
        return true;
    }

    // Surfaces of another layout take SDL's own scaled blit, of a band of rows that
    // follow each other in memory.
    static void Blit(SDL_Surface& surface, const user::FrameView& frame, const RECT& band, SDL_Rect target)
    {
        const int rows = band.bottom - band.top;
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint32_t*>(frame.Row(band.top)), frame.Width(), rows, 32,
            frame.Width() * static_cast<int>(sizeof(std::uint32_t)), SDL_PIXELFORMAT_RGB888);
        if (!source) return;
        SDL_Rect from{band.left, 0, band.right - band.left, rows};
        SDL_BlitScaled(source, &from, &surface, &target);
        SDL_FreeSurface(source);
    }

    bool clearPending = true;
    std::vector<ShownPart> parts;   // kept to reuse their storage
    std::vector<SDL_Rect> updated;
};

std::uint32_t* RowOf(const WindowPixels& pixels, int y)
{
    return reinterpret_cast<std::uint32_t*>(pixels.data + static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.pitch));
}

// Columns [from, to) of a window row from its frame row: each frame pixel `scale`
// times over.
void Widen(std::uint32_t* row, const std::uint32_t* source, const Placement& where, int from, int to)
{
    if (where.scale == 1) {
        std::memcpy(row + from, source + (from - where.left), sizeof(std::uint32_t) * static_cast<std::size_t>(to - from));
        return;
    }
    int column = (from - where.left) / where.scale;
    int nextColumnAt = where.left + (column + 1) * where.scale;
    for (int x = from; x < to; ++x) {
        if (x == nextColumnAt) {
            ++column;
            nextColumnAt += where.scale;
        }
        row[x] = source[column];
    }
}

bool Wanted(const char* choice, const char* name)
{
    return choice && std::strcmp(choice, name) == 0;
}

std::unique_ptr<Presenter> MakeRendererPresenter(SDL_Window* window, int frameWidth, int frameHeight)
{
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) return nullptr;
    auto presenter = std::make_unique<RendererPresenter>(window, renderer, frameWidth, frameHeight);
    if (!presenter->Ready()) return nullptr;
    return presenter;
}

}  // namespace

const std::vector<ShownPart>& ShownParts(const Placement& where, const std::vector<RECT>& damage, int width,
                                         int height, std::vector<ShownPart>& parts)
{
    parts.clear();
    const SDL_Rect bounds{0, 0, width, height};
    for (const RECT& damaged : damage) {
        ShownPart part{where.Shown(damaged), {}};
        if (part.frame.top >= part.frame.bottom) continue;
        const SDL_Rect target = where.ToWindow(part.frame);
        if (SDL_IntersectRect(&target, &bounds, &part.window)) parts.push_back(part);
    }
    return parts;
}

// Nearest neighbour at an integer scale: each frame row is widened once, then copied to
// the rows below it.
void ScaleInto(const WindowPixels& pixels, const user::FrameView& frame, const Placement& where, const SDL_Rect& shown)
{
    const std::size_t bytes = sizeof(std::uint32_t) * static_cast<std::size_t>(shown.w);
    for (int y = shown.y; y < shown.y + shown.h; ++y) {
        auto* row = RowOf(pixels, y);
        const int frameY = (y - where.top) / where.scale + where.hidden;
        if (y > shown.y && frameY == (y - 1 - where.top) / where.scale + where.hidden) {
            std::memcpy(row + shown.x, RowOf(pixels, y - 1) + shown.x, bytes);
            continue;
        }
        Widen(row, frame.Row(frameY), where, shown.x, shown.x + shown.w);
    }
}

Placement Placement::Fit(int windowWidth, int windowHeight, int frameWidth, int frameHeight, int hidden)
{
    Placement where;
    const int shownHeight = std::max(frameHeight - hidden, 1);
    where.scale = std::max(1, std::min(windowWidth / std::max(frameWidth, 1), windowHeight / shownHeight));
    where.left = (windowWidth - frameWidth * where.scale) / 2;
    where.top = (windowHeight - shownHeight * where.scale) / 2;
    where.hidden = hidden;
    return where;
}

std::optional<POINT> Placement::ToFrame(int x, int y, int frameWidth, int frameHeight) const
{
    if (x < left || y < top) return std::nullopt;
    const POINT point{(x - left) / scale, (y - top) / scale + hidden};
    if (point.x >= frameWidth || point.y >= frameHeight) return std::nullopt;
    return point;
}

SDL_Rect Placement::ToWindow(const RECT& frame) const
{
    return SDL_Rect{left + frame.left * scale, top + (frame.top - hidden) * scale, (frame.right - frame.left) * scale,
                    (frame.bottom - frame.top) * scale};
}

RECT Placement::Shown(const RECT& frame) const
{
    RECT shown = frame;
    shown.top = std::max<LONG>(shown.top, hidden);
    shown.bottom = std::max(shown.bottom, shown.top);
    return shown;
}

Presenter::Presenter(SDL_Window* window, int frameWidth, int frameHeight)
    : window(window), frameWidth(frameWidth), frameHeight(frameHeight)
{
}

Placement Presenter::Where() const
{
    int width = frameWidth, height = frameHeight;
    SDL_GetWindowSize(window, &width, &height);
    return Placement::Fit(width, height, frameWidth, frameHeight, hiddenTop);
}

bool IsSoftwareRenderer(const std::string& glRenderer)
{
    if (glRenderer.empty()) return true;
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (glRenderer.find(software) != std::string::npos) return true;
    return false;
}

std::unique_ptr<Presenter> MakePresenter(SDL_Window* window, int frameWidth, int frameHeight, bool headlessDriver)
{
    const char* choice = SDL_getenv("QUORVEL_PRESENT");
    const bool sdlSurface = Wanted(choice, "surface");
    bool ownScaling = sdlSurface || Wanted(choice, "x11");
    if (!ownScaling && !Wanted(choice, "renderer"))
        ownScaling = headlessDriver || IsSoftwareRenderer(GlRendererName());
    if (!ownScaling) {
        if (auto presenter = MakeRendererPresenter(window, frameWidth, frameHeight)) return presenter;
    }
    if (!sdlSurface) {
        if (auto presenter = MakeX11Presenter(window, frameWidth, frameHeight)) return presenter;
    }
    // Without this SDL would route the window surface through OpenGL again.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_GetWindowSurface(window)) return std::make_unique<SurfacePresenter>(window, frameWidth, frameHeight);
    return MakeRendererPresenter(window, frameWidth, frameHeight);
}

}  // namespace sdlhost
