#pragma once
// Pads through SDL2's game controllers, for XInput. Pads may come and go while the game
// runs; each takes the first free slot (0 to 3) and keeps it while it stays plugged in.
// What SDL knows only as a joystick becomes a pad once a mapping names its controls:
// SDL's own mapping database, the SDL_GAMECONTROLLERCONFIG environment variable (read by
// SDL itself) and the user's mapping file, UserMappingFile(). The pads' state is fetched
// when the game reads them, at most once a millisecond, not by SDL's event pump: while
// SDL updates joysticks itself, its wait for events becomes a poll every millisecond.

#include "platform/xinput/pad_host.h"

#include <SDL.h>

#include <optional>
#include <string>

namespace sdlhost {

class SdlPads : public xinput::PadHost {
public:
    // Starts SDL's game controller part (SDL_Init must have run) and reads the user's
    // mapping file when there is one.
    SdlPads();
    ~SdlPads() override;
    SdlPads(const SdlPads&) = delete;
    SdlPads& operator=(const SdlPads&) = delete;

    // False (with the reason on standard error) when SDL's game controllers could not start.
    bool Ready() const { return ready; }

    bool Read(DWORD slot, XINPUT_GAMEPAD& gamepad) override;
    const char* Name(DWORD slot) override;
    bool CanRumble(DWORD slot) override;
    bool Rumble(DWORD slot, WORD low, WORD high) override;

private:
    static int SDLCALL Watch(void* self, SDL_Event* event);
    SDL_GameController* Plugged(DWORD slot);
    void Update();
    bool AnyOpen() const;
    void Refresh();
    void Open(int deviceIndex);
    bool Holds(SDL_JoystickID id) const;

    bool ready = false;
    bool changed = true;  // pads came or went since the slots were last looked at
    static constexpr Uint32 kLookForPadsMs = 250;
    std::optional<Uint32> lastUpdate;  // when the pads' state was last fetched
    SDL_GameController* slots[XUSER_MAX_COUNT] = {};
};

// $XDG_CONFIG_HOME/quorvel/gamecontrollerdb.txt, or ~/.config/quorvel/gamecontrollerdb.txt
// without XDG_CONFIG_HOME; empty when neither variable is set.
std::string UserMappingFile();

// Adds the mappings of a file in SDL's gamecontrollerdb.txt format: one controller a line,
// '#' starts a comment, lines for other platforms are skipped. A file that cannot be read
// and every line that is not a mapping are reported on standard error; the good lines
// still count. Returns the number of mappings added.
int LoadMappingFile(const std::string& path);

}  // namespace sdlhost
