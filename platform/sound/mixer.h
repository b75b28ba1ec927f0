#pragma once
// Mixes up to kVoices sounds into one channel of 16-bit samples at the device's rate;
// a sound started while all voices play takes the place of the one that has played
// longest. Not thread-safe: the audio host locks around it.

#include "platform/sound/wave.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace sound {

class Mixer {
public:
    static constexpr std::size_t kVoices = 8;

    explicit Mixer(int deviceRate) : rate(deviceRate) {}

    void Start(const Wave& wave);
    void StopAll();
    // Fills out with the sum of the playing sounds, clipped; silence when none plays.
    void Mix(std::int16_t* out, std::size_t count);
    std::size_t Playing() const;

private:
    struct Voice {
        const Wave* wave = nullptr;
        std::uint64_t position = 0;  // in 1/65536 samples of the wave
        std::uint64_t step = 0;
        std::uint64_t started = 0;
    };

    int rate;
    std::array<Voice, kVoices> voices{};
    std::uint64_t starts = 0;
};

}  // namespace sound
