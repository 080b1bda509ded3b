#!/usr/bin/env bash
# Ends convert_file with SIGTERM, then SIGHUP, in the middle of a run on a 200 MB sheet: no
# temporary file may be left beside the output, and the old output must be intact.
#   tests/terminate_run.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1") work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/poll.sh"
fail() { echo "$*; the folder holds: $(ls -A "$work")" >&2; exit 1; }
"$build/bench/leadwright_bench" --generate letters "$work/Big_C.txt" 200
for signal in TERM HUP; do
    echo "the old output" >"$work/Big_D.txt"
    "$build/bench/convert_file" by-key 7 "$work/Big_C.txt" &
    run=$!
    # The signal is sent once the temporary file exists, so it lands in the middle of the run.
    started() { compgen -G "$work/.leadwright-*.tmp" >/dev/null || ! kill -0 "$run" 2>/dev/null; }
    poll started || { kill "$run"; fail "no temporary file"; }
    kill -s "$signal" "$run" 2>/dev/null || true
    status=0 && wait "$run" || status=$?
    ((status == 128 + $(kill -l $signal))) || fail "convert_file ended: $status"
    [ "$(ls -A "$work" | tr '\n' ' ')" = "Big_C.txt Big_D.txt " ] || fail "SIG$signal left a file"
    grep -qx "the old output" "$work/Big_D.txt" || fail "SIG$signal changed the old output"
done
echo "SIGTERM and SIGHUP during a run: no temporary file left, the old output intact"
