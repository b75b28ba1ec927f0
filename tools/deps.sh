#!/bin/sh
# Installs the Debian packages that building, running and testing Quorvel need, when
# any of them is missing. Safe to run again: it does nothing when all are present.
set -eu

PACKAGES="
build-essential cmake ninja-build pkg-config
libgtest-dev libgmock-dev googletest libbenchmark-dev
libfreetype-dev libfontconfig-dev libpng-dev libsdl2-dev libx11-dev libxext-dev libenet-dev
fontconfig fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-urw-base35
fonts-lobster fonts-roboto-unhinted
xvfb xkb-data x11-xkb-utils xdotool x11-apps netpbm desktop-file-utils appstream
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis
libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1 libxxf86vm1
lintian dpkg-dev file
"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
    echo "Installing:$missing"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi
