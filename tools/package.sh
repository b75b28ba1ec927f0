#!/bin/sh
# Makes the release packages in out/: the Debian package (quorvel_<version>_amd64.deb,
# checked with lintian) and, when MinGW-w64 is installed, the Windows installer and zip
# (quorvel-<version>-windows-x86_64-setup.exe and .zip), with their SHA-256 sums in
# out/SHA256SUMS. Installs what it needs first.
set -eu
cd "$(dirname "$0")/.."
sh tools/deps.sh
mkdir -p out
rm -f out/quorvel_* out/quorvel-* out/SHA256SUMS

# Debian installs games in /usr/games.
cmake -S . -B build/package-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF \
      -DQUORVEL_WINDOWS=OFF -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games >/dev/null
cmake --build build/package-deb
(cd build/package-deb && cpack -B "$PWD/../../out" >/dev/null)
rm -rf out/_CPack_Packages
lintian --fail-on error out/quorvel_*_amd64.deb

if command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    cmake -S . -B build/package-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
    cmake --build build/package-windows
    (cd build/package-windows && cpack -B "$PWD/../../out" >/dev/null)
    rm -rf out/_CPack_Packages
    cp "$(ls -t build/package-windows/quorvel-*-setup.exe | head -n 1)" out/
fi
(cd out && sha256sum quorvel_* quorvel-* > SHA256SUMS)
ls -l out
