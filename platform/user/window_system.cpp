#include "platform/user/window_system.h"

#include "platform/user/frame_damage.h"
#include "platform/user/host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace user {
namespace {

Host* installedHost = nullptr;

using CopyChanges = void (*)(const gdi::Surface&, gdi::Surface&, int, std::vector<RECT>&);

gdi::Surface& Scratch(std::unique_ptr<gdi::Surface>& scratch, int width, int height)
{
    if (!scratch || scratch->Width() != width || scratch->Height() != height)
        scratch = std::make_unique<gdi::Surface>(width, height, false);
    return *scratch;
}

void CopyBar(Window& window, CopyChanges copy)
{
    if (!window.menu) return;
    gdi::Surface& bar = Scratch(window.menuScratch, window.client.Width(), window.MenuBarHeight());
    window.menu->Draw(bar);
    copy(bar, *window.frame, 0, window.damage);
    window.barPresented = true;
}

// The whole client area into the rows below the bar of a frame-sized surface.
void CopyClientInto(const Window& window, gdi::Surface& frame)
{
    const int barHeight = window.MenuBarHeight();
    for (int y = 0; y < window.client.Height(); ++y)
        std::memcpy(frame.Row(y + barHeight), window.client.Row(y),
                    sizeof(std::uint32_t) * static_cast<std::size_t>(window.client.Width()));
}

// An open menu may cover any part of the client area: the whole picture is put together
// before it is compared. Otherwise the bar is drawn alone and the client area compared
// where it stands. (Used when the host lost the picture, and while a pop-up is open.)
void ComposeFrame(Window& window, CopyChanges copy)
{
    gdi::Surface& frame = *window.frame;
    if (window.menu && window.menu->IsOpen()) {
        gdi::Surface& whole = Scratch(window.menuScratch, frame.Width(), frame.Height());
        CopyClientInto(window, whole);
        window.menu->Draw(whole);
        copy(whole, frame, 0, window.damage);
    } else {
        CopyBar(window, copy);
        copy(window.client, frame, window.MenuBarHeight(), window.damage);
    }
    window.frameHoldsClient = true;
}

// The frame's client rows as the host shows them, without presenting anything: the host
// showed the client surface itself since the frame last held them.
void CatchUpFrame(Window& window)
{
    CopyClientInto(window, *window.frame);
    window.frameHoldsClient = true;
}

// The parts of the client area that paints changed, and nothing else; the host shows
// them from the client surface.
void AddClientDamage(Window& window)
{
    const int barHeight = window.MenuBarHeight();
    const RECT client = window.ClientRect();
    for (const RECT& rect : window.clientDamage) {
        RECT part;
        if (!IntersectRect(&part, &rect, &client)) continue;
        window.damage.push_back(RECT{part.left, part.top + barHeight, part.right, part.bottom + barHeight});
    }
    window.frameHoldsClient = false;
}

// Tests set QUORVEL_PAINT_CHECK: then every present brings the damage that paints
// reported into a copy of the client area, compares the whole client area with it, and
// a pixel that a paint changed outside the area it reported ends the program.
bool CheckingFrames()
{
    static const bool checking = std::getenv("QUORVEL_PAINT_CHECK") != nullptr;
    return checking;
}

void CheckPaints(Window& window)
{
    const int width = window.client.Width();
    const std::size_t rowBytes = sizeof(std::uint32_t) * static_cast<std::size_t>(width);
    if (!window.checked || window.checked->Width() != width || window.checked->Height() != window.client.Height()) {
        window.checked = std::make_unique<gdi::Surface>(width, window.client.Height(), false);
        std::memcpy(window.checked->Data(), window.client.Data(), rowBytes * window.client.Height());
        return;
    }
    CopyParts(FrameView(window.client), window.clientDamage, *window.checked);
    for (int y = 0; y < window.client.Height(); ++y) {
        const std::uint32_t* now = window.client.Row(y);
        const auto differs = std::mismatch(now, now + width, window.checked->Row(y));
        if (differs.first == now + width) continue;
        std::fprintf(stderr, "paint check: client pixel (%d, %d) changed outside the damage of its paint\n",
                     static_cast<int>(differs.first - now), y);
        std::abort();
    }
}

// Brings the kept frame up to date; true when any pixel of what the host shows changed.
// A paint reports what it changed; the menu bar, and the whole frame while a pop-up is
// open or just closed, are compared with what was presented.
bool UpdateFrame(Window& window)
{
    const int width = window.client.Width();
    const int height = window.client.Height() + window.MenuBarHeight();
    if (!window.frame || window.frame->Width() != width || window.frame->Height() != height) {
        window.frame = std::make_unique<gdi::Surface>(width, height, false);
        window.presentWhole = true;
    }
    window.damage.clear();
    const bool menuOpen = window.menu && window.menu->IsOpen();
    if (window.presentWhole) {
        ComposeFrame(window, CopyWhole);
    } else if (menuOpen || window.composedUnderMenu) {
        if (!window.frameHoldsClient) CatchUpFrame(window);
        ComposeFrame(window, CopyChangedTiles);
    } else {
        // A closed menu's bar looks the same until the menu opens again.
        if (!window.barPresented) CopyBar(window, CopyChangedTiles);
        AddClientDamage(window);
    }
    if (menuOpen) window.barPresented = false;
    window.composedUnderMenu = menuOpen;
    if (CheckingFrames()) CheckPaints(window);
    window.clientDamage.clear();
    window.presentWhole = false;
    return !window.damage.empty();
}

// What the host is to show: the frame alone while it holds the client area (a pop-up
// over it, or just gone), else the bar from the frame over the client surface.
FrameView Shown(const Window& window)
{
    if (window.frameHoldsClient) return FrameView(*window.frame);
    return FrameView(*window.frame, window.MenuBarHeight(), window.client);
}

}  // namespace

WindowSystem& System()
{
    static WindowSystem system;
    return system;
}

void InstallHost(Host* host)
{
    installedHost = host;
}

Host* TheHost()
{
    return installedHost;
}

DWORD Now()
{
    return installedHost ? installedHost->Now() : 0;
}

Host* HostOf(const Window& window)
{
    return window.hosted ? installedHost : nullptr;
}

POINT FrameOrigin(const Window& window)
{
    Host* host = HostOf(window);
    return host ? host->FrameOrigin(window.handle) : window.position;
}

Window* FindWindow(HWND handle)
{
    if (!handle) return nullptr;
    return System().windows.Find(handle);
}

void MarkFrameDirty(Window& window)
{
    window.frameDirty = true;
}

void PresentWholeFrame(Window& window)
{
    window.presentWhole = true;
    window.frameDirty = true;
}

void PresentDirtyFrames()
{
    System().windows.ForEach([&](Window& window) {
        Host* host = HostOf(window);
        if (!window.frameDirty || !window.visible || window.destroying || !host) return;
        window.frameDirty = false;
        if (UpdateFrame(window)) host->Present(window.handle, Shown(window), window.damage);
    });
}

void ResetWindowSystem()
{
    WindowSystem& system = System();
    while (!system.windows.Empty()) {
        HWND any = nullptr;
        system.windows.ForEach([&](Window& window) {
            if (!any) any = window.handle;
        });
        // A window whose procedure refuses to go (destroying itself again) goes anyway.
        if (!DestroyWindow(any)) system.windows.Remove(any);
    }
    system.windows.ClearClasses();
    system.queue.Clear();
    system.timers.Clear();
    system.input = InputState{};
    system.cursor = CursorState{};
}

}  // namespace user
