#include "platform/user/resources.h"

#include <cstdlib>
#include <map>
#include <optional>

namespace user {
namespace {

template <typename T>
std::map<WORD, T>& Registry()
{
    static std::map<WORD, T> registry;
    return registry;
}

}  // namespace

std::optional<WORD> ResourceId(LPCSTR name)
{
    if (!name) return std::nullopt;
    if (IS_INTRESOURCE(name)) return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
    if (*name == '#') ++name;
    char* end = nullptr;
    const long value = std::strtol(name, &end, 10);
    if (end == name || *end != '\0' || value < 0 || value > 0xFFFF) return std::nullopt;
    return static_cast<WORD>(value);
}

namespace {

template <typename T>
const T* Find(LPCSTR name)
{
    if (!name) return nullptr;
    const std::optional<WORD> id = ResourceId(name);
    if (!id) return nullptr;
    auto& registry = Registry<T>();
    const auto found = registry.find(*id);
    return found == registry.end() ? nullptr : &found->second;
}

}  // namespace

MenuEntry MenuItem(std::string text, WORD id)
{
    return MenuEntry{std::move(text), id, false, {}};
}

MenuEntry MenuSeparator()
{
    return MenuEntry{"", 0, true, {}};
}

MenuEntry MenuPopup(std::string text, std::vector<MenuEntry> entries)
{
    return MenuEntry{std::move(text), 0, false, std::move(entries)};
}

DialogControl DialogStatic(std::string text, RECT bounds)
{
    return DialogControl{DialogControlKind::Static, std::move(text), -1, false, bounds};
}

DialogControl DialogButton(std::string text, int id, bool isDefault, RECT bounds)
{
    return DialogControl{DialogControlKind::PushButton, std::move(text), id, isDefault, bounds};
}

DialogControl DialogIcon(int id, RECT bounds)
{
    return DialogControl{DialogControlKind::Icon, "", id, false, bounds};
}

void RegisterMenu(WORD id, std::vector<MenuEntry> bar)
{
    Registry<std::vector<MenuEntry>>()[id] = std::move(bar);
}

void RegisterAccelerators(WORD id, std::vector<ACCEL> table)
{
    Registry<std::vector<ACCEL>>()[id] = std::move(table);
}

void RegisterDialog(WORD id, DialogTemplate dialog)
{
    Registry<DialogTemplate>()[id] = std::move(dialog);
}

const std::vector<MenuEntry>* FindMenu(LPCSTR name)
{
    return Find<std::vector<MenuEntry>>(name);
}

const std::vector<ACCEL>* FindAccelerators(LPCSTR name)
{
    return Find<std::vector<ACCEL>>(name);
}

const DialogTemplate* FindDialog(LPCSTR name)
{
    return Find<DialogTemplate>(name);
}

}  // namespace user
