#pragma once
// The proof that painting only what changed misses nothing, for tests and the soak: with
// QUORVEL_PAINT_CHECK=N in the environment, every Nth paint of the engine is followed by
// a paint of the whole screen into a buffer of its own, which must equal the back buffer
// that the paints of the changed parts built up. The first pixel that differs ends the
// program, naming the graphics whose last paint covered it.

#include "platform/win32.h"

#include <cstdint>
#include <vector>

class CGame;
class CGraphic;

class PaintCheck {
public:
    PaintCheck();
    ~PaintCheck();
    PaintCheck(const PaintCheck&) = delete;
    PaintCheck& operator=(const PaintCheck&) = delete;

    // After a paint into `backBuffer` (whose bitmap is `picture`).
    void Check(HDC backBuffer, HBITMAP picture, int width, int height, CGame& screen);
private:
    void Release();
    bool Read(HDC dc, HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>& pixels);
    [[noreturn]] void Fail(CGame& screen, int x, int y, std::uint32_t built, std::uint32_t whole);

    unsigned int every = 0;
    unsigned int paints = 0;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    std::vector<std::uint32_t> built;
    std::vector<std::uint32_t> whole;
};
