#!/usr/bin/env bash
# Whole-process comparison: `cat FILE > OUT` against convert_file in each mode on the same
# generated lead sheet, and By Key on a generated ChordPro songbook and chords-over-lyrics
# songbook of the same size. Prints the
# median wall time of RUNS runs as MB/s, as a share of cat's, and the peak RSS.
# usage: bench/compare.sh [SIZE_MB] [BUILD_DIR] [RUNS]
set -euo pipefail

size_mb=${1:-20}
build=$(realpath "${2:-$(dirname "$0")/../build-bench}")
runs=${3:-5}
bench=$build/bench/leadwright_bench
convert=$build/bench/convert_file
[[ -x $bench && -x $convert ]] || { echo "build leadwright_bench and convert_file in $build" >&2; exit 2; }

work=$(mktemp -d /tmp/leadwright-compare-XXXXXX)
trap 'rm -rf "$work"' EXIT
"$bench" --generate letters "$work/Tune_C.txt" "$size_mb"
"$bench" --generate degrees "$work/Twin_.txt" "$size_mb"
"$bench" --generate chordpro "$work/Book.cho" "$size_mb"  # in C by its {key: C} directives
"$bench" --generate chords-over-lyrics "$work/Words.crd" "$size_mb"  # in C by its Key: C lines
cat "$work/Tune_C.txt" "$work/Twin_.txt" "$work/Book.cho" "$work/Words.crd" > /dev/null  # cached

# measure NAME INPUT OUTPUT COMMAND...: median wall time of $runs runs (standard output goes to
# $work/stdout), then one run under GNU time for the peak RSS. $work/OUTPUT is removed after.
# The first measure is cat's, the share of every line.
cat_rate=
measure() {
    local name=$1 input=$2 output=$3
    shift 3
    local times=() start
    for ((i = 0; i < runs; i++)); do
        start=${EPOCHREALTIME/./}  # microseconds, read without a fork
        "$@" > "$work/stdout" 2> "$work/messages"
        times+=($((${EPOCHREALTIME/./} - start)))
    done
    /usr/bin/time -v -o "$work/time" "$@" > "$work/stdout" 2> "$work/messages"
    local median rss bytes
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
    bytes=$(stat -c %s "$work/$input")
    cat_rate=${cat_rate:-$(awk -v b="$bytes" -v t="$median" 'BEGIN { print b / t }')}
    awk -v n="$name" -v b="$bytes" -v t="$median" -v r="$rss" -v m="$(wc -l < "$work/messages")" \
        -v c="$cat_rate" 'BEGIN {
            printf "%-30s %7.1f MB/s %5.2f of cat %8.1f ms %6d KB peak RSS %7d messages\n",
                   n, b / t, b / t / c, t / 1e3, r, m }'
    rm -f "$work/$output"
}

cd "$work"
echo "$(stat -c %s Tune_C.txt) bytes (figured-bass twin $(stat -c %s Twin_.txt), ChordPro $(stat -c %s Book.cho)), median of $runs runs, $(nproc) cores"
measure "cat FILE > OUT" Tune_C.txt stdout cat Tune_C.txt
# convert_file makes its output durable with fsync before the rename; cat leaves it in the cache.
measure "cat FILE > OUT; sync OUT" Tune_C.txt Copy.txt \
    sh -c 'cat Tune_C.txt > Copy.txt && sync Copy.txt'
measure "convert_file by-key" Tune_C.txt Tune_D.txt "$convert" by-key 7 Tune_C.txt
measure "convert_file by-step" Tune_C.txt Tune_Eb.txt "$convert" by-step 2 b Tune_C.txt
measure "convert_file to-figured-bass" Tune_C.txt Tune_.txt "$convert" to-figured-bass Tune_C.txt
measure "convert_file from-figured-bass" Twin_.txt Twin_D.txt \
    "$convert" from-figured-bass 7 Twin_.txt
measure "convert_file by-key, ChordPro" Book.cho Book_D.cho "$convert" by-key 7 Book.cho
measure "convert_file by-key, chords/lyrics" Words.crd Words_D.txt "$convert" by-key 7 Words.crd
