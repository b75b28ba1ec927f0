#pragma once
// What decides a graphic's picture besides the area it covers, folded into one number
// (FNV-1a over the values given): a graphic whose look or area differs from those of its
// last paint is painted again.

#include "core/str.h"

#include <cstdint>

class PaintLook {
public:
    PaintLook& Add(std::uint64_t v)
    {
        for (int i = 0; i < 8; ++i) Mix(static_cast<unsigned char>(v >> (8 * i)));
        return *this;
    }
    PaintLook& Add(const str& text)
    {
        const char* c = text;
        for (unsigned i = 0; i < text.Size(); ++i) Mix(static_cast<unsigned char>(c[i]));
        return Add(text.Size());
    }
    std::uint64_t Value() const { return value; }

private:
    void Mix(unsigned char byte)
    {
        value ^= byte;
        value *= 1099511628211ull;
    }

    std::uint64_t value = 14695981039346656037ull;
};
