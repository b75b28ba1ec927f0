#!/bin/sh
# fresh_config.sh ROOT COMMAND...: runs a test with a settings folder of its own, a new
# XDG_CONFIG_HOME under ROOT (in the build tree), removed when the test ends; recorded
# matches (XDG_DATA_HOME) go there as well, or to QUORVEL_DATA_HOME when that is set. No test
# reads or writes the settings of the user who runs it.
root=$1
shift
mkdir -p "$root" || exit 1
root=$(cd "$root" && pwd) || exit 1  # a relative XDG_CONFIG_HOME counts for nothing
XDG_CONFIG_HOME=$(mktemp -d "$root/config.XXXXXX") || exit 1
# Recorded matches go there too, unless the caller chose a place for them.
XDG_DATA_HOME=${QUORVEL_DATA_HOME:-$XDG_CONFIG_HOME}
export XDG_CONFIG_HOME XDG_DATA_HOME
"$@"
status=$?
rm -rf "$XDG_CONFIG_HOME"
exit $status
