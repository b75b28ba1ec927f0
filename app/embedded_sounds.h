#pragma once
// The WAV files of assets/sounds, built into the program (the build writes their bytes
// into a source file of its own).

#include <cstddef>

namespace embedded {

struct File {
    const char* name;  // without ".wav"
    const unsigned char* bytes;
    std::size_t size;
};

extern const File kSoundFiles[];
extern const std::size_t kSoundFileCount;

}  // namespace embedded
