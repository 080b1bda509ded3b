#!/usr/bin/env bash
# Builds the fuzz targets if needed and runs each for SECONDS, printing how many inputs each
# tried; an input that breaks a property is saved beside the logs in $FUZZ_LOG_DIR.
#   tests/fuzz/run.sh SECONDS
set -euo pipefail
seconds=${1:?usage: tests/fuzz/run.sh SECONDS}
cd "$(dirname "$0")/../.."
build=build-fuzz
logs=${FUZZ_LOG_DIR:-/tmp/leadwright-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEADWRIGHT_BUILD_FUZZ=ON \
    -DLEADWRIGHT_BUILD_APP=OFF -DLEADWRIGHT_BUILD_TESTS=OFF -DLEADWRIGHT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build"
mkdir -p "$logs"
for target in chord_line_fuzz key_from_filename_fuzz; do
    mkdir -p "$build/corpus/$target"
    if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$logs/$target-" \
        "$build/corpus/$target" "tests/fuzz/corpus/$target" >"$logs/$target.log" 2>&1; then
        echo "$target: FAILED"; grep -E '^(Property broken|==[0-9]+==ERROR|SUMMARY)' "$logs/$target.log" | head -5; exit 1
    fi
    echo "$target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$target.log") executions in $seconds s"
done
