#include "platform/user/window_system.h"

#include "platform/user/host.h"

#include <cstring>

namespace user {
namespace {

Host* installedHost = nullptr;

void ComposeFrame(Window& window)
{
    const int barHeight = window.MenuBarHeight();
    const int width = window.client.Width();
    const int height = window.client.Height() + barHeight;
    if (!window.frame || window.frame->Width() != width || window.frame->Height() != height)
        window.frame = std::make_unique<gdi::Surface>(width, height, false);
    for (int y = 0; y < window.client.Height(); ++y)
        std::memcpy(window.frame->Row(y + barHeight), window.client.Row(y), sizeof(std::uint32_t) * width);
    if (window.menu) window.menu->Draw(*window.frame);
}

}  // namespace

WindowSystem& System()
{
    static WindowSystem system;
    return system;
}

Host* CurrentHost()
{
    return installedHost;
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

void PresentDirtyFrames()
{
    System().windows.ForEach([&](Window& window) {
        Host* host = HostOf(window);
        if (!window.frameDirty || !window.visible || window.destroying || !host) return;
        window.frameDirty = false;
        ComposeFrame(window);
        host->Present(window.handle, *window.frame);
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
