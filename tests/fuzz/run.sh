#!/bin/sh
# Builds the fuzz targets with clang in BUILD_DIR and runs each for SECONDS: the ChordPro
# rewriter, then every kind of sheet as detection reads it.
# usage: tests/fuzz/run.sh BUILD_DIR SECONDS
set -eu
[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR SECONDS" >&2; exit 2; }
build=$1 seconds=$2
fuzz=$(cd "$(dirname "$0")" && pwd)

cmake -S "$fuzz/../.." -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DLEADWRIGHT_BUILD_FUZZ=ON -DLEADWRIGHT_BUILD_APP=OFF \
    -DLEADWRIGHT_BUILD_TESTS=OFF -DLEADWRIGHT_BUILD_BENCH=OFF
cmake --build "$build" --target chordpro_fuzz sheets_fuzz

# New inputs and any crash go to the build folder; the committed seeds are only read.
for target in chordpro sheets; do
    mkdir -p "$build/$target-corpus"
    "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -dict="$fuzz/$target.dict" \
        -artifact_prefix="$build/$target-" "$build/$target-corpus" "$fuzz/corpus"
done
