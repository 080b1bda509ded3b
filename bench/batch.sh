#!/usr/bin/env bash
# Many sheets at once: COUNT generated sheets of about 2 KB converted By Key to D by one
# leadwright-convert call (median of RUNS) against a shell loop of one call per sheet, the peak
# RSS of one call over 100 and over COUNT sheets, and File, Convert Several through the real
# window offscreen on the same sheets. The sheets live in a fresh folder under /var/tmp (a real
# disk, so the syncs cost what they cost), removed at the end.
# usage: bench/batch.sh [BUILD_DIR] [COUNT] [RUNS]
set -euo pipefail

build=$(realpath "${1:-$(dirname "$0")/../build}")
count=${2:-1000}
runs=${3:-5}
convert=$build/cli/leadwright-convert
several=$build/bench/convert_several_bench
for program in "$convert" "$several" "$build/bench/leadwright_bench"; do
    [[ -x $program ]] || { echo "build $(basename "$program") in $build" >&2; exit 2; }
done

work=$(mktemp -d /var/tmp/leadwright-batch-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/all" "$work/hundred"
"$build/bench/leadwright_bench" --generate-set "$work/all" "$count" 2000
"$build/bench/leadwright_bench" --generate-set "$work/hundred" 100 2000
cat "$work"/all/* > /dev/null

# seconds SCRIPT: wall time of one run of SCRIPT in $work/all, outputs removed first.
seconds() {
    rm -f "$work"/all/*_D.txt
    sync
    local start=${EPOCHREALTIME/./}
    (cd "$work/all" && eval "$1")
    echo $((${EPOCHREALTIME/./} - start))
}
median() { sort -n | sed -n "$(((runs + 1) / 2))p"; }

one=$(for ((i = 0; i < runs; i++)); do seconds '"$convert" by-key D Song*_C.txt'; done | median)
loop=$(seconds 'for f in Song*_C.txt; do "$convert" by-key D "$f"; done')
peak() {
    rm -f "$1"/*_D.txt
    /usr/bin/time -f %M "$convert" by-key D "$1"/Song*_C.txt 2>&1 >/dev/null | tail -1
}
echo "$count sheets of about 2 KB, $(nproc) cores, $(df -T "$work" | awk 'NR == 2 { print $2 }')"
awk -v n="$count" -v a="$one" -v b="$loop" 'BEGIN {
    printf "one leadwright-convert call:  %7.3f s (median of '"$runs"')\n", a / 1e6
    printf "a shell loop, one per sheet:  %7.3f s, %.0f times as long\n", b / 1e6, b / a }'
echo "peak RSS over 100 sheets:     $(peak "$work/hundred") KB"
echo "peak RSS over $count sheets:    $(peak "$work/all") KB"
rm -f "$work"/all/*_D.txt
# From / so that the window's File, Open dialog does not start out in the sheets' folder.
echo "File, Convert Several:        $(cd / && "$several" "$work/all" 2>/dev/null | head -1)"
