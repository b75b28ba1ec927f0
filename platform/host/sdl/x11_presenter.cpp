#include "platform/host/sdl/x11_presenter.h"

#ifdef QUORVEL_X11
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>
#endif

namespace sdlhost {

#ifdef QUORVEL_X11

namespace {

bool attachRefused = false;

int NoteAttachRefused(Display*, XErrorEvent*)
{
    attachRefused = true;
    return 0;
}

bool LittleEndian()
{
    const std::uint32_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

// Whether the window's pixels are 0x00RRGGBB words, as the frame's are. SDL may choose
// a DirectColor visual (for gamma ramps); its pixels are laid out as TrueColor's.
bool HoldsFramePixels(const XWindowAttributes& attributes)
{
    const Visual* visual = attributes.visual;
    if (attributes.depth != 24 || !visual) return false;
    if (visual->c_class != TrueColor && visual->c_class != DirectColor) return false;
    return visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

// A window-sized picture that the X server can show.
class XPicture {
public:
    XPicture(Display* display, Visual* visual, int depth, int width, int height) : display(display)
    {
        if (XShmQueryExtension(display) && Share(visual, depth, width, height)) return;
        image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                             static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
        if (!image) return;
        storage.resize(static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height));
        image->data = storage.data();
    }
    ~XPicture() { Release(); }
    XPicture(const XPicture&) = delete;
    XPicture& operator=(const XPicture&) = delete;

    // Whether it holds 32-bit words in this machine's byte order.
    bool Usable() const
    {
        return image && image->bits_per_pixel == 32 && image->byte_order == (LittleEndian() ? LSBFirst : MSBFirst);
    }
    int Width() const { return image->width; }
    int Height() const { return image->height; }
    WindowPixels Pixels() const { return WindowPixels{reinterpret_cast<std::uint8_t*>(image->data), image->bytes_per_line}; }

    void Clear()
    {
        std::memset(image->data, 0, static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(Height()));
    }

    void Put(::Window target, GC gc, const SDL_Rect& area) const
    {
        const auto width = static_cast<unsigned>(area.w), height = static_cast<unsigned>(area.h);
        if (shared)
            XShmPutImage(display, target, gc, image, area.x, area.y, area.x, area.y, width, height, False);
        else
            XPutImage(display, target, gc, image, area.x, area.y, area.x, area.y, width, height);
    }

private:
    bool Share(Visual* visual, int depth, int width, int height)
    {
        image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &segment,
                                static_cast<unsigned>(width), static_cast<unsigned>(height));
        if (!image) return false;
        const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height);
        segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (segment.shmid >= 0) {
            void* memory = shmat(segment.shmid, nullptr, 0);
            if (memory != reinterpret_cast<void*>(-1)) {
                segment.shmaddr = image->data = static_cast<char*>(memory);
                segment.readOnly = False;
                shared = Attach();
                if (!shared) shmdt(memory);
            }
            shmctl(segment.shmid, IPC_RMID, nullptr);  // it goes once both sides let go
        }
        if (shared) return true;
        DestroyImage();
        return false;
    }

    // A server that cannot reach the segment (one on another machine) refuses it with an
    // error, which comes back only after a round trip.
    bool Attach()
    {
        XSync(display, False);  // errors of earlier requests go to the usual handler
        attachRefused = false;
        auto* previous = XSetErrorHandler(NoteAttachRefused);
        const bool sent = XShmAttach(display, &segment) != 0;
        XSync(display, False);
        XSetErrorHandler(previous);
        return sent && !attachRefused;
    }

    void Release()
    {
        if (!image) return;
        if (shared) {
            XShmDetach(display, &segment);
            XSync(display, False);  // the server has let go before the memory goes
            shmdt(segment.shmaddr);
        }
        DestroyImage();
    }

    // The pixels are not Xlib's to free.
    void DestroyImage()
    {
        image->data = nullptr;
        image->obdata = nullptr;
        XDestroyImage(image);
        image = nullptr;
    }

    Display* display;
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    bool shared = false;
    std::vector<char> storage;  // the pixels, when they are not shared
};

class X11Presenter : public Presenter {
public:
    X11Presenter(SDL_Window* window, int frameWidth, int frameHeight, Display* display, ::Window target,
                 const XWindowAttributes& attributes)
        : Presenter(window, frameWidth, frameHeight),
          display(display),
          target(target),
          visual(attributes.visual),
          depth(attributes.depth),
          gc(XCreateGC(display, target, 0, nullptr))
    {
    }
    ~X11Presenter() override
    {
        picture.reset();
        XFreeGC(display, gc);
    }
    const char* Name() const override { return "x11"; }
    void Invalidate() override { clearPending = true; }

    // Makes the picture again when the window's size changed; false when it cannot be made.
    bool Fit()
    {
        int width = 0, height = 0;
        SDL_GetWindowSize(window, &width, &height);
        if (picture && picture->Width() == width && picture->Height() == height) return true;
        picture.reset();
        auto made = std::make_unique<XPicture>(display, visual, depth, std::max(width, 1), std::max(height, 1));
        if (!made->Usable()) return false;
        picture = std::move(made);
        clearPending = true;
        return true;
    }

    void Present(const user::FrameView& frame, const std::vector<RECT>& damage) override
    {
        if (!Fit()) return;
        if (clearPending) {
            picture->Clear();
            picture->Put(target, gc, SDL_Rect{0, 0, picture->Width(), picture->Height()});
            clearPending = false;
        }
        const Placement where = Where();
        for (const ShownPart& part : ShownParts(where, damage, picture->Width(), picture->Height(), parts)) {
            ScaleInto(picture->Pixels(), frame, where, part.window);
            picture->Put(target, gc, part.window);
        }
        XFlush(display);
    }

private:
    Display* display;
    ::Window target;
    Visual* visual;
    int depth;
    GC gc;
    std::unique_ptr<XPicture> picture;
    bool clearPending = true;
    std::vector<ShownPart> parts;  // kept to reuse their storage
};

}  // namespace

std::unique_ptr<Presenter> MakeX11Presenter(SDL_Window* window, int frameWidth, int frameHeight)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    Display* display = info.info.x11.display;
    const ::Window target = info.info.x11.window;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, target, &attributes) || !HoldsFramePixels(attributes)) return nullptr;
    auto presenter = std::make_unique<X11Presenter>(window, frameWidth, frameHeight, display, target, attributes);
    if (!presenter->Fit()) return nullptr;
    return presenter;
}

#else

std::unique_ptr<Presenter> MakeX11Presenter(SDL_Window*, int, int)
{
    return nullptr;
}

#endif

}  // namespace sdlhost
