#!/bin/sh
# run.sh TOOL SOURCE OUT: records a match with the replay tool, plays its recording back
# and compares the pictures of both ends; then damaged copies of the recording are all
# refused, each with its reason, and the list of replays shows instead.
tool=$1 source=$2 out=$3
rm -rf "$out" && mkdir -p "$out/data" || exit 1
fresh="$source/../../support/fresh_config.sh"
QUORVEL_DATA_HOME="$out/data" sh "$fresh" "$out/homes" "$tool" "$source/record.replay" "$out" > "$out/record.log" 2>&1 ||
    { cat "$out/record.log"; exit 1; }
cmp "$out/live_end.png" "$out/watched_end.png" || { echo "the recording ended another way than the match"; exit 1; }

recording=$(ls "$out"/data/quorvel/replays/*.qrv | head -n 1)
[ -f "$recording" ] || { echo "no recording was written"; exit 1; }
echo "recording: $(wc -c < "$recording") bytes"
bad="$out/bad"
mkdir -p "$bad"
head -c 100 "$recording" > "$bad/truncated.qrv"
head -c 4000 /dev/urandom > "$bad/random.qrv"
# The format's number (after the 8-byte mark) says 3: a file of a later version.
{ head -c 8 "$recording"; printf '\003\000'; tail -c +11 "$recording"; } > "$bad/future.qrv"
head -c 10485760 /dev/urandom > "$bad/junk.qrv"
{
    for name in truncated random future junk missing; do
        echo "watch $bad/$name.qrv"
        echo "wait 2"
        echo "wait-screen CReplays"
    done
    echo "shot refused.png"
} > "$out/damaged.replay"
sh "$fresh" "$out/homes" "$tool" "$out/damaged.replay" "$out" > "$out/damaged.log" 2>&1 || { cat "$out/damaged.log"; exit 1; }
status=0
for expected in "truncated.qrv: This replay is damaged" "random.qrv: This file is not a Quorvel replay" \
                "future.qrv: This replay was made by a newer version of Quorvel" \
                "junk.qrv: This file is too large to be a replay" "missing.qrv: This replay cannot be read"; do
    grep -q "$expected" "$out/damaged.log" || { echo "not said: $expected"; status=1; }
done
[ $status = 0 ] || cat "$out/damaged.log"
exit $status
