#!/usr/bin/env bash
# Kills leadwright-convert with SIGKILL in the middle of a batch: its temporary files stay
# behind, and the next run in that folder (with 64 descriptors) removes them all, except one
# that a live process holds locked.
#   tests/killed_batch.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1") work=$(mktemp -d)
trap '[[ -z ${holder:-} ]] || kill "$holder"; rm -rf "$work"' EXIT
source "$(dirname "$0")/poll.sh"
"$build/bench/leadwright_bench" --generate-set "$work" 2000 2000
cd "$work"

fail() { echo "$*" >&2; exit 1; }
temporaries() { compgen -G '.leadwright-*.tmp' | tr '\n' ' ' || true; }

"$build/cli/leadwright-convert" by-key D Song*_C.txt &
run=$!
written_or_gone() { [[ -n $(temporaries) ]] || ! kill -0 $run 2>/dev/null; }
poll written_or_gone || fail "no temporary file after 60 s"
kill -KILL $run 2>/dev/null || true
status=0 && wait $run || status=$?
((status == 128 + 9)) || fail "leadwright-convert ended with status $status before SIGKILL"
[[ -n $(temporaries) ]] || fail "SIGKILL left no temporary file behind"

held=.leadwright-0123456789abcdef.tmp
(exec 9>>"$held" && flock 9 && exec sleep 60) &
holder=$!
poll eval '! flock -n "$held" true' || fail "$held was not locked after 60 s"

(ulimit -n 64 && "$build/cli/leadwright-convert" by-key D Song*_C.txt) || fail "second run failed"
[[ $(temporaries) == "$held " ]] || fail "the second run left: $(temporaries)"
(($(compgen -G 'Song*_D.txt' | wc -l) == 2000)) || fail "the second run wrote not 2000 outputs"
echo "SIGKILL during a batch: the next run removed its temporary files, kept a locked one"
