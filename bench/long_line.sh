#!/usr/bin/env bash
# One lead sheet of a single chord line of SIZE_MB megabytes ("^C  Am7  F/G  Bb ..." and CR LF)
# converted By Key to D: time and peak RSS of cat, of leadwright-convert, and of the window's
# File, Open and File, Convert Several offscreen (convert_several_bench), beside the window's
# peak RSS on a one-line sheet; then the same line under a Key: C line as chords over lyrics,
# where a line that long is lyrics and passes through as it is. The sheet lives in a fresh folder under /var/tmp, removed at the
# end; the sheets and their outputs need four times SIZE_MB free there.
# usage: bench/long_line.sh [BUILD_DIR] [SIZE_MB]    # defaults: build, 1000
set -euo pipefail

build=$(realpath "${1:-$(dirname "$0")/../build}")
size_mb=${2:-1000}
convert=$build/cli/leadwright-convert
several=$build/bench/convert_several_bench
for program in "$convert" "$several"; do
    [[ -x $program ]] || { echo "build $(basename "$program") in $build" >&2; exit 2; }
done
free_kb=$(df -k --output=avail /var/tmp | tail -1)
((free_kb > size_mb * 4000 + 100000)) || { echo "too little room in /var/tmp" >&2; exit 2; }

work=$(mktemp -d /var/tmp/leadwright-long-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/long" "$work/short" "$work/col"
sheet=$work/long/Long_C.txt
bytes=$((size_mb * 1000 * 1000))
{
    printf '^'
    yes 'C  Am7  F/G  Bb  G13/b9  F#m7b5  ' | tr -d '\n' | head -c $((bytes - 3)) || true
    printf '\r\n'
} > "$sheet"
printf '^C  Am7  F/G\r\n' > "$work/short/Short_C.txt"
{ printf 'Key: C\r\n'; tail -c +2 "$sheet"; } > "$work/col/Long.crd"
cat "$sheet" > /dev/null  # in the page cache as far as it fits

# measure NAME COMMAND...: one run under GNU time, from /, outputs of earlier runs removed
# first; for the window also the time it reports from accepting the file dialog.
measure() {
    local name=$1
    shift
    rm -f "$work"/*/*_D.txt
    sync
    (cd / && /usr/bin/time -f '%e %M' -o "$work/time" "$@" > "$work/stdout" 2> /dev/null) ||
        { echo "$name failed: $(head -2 "$work/stdout")" >&2; exit 1; }
    read -r elapsed rss < "$work/time"
    local shown
    shown=$(sed -n '1s/^[0-9.]* s from the dialog/&/p' "$work/stdout")
    awk -v n="$name" -v e="$elapsed" -v r="$rss" -v b="$bytes" -v s="$shown" \
        'BEGIN { printf "%-30s %7.2f s %7.1f MB/s %8d KB peak RSS %s\n", n, e, b / e / 1e6, r, s }'
}

echo "a chord line of $(stat -c %s "$sheet") bytes, $(nproc) cores, $(df -T "$work" | awk 'NR == 2 { print $2 }')"
measure "cat FILE > OUT" sh -c 'cat "$1" > "$2"' cat "$sheet" "$work/long/Copy_D.txt"
# Every output is on disk before it takes its name; cat's stays in the page cache unless synced.
measure "cat FILE > OUT; sync OUT" sh -c 'cat "$1" > "$2" && sync "$2"' cat "$sheet" \
    "$work/long/Copy_D.txt"
measure "leadwright-convert by-key D" "$convert" by-key D "$sheet"
echo "output: $(stat -c %s "$work/long/Long_D.txt") bytes, $(tail -c 40 "$work/long/Long_D.txt" | tr -d '\r\n')"
measure "window, File, Open" "$several" --open "$sheet"
measure "window, File, Convert Several" "$several" "$work/long"
echo "window, File, Open on a one-line sheet: $(cd / && /usr/bin/time -f %M "$several" --open \
    "$work/short/Short_C.txt" 2>&1 >/dev/null | tail -1) KB peak RSS"
measure "leadwright-convert, chords over lyrics" "$convert" --format=chords-over-lyrics \
    by-key D "$work/col/Long.crd"
cmp -s <(tail -c +9 "$work/col/Long.crd") <(tail -c +9 "$work/col/Long_D.txt") &&
    echo "output: the long line as it was, under Key: D" || { echo "the long line changed" >&2; exit 1; }
