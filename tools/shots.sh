#!/bin/sh
# Regenerates the screenshots in docs/ from the scripts in docs/shots/ with the replay
# tool (the real program on the headless host, so the pictures are exact and repeatable).
set -eu
cd "$(dirname "$0")/.."
sh tools/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build build/release --target quorvel-replay
# Each script starts from the default players, whatever the settings of the machine.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
for script in docs/shots/*.txt; do
    echo "$script"
    rm -rf "$settings/quorvel"
    XDG_CONFIG_HOME="$settings" XDG_DATA_HOME="$settings" ./build/release/quorvel-replay "$script" docs
done
# Online: one program hosts on the default port and another joins it.
PORT=27960 sh tests/replays/online/run.sh ./build/release/quorvel-replay tests/replays/online build/release/online-shots
cp build/release/online-shots/host/joined.png docs/online_host.png
cp build/release/online-shots/join/address.png docs/online_join.png
