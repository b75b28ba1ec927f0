// quorvel-sfx FOLDER: writes the game's sound effects into FOLDER as WAV files.

#include "tools/sfx/effects.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvel-sfx FOLDER\n");
        return 2;
    }
    for (const std::string& name : sfx::EffectNames()) {
        const std::vector<unsigned char> bytes = sound::EncodeWave(sfx::MakeEffect(name));
        const std::string path = std::string(argv[1]) + "/" + name + ".wav";
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
