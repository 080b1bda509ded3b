#!/usr/bin/env bash
# Many sheets at once: COUNT generated lead sheets of about 2 KB converted By Key to D by one
# leadwright-convert call (median of RUNS) against a shell loop of one call per sheet, the peak
# RSS of one call over 100 and over COUNT sheets, and File, Convert Several through the real
# window offscreen on the same sheets; then the same for COUNT ChordPro sheets and COUNT sheets
# of chords over lyrics of about 2 KB, without the loop. The sheets live in fresh folders under /var/tmp (a real disk, so the syncs
# cost what they cost), removed at the end.
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
mkdir "$work/all" "$work/hundred" "$work/chordpro" "$work/col"
"$build/bench/leadwright_bench" --generate-set "$work/all" "$count" 2000
"$build/bench/leadwright_bench" --generate-set "$work/hundred" 100 2000
"$build/bench/leadwright_bench" --generate-set "$work/chordpro" "$count" 2000 chordpro
"$build/bench/leadwright_bench" --generate-set "$work/col" "$count" 2000 chords-over-lyrics
cat "$work"/all/* "$work"/chordpro/* "$work"/col/* > /dev/null

# seconds FOLDER SCRIPT: wall time of one run of SCRIPT in FOLDER, its outputs removed first.
seconds() {
    rm -f "$1"/*_D.* "$1"/*.floor
    sync
    local start=${EPOCHREALTIME/./}
    (cd "$1" && eval "$2")
    echo $((${EPOCHREALTIME/./} - start))
}
median() { sort -n | sed -n "$(((runs + 1) / 2))p"; }
# peak FOLDER PATTERN: peak RSS in KB of one call over the sheets of FOLDER named PATTERN.
peak() {
    rm -f "$1"/*_D.*
    # shellcheck disable=SC2086  # PATTERN is a glob
    /usr/bin/time -f %M "$convert" by-key D "$1"/$2 2>&1 >/dev/null | tail -1
}
# window FOLDER [PATTERN]: File, Convert Several on the sheets of FOLDER. From / so that the
# window's file dialog does not start out in the sheets' folder.
window() {
    rm -f "$1"/*_D.*
    (cd / && "$several" "$@" 2>/dev/null | head -1)
}

# The three kinds of sheet and the floor take turns, so that all meet the same load.
floor() { "$build/bench/leadwright_bench" --floor-set "$@"; }
for ((i = 0; i < runs; i++)); do
    seconds "$work/all" 'floor Song*_C.txt' >> "$work/floor-times"
    seconds "$work/all" '"$convert" by-key D Song*_C.txt' >> "$work/lead-times"
    seconds "$work/chordpro" '"$convert" by-key D Song*.cho' >> "$work/chordpro-times"
    seconds "$work/col" '"$convert" by-key D Song*.crd' >> "$work/col-times"
done
one=$(median < "$work/lead-times")
chordpro=$(median < "$work/chordpro-times")
col=$(median < "$work/col-times")
floor=$(median < "$work/floor-times")
loop=$(seconds "$work/all" 'for f in Song*_C.txt; do "$convert" by-key D "$f"; done')
echo "$count lead sheets of about 2 KB, $(nproc) cores, $(df -T "$work" | awk 'NR == 2 { print $2 }')"
awk -v n="$count" -v a="$one" -v b="$loop" -v f="$floor" 'BEGIN {
    printf "the floor, 8 calls a sheet:   %7.3f s (median of '"$runs"')\n", f / 1e6
    printf "one leadwright-convert call:  %7.3f s (median of '"$runs"'), %.2f times the floor\n",
           a / 1e6, a / f
    printf "a shell loop, one per sheet:  %7.3f s, %.0f times as long\n", b / 1e6, b / a }'
echo "peak RSS over 100 sheets:     $(peak "$work/hundred" 'Song*_C.txt') KB"
echo "peak RSS over $count sheets:    $(peak "$work/all" 'Song*_C.txt') KB"
echo "File, Convert Several:        $(window "$work/all")"

# other_kind TITLE SECONDS FOLDER PATTERN: the lines of another kind of sheet.
other_kind() {
    echo "$count $1"
    awk -v a="$one" -v c="$2" 'BEGIN {
        printf "one leadwright-convert call:  %7.3f s (median of '"$runs"'), %.2f of the lead sheets\n",
               c / 1e6, c / a }'
    echo "peak RSS over $count sheets:    $(peak "$3" "Song$4") KB"
    echo "File, Convert Several:        $(window "$3" "$4")"
}
other_kind "ChordPro sheets of about 2 KB, key in {key: C}" "$chordpro" "$work/chordpro" '*.cho'
other_kind "sheets of chords over lyrics of about 2 KB, key in a Key: C line" "$col" "$work/col" \
    '*.crd'
