#!/bin/sh
# Runs host.replay and join.replay against each other on a free loopback port, then
# checks that both machines showed the same pictures on the same frames.
# Usage: [PORT=N] run.sh REPLAY_TOOL SCRIPT_DIR OUT_DIR
set -u
tool=$1 scripts=$2 out=$3
rm -rf "$out"
mkdir -p "$out/host" "$out/join"
out=$(cd "$out" && pwd)  # the settings folders must be absolute to count
port=${PORT:-$(( 20000 + ($$ * 7919) % 30000 ))}
sed "s/@PORT@/$port/" "$scripts/host.replay" > "$out/host.replay"
sed "s/@PORT@/$port/" "$scripts/join.replay" > "$out/join.replay"
XDG_CONFIG_HOME="$out/host/config" XDG_DATA_HOME="$out/host/data" "$tool" "$out/host.replay" "$out/host" > "$out/host.log" 2>&1 &
host=$!
sleep 1
XDG_CONFIG_HOME="$out/join/config" XDG_DATA_HOME="$out/join/data" "$tool" "$out/join.replay" "$out/join" > "$out/join.log" 2>&1
joined=$?
wait $host
hosted=$?
status=0
[ $hosted -eq 0 ] || { echo "the host's script failed ($hosted):"; cat "$out/host.log"; status=1; }
[ $joined -eq 0 ] || { echo "the guest's script failed ($joined):"; cat "$out/join.log"; status=1; }
for shot in frame150.png frame400.png over.png again100.png; do
    cmp -s "$out/host/$shot" "$out/join/$shot" || { echo "$shot differs between the machines"; status=1; }
done
exit $status
