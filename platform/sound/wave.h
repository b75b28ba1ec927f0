#pragma once
// A WAVE file's sound, decoded once: 16-bit samples, one channel.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sound {

struct Wave {
    int rate = 0;                       // samples a second
    std::vector<std::int16_t> samples;  // one channel
};

// Decodes a RIFF WAVE of uncompressed 8- or 16-bit PCM in one or two channels (two are
// mixed into one); anything else, or a file cut short, is nothing.
std::optional<Wave> DecodeWave(const unsigned char* bytes, std::size_t size);

// The other way, for the sounds the project makes: one channel of 16-bit PCM.
std::vector<unsigned char> EncodeWave(const Wave& wave);

}  // namespace sound
