#pragma once
// The game's icon on the window (task bar, window list, title bar).

#include <SDL.h>

#include <filesystem>

namespace sdlhost {

// The icon file for an executable: the installed one beside it (share/icons), else the
// one in the source tree.
std::filesystem::path IconFileFor(const std::filesystem::path& executable);

// Sets the window's icon from the icon file; false (and no icon) when it cannot be read.
bool SetWindowIcon(SDL_Window* window);

}  // namespace sdlhost
