#pragma once
// A fixed set of small pictures drawn with the GDI primitives the game uses, with the
// game's pens, brushes and shapes. Drawn once by Windows' GDI and once by ours, the two
// sets must match pixel for pixel.

#include "platform/win32.h"

#include <string>
#include <vector>

namespace pictures {

struct Picture {
    std::string name;
    int width;
    int height;
    std::vector<COLORREF> pixels;  // row by row, as GetPixel reads them
};

// Draws every picture of the set.
std::vector<Picture> DrawAll();

}  // namespace pictures
