#!/usr/bin/env bash
# Converts one lead sheet through the real window, as a person would with the keyboard and the
# mouse: starts the program on a virtual X screen (no window manager), picks "C (Am)" in the
# key list of the start mode By Key, opens the sheet with Alt+F, O, types its path, answers the
# question with Enter, then checks the new file byte for byte and saves a screenshot. Then it
# converts two more sheets at once with File, Convert Several.
#   tests/real_window_run.sh PROGRAM SCREENSHOT.png
# PROGRAM is the built leadwright, with LWSET.lwc and README.txt beside it.
set -euo pipefail

if [ -z "${LEADWRIGHT_ON_SCREEN:-}" ]; then
    [ $# -eq 2 ] || { echo "usage: $0 PROGRAM SCREENSHOT.png" >&2; exit 2; }
    program=$(realpath "$1")
    shot=$(realpath -m "$2")
    exec xvfb-run -a -s '-screen 0 1024x768x24' env LEADWRIGHT_ON_SCREEN=1 \
        dbus-run-session -- "$(realpath "$0")" "$program" "$shot"
fi

program=$1
shot=$2
work=$(mktemp -d)
app=""
cleanup() {
    if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then kill "$app"; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "Real window run FAILED: $*" >&2
    import -window root "$shot" || true
    echo "Screenshot: $shot; program output:" >&2
    cat "$work/program.log" >&2 || true
    exit 1
}

# Waits up to 20 s for a visible window whose title matches; prints its id.
window() {
    timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -1 || fail "no window '$1'"
}

# A sheet as a Mac saves it (one LF), with a byte above 127 in the lyrics.
sheet="$work/Another Ewe_Ab.txt"
printf 'Another Ewe\r\n\r\n^Ab Fm7 Db/Eb\r\nla la la, caf\351\n^Ab/C  Bbm7(b5)  Eb7sus4\r\nthe end' \
    >"$sheet"
cp "$sheet" "$work/input-before"
output="$work/Another Ewe_C.txt"
printf 'Another Ewe\r\n\r\n^C Am7 F/G\r\nla la la, caf\351\r\n^C/E  Dm7(b5)  G7sus4\r\nthe end\r\n' \
    >"$work/expected"

"$program" >"$work/program.log" 2>&1 &
app=$!
main=$(window '^Leadwright, V')
sleep 0.5

# The first row of the key list sits at about (20, 130) in the window; a click there focuses
# the list, and typing "C" moves to the first row that starts with it, "C (Am)".
xdotool mousemove --window "$main" 20 130 click 1
sleep 0.3
xdotool type C
sleep 0.3

xdotool key alt+f
sleep 0.3
xdotool key o
window '^Open$' >/dev/null
sleep 0.5
xdotool type --delay 20 "$sheet"
sleep 0.3
xdotool key Return

# The question "Any you ready to write the file?" in a box titled Leadwright; Enter is OK.
window '^Leadwright$' >/dev/null
sleep 0.3
xdotool key Return

for _ in $(seq 100); do
    [ -f "$output" ] && break
    sleep 0.1
done
[ -f "$output" ] || fail "no output file $output"
sleep 0.3
import -window root "$shot"

cmp "$output" "$work/expected" || {
    od -c "$output" >&2
    fail "the output differs from the expected bytes"
}
cmp "$sheet" "$work/input-before" || fail "the input file was changed"
left=$(cd "$work" && ls -A | sort | tr '\n' ' ')
[ "$left" = "Another Ewe_Ab.txt Another Ewe_C.txt expected input-before program.log " ] ||
    fail "unexpected files beside the output: $left"

# File, Convert Several (Alt+F, S) on two more sheets: the dialog takes both names, Enter answers
# the question and then the summary with OK.
printf '^G D/F#\r\n' >"$work/Two_G.txt"
printf '^Em\r\n' >"$work/Three_Em.txt"
xdotool windowfocus --sync "$main"
xdotool key alt+f
sleep 0.3
xdotool key s
window '^Open$' >/dev/null
sleep 0.5
xdotool type --delay 20 "\"$work/Two_G.txt\" \"$work/Three_Em.txt\""
sleep 0.3
xdotool key Return
window '^Leadwright$' >/dev/null
sleep 0.3
xdotool key Return
for _ in $(seq 100); do
    [ -f "$work/Three_Am.txt" ] && break
    sleep 0.1
done
sleep 0.5
xdotool key Return
printf '^C G/B\r\n' | cmp - "$work/Two_C.txt" || fail "Two_C.txt differs"
printf '^Am\r\n' | cmp - "$work/Three_Am.txt" || fail "Three_Am.txt differs"
rm "$work/Two_G.txt" "$work/Three_Em.txt" "$work/Two_C.txt" "$work/Three_Am.txt"

# File, Exit ends the program. Without a window manager nobody gives the window the focus back
# after the question, so do what a click on it would.
xdotool windowfocus --sync "$main"
xdotool key alt+f
sleep 0.3
xdotool key x
for _ in $(seq 50); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "File, Exit did not end the program"
wait "$app" || fail "the program ended with status $?"
app=""
echo "Real window run: Another Ewe_Ab.txt became Another Ewe_C.txt as expected; screenshot $shot"
