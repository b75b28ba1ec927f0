#!/bin/sh
# Builds Quorvel with AddressSanitizer and UndefinedBehaviorSanitizer (installing what it
# needs) and runs every test. Any sanitizer report fails the run.
set -eu
cd "$(dirname "$0")/.."
sh tools/deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON >/dev/null
cmake --build build/test
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build/test
ctest --output-on-failure -j 2 "$@"
