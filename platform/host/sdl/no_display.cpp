#include "platform/host/sdl/no_display.h"

#include <cstdlib>

namespace sdlhost {

namespace {

// The value of an environment variable in quotes, or the note that it is not set.
std::string Described(const char* variable)
{
    const char* value = std::getenv(variable);
    std::string text;
    if (value && *value) {
        text.append("'").append(value).append("'");
    } else {
        text.append("(").append(variable).append(" is not set)");
    }
    return text;
}

}  // namespace

std::string NoDisplayText(const char* sdlError)
{
    std::string text = "quorvel: no display to show the game on.\n";
    text.append("Tried: the X display ").append(Described("DISPLAY"));
    text.append(", Wayland ").append(Described("WAYLAND_DISPLAY"));
    if (sdlError && *sdlError) text.append(" (SDL: ").append(sdlError).append(")");
    text.append(".\n"
                "Run quorvel in a graphical session, or point DISPLAY at a running X server\n"
                "(for example: DISPLAY=:0 quorvel). SDL_VIDEODRIVER=dummy runs it without a window.\n");
    return text;
}

}  // namespace sdlhost
