#include "platform/user/window_system.h"

#include "platform/user/frame_damage.h"
#include "platform/user/host.h"

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

// An open menu may cover any part of the client area: the whole picture is put together
// before it is compared. Otherwise the bar is drawn alone and the client area compared
// where it stands.
void ComposeFrame(Window& window, CopyChanges copy)
{
    const int barHeight = window.MenuBarHeight();
    const int width = window.client.Width();
    gdi::Surface& frame = *window.frame;
    if (window.menu && window.menu->IsOpen()) {
        gdi::Surface& whole = Scratch(window.menuScratch, width, frame.Height());
        for (int y = 0; y < window.client.Height(); ++y)
            std::memcpy(whole.Row(y + barHeight), window.client.Row(y), sizeof(std::uint32_t) * width);
        window.menu->Draw(whole);
        copy(whole, frame, 0, window.damage);
        return;
    }
    if (window.menu) {
        gdi::Surface& bar = Scratch(window.menuScratch, width, barHeight);
        window.menu->Draw(bar);
        copy(bar, frame, 0, window.damage);
    }
    copy(window.client, frame, barHeight, window.damage);
}

// Brings the kept frame up to date; true when any pixel of it changed.
bool UpdateFrame(Window& window)
{
    const int width = window.client.Width();
    const int height = window.client.Height() + window.MenuBarHeight();
    if (!window.frame || window.frame->Width() != width || window.frame->Height() != height) {
        window.frame = std::make_unique<gdi::Surface>(width, height, false);
        window.presentWhole = true;
    }
    window.damage.clear();
    ComposeFrame(window, window.presentWhole ? CopyWhole : CopyChangedTiles);
    window.presentWhole = false;
    return !window.damage.empty();
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
        if (UpdateFrame(window)) host->Present(window.handle, *window.frame, window.damage);
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
