#pragma once
// The proof that painting only what changed misses nothing, for tests and the soak: with
// QUORVEL_PAINT_CHECK=N in the environment, every Nth paint of the engine is followed by
// a paint of the whole screen over the back buffer that the paints of the changed parts
// built up, which must leave it as it was. The first pixel that differs ends the
// program, naming the graphics whose last paint covered it.

#include "platform/win32.h"

#include <cstdint>
#include <vector>

class CGame;
class CGraphic;

class PaintCheck {
public:
    PaintCheck();

    // After a paint into `backBuffer` (whose bitmap is `picture`).
    void Check(HDC backBuffer, HBITMAP picture, int width, int height, CGame& screen);

private:
    bool Read(HDC dc, HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>& pixels);
    [[noreturn]] void Fail(CGame& screen, int x, int y, std::uint32_t built, std::uint32_t whole);

    unsigned int every = 0;
    unsigned int paints = 0;
    std::vector<std::uint32_t> built;
    std::vector<std::uint32_t> whole;
};
