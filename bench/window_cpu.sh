#!/bin/sh
# CPU cost per second of wall time, in one run on fresh Xvfb servers (no GPU: Mesa's
# software OpenGL), measured from /proc/PID/stat:
# - the real quorvel binary as a player sees it, at 1x, 2x and 4x (each on an Xvfb
#   screen that fits that scale), on the intro where nothing moves and in a match (the
#   default players: one on the mouse, three computer players) and watching a recorded
#   match of four computer players at 4x, with the pointer circling over the window all
#   the while;
# - the game's window from inside (bench_sdl_window: intro and a match, 1x and 2x, under
#   SDL's dummy and X11 drivers);
# - a plain SDL window that does nothing, woken as often, with the pointer circling;
# - Debian's packaged lbreakout2 on its first level. lbreakout2 is only run and measured
#   here (apt-get install lbreakout2).
#
#   sh bench/window_cpu.sh [BUILD_DIR]        (default: build/release, with benchmarks)
#
# QUORVEL_BENCH_SECONDS sets the length of each measurement (default 10);
# QUORVEL_BENCH_ONLY_BINARY=1 leaves out bench_sdl_window.
set -eu

build=${1:-build/release}
seconds=${QUORVEL_BENCH_SECONDS:-10}
export QUORVEL_BENCH_SECONDS="$seconds"
work=$(mktemp -d)
xvfb=""
breakout=""
game=""
circling=""

cleanup() {
    for pid in $circling $game $breakout $xvfb; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Ticks of user and system time of a process so far.
ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

# Per mille of one core that process $1 uses over $seconds seconds.
cpu_per_mille() {
    before=$(ticks "$1")
    sleep "$seconds"
    after=$(ticks "$1")
    awk -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "%.0f", 1000 * t / hz / s }'
}

# An X server of its own (the display number is the one Xvfb picks) with a screen of
# $1 (WIDTHxHEIGHT).
start_xvfb() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "$1"x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
}

stop() {
    for pid in "$@"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
}

# One xdotool that moves the pointer round a circle in the middle of window $1, a step
# every 20 ms, for longer than a measurement.
circle() {
    steps=$(((seconds + 8) * 50))
    geometry=$(xdotool getwindowgeometry --shell "$1")
    w=$(echo "$geometry" | sed -n 's/^WIDTH=//p')
    h=$(echo "$geometry" | sed -n 's/^HEIGHT=//p')
    awk -v n="$steps" -v w="$w" -v h="$h" -v id="$1" 'BEGIN {
        r = (w < h ? w : h) / 3
        for (i = 0; i < n; i++) {
            a = i * 0.12
            printf "mousemove --window %s %d %d sleep 0.02 ", id, w / 2 + r * cos(a), h / 2 + r * sin(a)
        }
    }' >"$work/circle"
    xdotool $(cat "$work/circle") &
    circling=$!
}

# A click at client pixel ($2, $3) of window $1 shown at scale $4 (the 20-row menu bar
# is above the client area).
click() {
    xdotool mousemove --window "$1" $(($2 * $4)) $((($3 + 20) * $4)) click 1
}

# A recording of a whole match of four computer players, made by the replay tool.
record_match() {
    XDG_CONFIG_HOME="$work/record" XDG_DATA_HOME="$work/record" \
        "$build/quorvel-replay" bench/computer_match.replay "$work/shots" >/dev/null
    recording=$(ls "$work/record/quorvel/replays/"*.qrv | head -n 1)
}

# The real game at scale $1 on a screen of $2, on the intro, in a match or watching the
# recording at 4x ($3).
quorvel_binary() {
    start_xvfb "$2"
    mkdir -p "$work/config"
    if [ "$3" = watch ]; then
        XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy "$build/quorvel" --watch "$recording" >"$work/quorvel.log" 2>&1 &
    else
        XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy "$build/quorvel" >"$work/quorvel.log" 2>&1 &
    fi
    game=$!
    sleep 3
    window=$(xdotool search --sync --onlyvisible --name "^Quorvel$" | tail -n 1)
    if [ "$3" = match ]; then
        click "$window" 255 330 "$1"
        sleep 1
        click "$window" 250 460 "$1"
    fi
    if [ "$3" = watch ]; then xdotool key --window "$window" f; fi
    circle "$window"
    sleep 3
    echo "quorvel ${1}x, $3, pointer circling: $(cpu_per_mille "$game") per mille of a core"
    stop "$circling" "$game" "$xvfb"
    circling=""
    game=""
    rm -rf "$work/config"
}

# A plain SDL window (bench_sdl_idle's), woken every 20 ms and doing nothing else, on an
# Xvfb screen of $1 with the pointer circling over it: the least any SDL program pays.
plain_window() {
    start_xvfb "$1"
    QUORVEL_BENCH_SECONDS=$((seconds + 10)) SDL_VIDEODRIVER=x11 \
        "$build/bench/bench_sdl_idle" --benchmark_filter=PlainSdlWindow >/dev/null 2>&1 &
    game=$!
    sleep 2
    circle "$(xdotool search --sync --onlyvisible --name "^Plain SDL window$" | tail -n 1)"
    sleep 3
    echo "plain SDL window, pointer circling: $(cpu_per_mille "$game") per mille of a core"
    stop "$circling" "$game" "$xvfb"
    circling=""
    game=""
}

echo "$seconds s a measurement"
plain_window 800x600
record_match
quorvel_binary 1 800x600 intro
quorvel_binary 1 800x600 match
quorvel_binary 1 800x600 watch
quorvel_binary 2 1200x1120 intro
quorvel_binary 2 1200x1120 match
quorvel_binary 2 1200x1120 watch
quorvel_binary 4 2200x2200 intro
quorvel_binary 4 2200x2200 match
quorvel_binary 4 2200x2200 watch

start_xvfb 1600x1200
echo "Xvfb on $DISPLAY, 1600x1200"
[ -n "${QUORVEL_BENCH_ONLY_BINARY:-}" ] || "$build/bench/bench_sdl_window"

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
echo "lbreakout2, first level: $(cpu_per_mille "$breakout") per mille of a core"
