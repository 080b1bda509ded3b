#!/usr/bin/env bash
# Builds the fuzz targets if needed and runs each one for SECONDS, two at a time, printing how
# many inputs each tried. Inputs that break a property are saved beside the logs.
#   tests/fuzz/run.sh SECONDS
# Logs go to $FUZZ_LOG_DIR (default /tmp/leadwright-fuzz); what the fuzzers learn is kept in
# build-fuzz/corpus/ for the next run, the committed seeds stay as they are.
set -euo pipefail
seconds=${1:?usage: tests/fuzz/run.sh SECONDS}
cd "$(dirname "$0")/../.."

build=build-fuzz
logs=${FUZZ_LOG_DIR:-/tmp/leadwright-fuzz}
targets=(chord_notes_fuzz degree_tokens_fuzz key_from_filename_fuzz config_file_fuzz help_file_fuzz)
at_once=2

if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DLEADWRIGHT_BUILD_FUZZ=ON -DLEADWRIGHT_BUILD_APP=OFF -DLEADWRIGHT_BUILD_TESTS=OFF \
        -DLEADWRIGHT_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target "${targets[@]}"
mkdir -p "$logs"

# Runs one target; prints its executions, or where its failure is.
fuzz() {
    local target=$1 log="$logs/$1.log" corpus="$build/corpus/$1"
    mkdir -p "$corpus"
    if "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$logs/$target-" "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        local runs
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "$target: ${runs:-?} executions in ${seconds} s, no failure"
    else
        echo "$target: FAILED, see $log"
        grep -E '^(Property broken|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)' "$log" | head -5
        return 1
    fi
}

failed=0
running=()
for target in "${targets[@]}"; do
    fuzz "$target" &
    running+=($!)
    if [ ${#running[@]} -ge $at_once ]; then
        wait "${running[0]}" || failed=1
        running=("${running[@]:1}")
    fi
done
for pid in "${running[@]}"; do
    wait "$pid" || failed=1
done
exit $failed
