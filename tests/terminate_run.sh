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
    for _ in $(seq 100); do compgen -G "$work/.leadwright-*.tmp" >/dev/null && break; sleep 0.05; done
    kill -s "$signal" $!
    if wait $!; then echo "convert_file ended before SIG$signal reached it" >&2; exit 1; fi
    left=$(ls -A "$work" | tr '\n' ' ')
    [ "$left" = "Big_C.txt Big_D.txt " ] || { echo "SIG$signal left: $left" >&2; exit 1; }
    grep -qx "the old output" "$work/Big_D.txt" || { echo "SIG$signal changed the old output" >&2; exit 1; }
done
echo "SIGTERM and SIGHUP during a run: no temporary file left, the old output intact"
