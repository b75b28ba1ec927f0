#include "platform/gdi/surface.h"

#include <algorithm>

namespace gdi {

Surface::Surface(int width, int height, bool monochrome)
    : width(std::max(width, 0)),
      height(std::max(height, 0)),
      monochrome(monochrome),
      pixels(static_cast<std::size_t>(this->width) * static_cast<std::size_t>(this->height), 0)
{
}

}  // namespace gdi
