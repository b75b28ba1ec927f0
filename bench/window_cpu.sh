#!/bin/sh
# CPU cost per second of wall time, in one run on a fresh Xvfb (no GPU: Mesa's software
# OpenGL): the game's real window (bench_sdl_window: intro and a match, 1x and 2x,
# under SDL's dummy and X11 drivers) and Debian's packaged lbreakout2 on its first
# level, measured from /proc/PID/stat. lbreakout2 is only run and measured here.
#
#   sh bench/window_cpu.sh [BUILD_DIR]        (default: build/release, with benchmarks)
#
# QUORVEL_BENCH_SECONDS sets the length of each measurement (default 10).
set -eu

build=${1:-build/release}
seconds=${QUORVEL_BENCH_SECONDS:-10}
export QUORVEL_BENCH_SECONDS="$seconds"
work=$(mktemp -d)
xvfb=""
breakout=""

cleanup() {
    [ -n "$breakout" ] && kill "$breakout" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Ticks of user and system time of a process so far.
ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

# Percent of one core that process $1 uses over $seconds seconds.
cpu_percent() {
    before=$(ticks "$1")
    sleep "$seconds"
    after=$(ticks "$1")
    awk -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "%.1f", 100 * t / hz / s }'
}

# An X server of its own: the display number is the one Xvfb picks.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(cat "$work/display")"
export DISPLAY
echo "Xvfb on $DISPLAY, 1600x1200, $seconds s a measurement"

"$build/bench/bench_sdl_window"

# lbreakout2 at its first level: Local Game, Start Original Set. Its window opens at
# the top-left of the bare X server; it sometimes fails to open the display, and is
# started again then.
mkdir -p "$work/home"
for _ in 1 2 3 4 5; do
    HOME="$work/home" SDL_AUDIODRIVER=dummy /usr/games/lbreakout2 </dev/null >"$work/lbreakout2.log" 2>&1 &
    breakout=$!
    sleep 3
    kill -0 "$breakout" 2>/dev/null && break
    breakout=""
done
if [ -z "$breakout" ]; then
    echo "lbreakout2 did not start:" >&2
    cat "$work/lbreakout2.log" >&2
    exit 1
fi
xdotool mousemove 181 270 click 1
sleep 1.5
xdotool mousemove 182 280 click 1
sleep 2
echo "lbreakout2, first level: $(cpu_percent "$breakout") % of a core"
