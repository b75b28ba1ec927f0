#include "platform/user/window.h"

namespace user {

ATOM WindowTable::RegisterClass(WindowClass windowClass)
{
    if (windowClass.name.empty() || !windowClass.procedure || classes.count(windowClass.name)) return 0;
    const std::string name = windowClass.name;
    classes[name] = std::make_unique<WindowClass>(std::move(windowClass));
    return static_cast<ATOM>(0xC000 + classes.size());
}

const WindowClass* WindowTable::FindClass(const std::string& name) const
{
    const auto found = classes.find(name);
    return found == classes.end() ? nullptr : found->second.get();
}

Window& WindowTable::Add(std::unique_ptr<Window> window)
{
    const std::uintptr_t key = nextHandle;
    nextHandle += 0x10;
    window->handle = reinterpret_cast<HWND>(key);
    Window& added = *window;
    windows[key] = std::move(window);
    return added;
}

void WindowTable::Remove(HWND handle)
{
    if (active == handle) active = nullptr;
    windows.erase(reinterpret_cast<std::uintptr_t>(handle));
}

Window* WindowTable::Find(HWND handle) const
{
    const auto found = windows.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == windows.end() ? nullptr : found->second.get();
}

HWND WindowTable::Newest() const
{
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (it->second->visible && !it->second->destroying) return it->second->handle;
    return nullptr;
}

Window* WindowTable::Focused() const
{
    return Find(active);
}

}  // namespace user
