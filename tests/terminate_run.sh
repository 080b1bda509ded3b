#!/usr/bin/env bash
# Ends convert_file with SIGTERM, then SIGHUP, in the middle of a run on a 200 MB sheet: no
# temporary file may be left beside the output, and the old output must be intact.
#   tests/terminate_run.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/leadwright_bench" --generate letters "$work/Big_C.txt" 200
for signal in TERM HUP; do
    echo "the old output" >"$work/Big_D.txt"
    "$build/bench/convert_file" by-key 7 "$work/Big_C.txt" &
    run=$!
    # The signal is sent once the temporary file exists, so it lands in the middle of the run;
    # on a busy machine the file can take seconds to appear.
    deadline=$((SECONDS + 60))
    until compgen -G "$work/.leadwright-*.tmp" >/dev/null; do
        kill -0 "$run" 2>/dev/null || break
        [ "$SECONDS" -lt "$deadline" ] || { kill "$run"; echo "no temporary file" >&2; exit 1; }
        sleep 0.05
    done
    kill -s "$signal" "$run" 2>/dev/null || true
    status=0 && wait "$run" || status=$?
    [ "$status" -eq $((128 + $(kill -l $signal))) ] || { echo "convert_file ended: $status" >&2; exit 1; }
    left=$(ls -A "$work" | tr '\n' ' ')
    [ "$left" = "Big_C.txt Big_D.txt " ] || { echo "SIG$signal left: $left" >&2; exit 1; }
    grep -qx "the old output" "$work/Big_D.txt" || { echo "SIG$signal changed the old output" >&2; exit 1; }
done
echo "SIGTERM and SIGHUP during a run: no temporary file left, the old output intact"
