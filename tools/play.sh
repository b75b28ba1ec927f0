#!/bin/sh
# Builds Quorvel (installing what it needs) and starts the game.
set -eu
cd "$(dirname "$0")/.."
sh tools/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build build/release --target quorvel
exec ./build/release/quorvel "$@"
