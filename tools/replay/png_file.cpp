#include "tools/replay/png_file.h"

#include <png.h>

#include <vector>

namespace replay {
bool WritePng(const std::string& path, const gdi::Surface& surface)
{
    if (surface.Width() <= 0 || surface.Height() <= 0) return false;
    std::vector<png_byte> rgb;
    rgb.reserve(static_cast<std::size_t>(surface.Width()) * surface.Height() * 3);
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            const std::uint32_t pixel = surface.Row(y)[x];
            rgb.push_back(static_cast<png_byte>(pixel >> 16));
            rgb.push_back(static_cast<png_byte>(pixel >> 8));
            rgb.push_back(static_cast<png_byte>(pixel));
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.Width());
    image.height = static_cast<png_uint_32>(surface.Height());
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

std::optional<gdi::Surface> ReadPng(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
    image.format = PNG_FORMAT_BGRA;
    std::vector<png_byte> buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    gdi::Surface surface(static_cast<int>(image.width), static_cast<int>(image.height), false);
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            const png_byte* p = &buffer[(static_cast<std::size_t>(y) * image.width + x) * 4];
            surface.Row(y)[x] = (static_cast<std::uint32_t>(p[2]) << 16) | (p[1] << 8) | p[0];
        }
    return surface;
}

}  // namespace replay
