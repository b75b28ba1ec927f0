// gdi-pictures OUTDIR: draws the picture set and writes each picture to OUTDIR/<name>.ppm.
// Built against Windows' GDI (run under Wine) and against ours, for comparison.

#include "tools/gdi_pictures/pictures.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool WritePpm(const std::string& path, const pictures::Picture& picture)
{
    std::ofstream file(path, std::ios::binary);
    file << "P6\n" << picture.width << ' ' << picture.height << "\n255\n";
    for (COLORREF pixel : picture.pixels) {
        const char rgb[3] = {static_cast<char>(GetRValue(pixel)), static_cast<char>(GetGValue(pixel)),
                             static_cast<char>(GetBValue(pixel))};
        file.write(rgb, 3);
    }
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gdi-pictures OUTDIR\n");
        return 2;
    }
    int failures = 0;
    for (const pictures::Picture& picture : pictures::DrawAll()) {
        const std::string path = std::string(argv[1]) + "/" + picture.name + ".ppm";
        if (!WritePpm(path, picture)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
