#include "platform/host/sdl/window_icon.h"

#include <png.h>

#include <vector>

namespace sdlhost {

std::filesystem::path IconFileFor(const std::filesystem::path& executable)
{
    std::error_code error;
    if (!executable.empty()) {
        const auto installed =
            (executable.parent_path() / ".." / "share" / "icons" / "hicolor" / "64x64" / "apps" / "quorvel.png")
                .lexically_normal();
        if (std::filesystem::is_regular_file(installed, error)) return installed;
    }
    return std::filesystem::path(QUORVEL_ASSET_DIR) / "icons" / "quorvel-64.png";
}

bool SetWindowIcon(SDL_Window* window)
{
    std::error_code error;
    const std::filesystem::path file = IconFileFor(std::filesystem::read_symlink("/proc/self/exe", error));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return false;
    image.format = PNG_FORMAT_BGRA;  // ARGB8888 in memory on a little-endian machine
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4,
                                                           SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return false;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
    return true;
}

}  // namespace sdlhost
