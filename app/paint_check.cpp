#include "app/paint_check.h"

#include "gfx/holder.h"
#include "ui/game.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

unsigned int CheckEvery()
{
    const char* every = std::getenv("QUORVEL_PAINT_CHECK");
    if (!every) return 0;
    const int n = std::atoi(every);
    return n > 0 ? static_cast<unsigned int>(n) : 1;
}

// The graphics, in paint order, whose last painted area holds the point.
struct Painters {
    POINT at;
    std::string names;
};

bool CollectPainters(void* data, CObject* child)
{
    auto& painters = *static_cast<Painters*>(data);
    if (auto* holder = dynamic_cast<CGraphicHolder*>(child)) {
        holder->IterateChildren(CollectPainters, data);
        return true;
    }
    auto* graphic = dynamic_cast<CGraphic*>(child);
    if (graphic && graphic->paintedArea && PtInRect(&*graphic->paintedArea, painters.at)) {
        if (!painters.names.empty()) painters.names += ", ";
        painters.names += static_cast<const char*>(graphic->type);
    }
    return true;
}

}  // namespace

PaintCheck::PaintCheck() : every(CheckEvery()) {}

bool PaintCheck::Read(HDC source, HBITMAP picture, int width, int height, std::vector<std::uint32_t>& pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.resize(static_cast<std::size_t>(width) * height);
    return GetDIBits(source, picture, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) == height;
}

// The whole paint goes into the back buffer itself: where the paints of the changed
// parts were right, it changes nothing there, and the first wrong pixel ends the program.
void PaintCheck::Check(HDC backBuffer, HBITMAP picture, int width, int height, CGame& screen)
{
    if (every == 0 || ++paints % every != 0) return;
    if (!Read(backBuffer, picture, width, height, built)) return;
    CGraphicHolder::passOverUnmet = false;
    try {
        screen.Paint(backBuffer);
    } catch (...) {
        CGraphicHolder::passOverUnmet = true;
        throw;
    }
    CGraphicHolder::passOverUnmet = true;
    if (!Read(backBuffer, picture, width, height, whole) || built == whole) return;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            if (built[i] != whole[i]) Fail(screen, x, y, built[i], whole[i]);
        }
}

void PaintCheck::Fail(CGame& screen, int x, int y, std::uint32_t builtPixel, std::uint32_t wholePixel)
{
    Painters painters{POINT{x, y}, {}};
    screen.IterateChildren(CollectPainters, &painters);
    std::fprintf(stderr,
                 "paint check: pixel (%d, %d) of %s is %06X painted by parts but %06X painted whole; "
                 "painted there last: %s\n",
                 x, y, static_cast<const char*>(screen.type), builtPixel & 0xFFFFFFu, wholePixel & 0xFFFFFFu,
                 painters.names.empty() ? "nothing" : painters.names.c_str());
    std::abort();
}
