// Built into every benchmark: matches that end keep their recordings in the build tree,
// never among the replays of the user who runs the benchmark.

#include <cstdlib>
#include <filesystem>

namespace {

const bool pointed = [] {
    const std::filesystem::path folder = std::filesystem::path(QUORVEL_BENCH_SCRATCH) / "data";
    std::filesystem::create_directories(folder);
    return setenv("XDG_DATA_HOME", folder.c_str(), 1) == 0;
}();

}  // namespace
