// quorvel-replay SCRIPT [OUTDIR]: runs the program on the headless host as the script
// says; shots go to OUTDIR (the current folder by default).

#include "tools/replay/replay.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: quorvel-replay SCRIPT [OUTDIR]\n");
        return replay::kScriptError;
    }
    return replay::RunFile(argv[1], argc == 3 ? argv[2] : ".", WinMain);
}
