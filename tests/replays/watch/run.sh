#!/bin/sh
# run.sh TOOL SOURCE OUT: records a match with the replay tool, plays its recording back
# and compares the pictures of both ends.
tool=$1 source=$2 out=$3
mkdir -p "$out" || exit 1
sh "$source/../../support/fresh_config.sh" "$out/homes" "$tool" "$source/record.replay" "$out" || exit 1
cmp "$out/live_end.png" "$out/watched_end.png" || { echo "the recording ended another way than the match"; exit 1; }
