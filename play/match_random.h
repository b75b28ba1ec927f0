#pragma once
// The random numbers of one match. Every chance the match takes is drawn here, so that
// the match is a value: saving the generator with the rest of the match state and
// restoring it replays the same chances, and every machine of an online match that
// starts from the same seed draws the same numbers.

#include <cstdint>

class CMatchRandom {
public:
    static constexpr int kRange = 32768;

    CMatchRandom() = default;
    explicit CMatchRandom(std::uint32_t seed) : state(seed) {}

    // 0 to kRange - 1.
    int Draw()
    {
        state = state * 1103515245u + 12345u;
        return static_cast<int>(state >> 16 & 0x7fff);
    }

    bool operator==(const CMatchRandom&) const = default;

    std::uint32_t state = 1;
};
