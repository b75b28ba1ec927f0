#pragma once
// What the game says when there is no display to show its window on.

#include <string>

namespace sdlhost {

// Why the game cannot show its window without a display, what was tried and how to run
// it with one.
std::string NoDisplayText(const char* sdlError);

}  // namespace sdlhost
