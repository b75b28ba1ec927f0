#pragma once
// How long a benchmark that measures for a while runs: QUORVEL_BENCH_SECONDS, or its own
// default.

#include <cstdlib>

inline unsigned int BenchMilliseconds(unsigned int byDefault)
{
    const char* seconds = std::getenv("QUORVEL_BENCH_SECONDS");
    const int value = seconds ? std::atoi(seconds) : 0;
    return value > 0 ? static_cast<unsigned int>(value) * 1000 : byDefault;
}
