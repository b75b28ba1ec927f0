#include "platform/host/sdl/sdl_audio.h"

#include <cstdio>

namespace sdlhost {
namespace {

constexpr int kRate = 22050;
constexpr Uint16 kBufferSamples = 512;  // about 23 ms: a sound starts within a frame or so

}  // namespace

SdlAudio::SdlAudio()
{
    subsystem = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (subsystem) {
        SDL_AudioSpec wanted{};
        wanted.freq = kRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = kBufferSamples;
        wanted.callback = Fill;
        wanted.userdata = this;
        mixer = std::make_unique<sound::Mixer>(kRate);
        // SDL converts to what the device wants; the mixer always makes 22050 Hz mono.
        device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    }
    if (!device) {
        std::fprintf(stderr, "Quorvel: no sound (%s); the game plays silently.\n", SDL_GetError());
        return;
    }
    SDL_PauseAudioDevice(device, 0);
}

SdlAudio::~SdlAudio()
{
    if (device) SDL_CloseAudioDevice(device);
    if (subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudio::Play(WORD, const sound::Wave& wave)
{
    if (!device) return;
    SDL_LockAudioDevice(device);
    mixer->Start(wave);
    SDL_UnlockAudioDevice(device);
}

void SdlAudio::StopAll()
{
    if (!device) return;
    SDL_LockAudioDevice(device);
    mixer->StopAll();
    SDL_UnlockAudioDevice(device);
}

// Runs on SDL's audio thread, with the device locked.
void SdlAudio::Fill(void* self, Uint8* stream, int length)
{
    auto* audio = static_cast<SdlAudio*>(self);
    audio->mixer->Mix(reinterpret_cast<std::int16_t*>(stream), static_cast<std::size_t>(length) / sizeof(std::int16_t));
}

}  // namespace sdlhost
