#pragma once
// The sound output of the SDL host: one audio device, fed by a mixer of up to eight
// sounds at once. Without a device (none, busy, or refused) the game runs silently and
// says so once on standard error.

#include "platform/sound/mixer.h"
#include "platform/sound/output.h"

#include <SDL.h>

#include <memory>

namespace sdlhost {

class SdlAudio : public sound::Output {
public:
    SdlAudio();
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Whether a device was opened; otherwise Play does nothing.
    bool Ready() const { return device != 0; }

    void Play(WORD id, const sound::Wave& wave) override;
    void StopAll() override;

private:
    static void Fill(void* self, Uint8* stream, int length);

    SDL_AudioDeviceID device = 0;
    bool subsystem = false;
    std::unique_ptr<sound::Mixer> mixer;
};

}  // namespace sdlhost
