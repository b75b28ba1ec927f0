#!/bin/sh
# Installs the Debian package made by tools/package.sh with apt (as on a fresh Debian 12,
# pulling its dependencies), starts the installed game under its own Xvfb until its
# window shows, then removes the package and checks that nothing of it is left.
# Needs root (or sudo); changes the system's packages, so it is not part of the tests.
set -eu
cd "$(dirname "$0")/.."
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
deb=$(ls out/quorvel_*_amd64.deb | tail -n 1)
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "./$deb"
files=$(dpkg -L quorvel | while read -r path; do if [ -f "$path" ]; then echo "$path"; fi; done)

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
# Debian puts games in /usr/games, on the PATH of desktop users.
(cd "$work" && PATH="$PATH:/usr/games" quorvel) &
game=$!
shown=""
for _ in $(seq 300); do
    if xdotool search --onlyvisible --name "Windows App" >/dev/null 2>&1; then shown=yes; break; fi
    sleep 0.1
done
xdotool key Escape
wait "$game" || { echo "quorvel failed"; exit 1; }
[ -n "$shown" ] || { echo "the installed quorvel showed no window"; exit 1; }
echo "the installed quorvel started and ended on Esc"

DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y quorvel
for file in $files; do
    if [ -e "$file" ]; then echo "left behind: $file"; exit 1; fi
done
echo "quorvel removed cleanly"
