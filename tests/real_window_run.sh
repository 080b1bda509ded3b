#!/usr/bin/env bash
# Converts one lead sheet through the real window, as a person would with the keyboard and the
# mouse. The program starts on a virtual X screen (no window manager), from another working
# directory, out of a copy of its folder whose LWSET.lwc makes "!" the chord-line marker. It
# picks "C (Am)" in the key list, opens the sheet with Alt+F, O, types its path, answers the
# question with Enter, checks the new file byte for byte and saves a screenshot. Then it
# converts two more sheets at once with File, Convert Several, and ends with File, Exit.
#   tests/real_window_run.sh PROGRAM SCREENSHOT.png
set -euo pipefail

if [ -z "${LEADWRIGHT_ON_SCREEN:-}" ]; then
    [ $# -eq 2 ] || { echo "usage: $0 PROGRAM SCREENSHOT.png" >&2; exit 2; }
    exec xvfb-run -a -s '-screen 0 1024x768x24' env LEADWRIGHT_ON_SCREEN=1 \
        dbus-run-session -- "$(realpath "$0")" "$(realpath "$1")" "$(realpath -m "$2")"
fi
program=$1
shot=$2
work=$(mktemp -d)
app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; rm -rf "$work"' EXIT

# Fails the run with a screenshot and what the program printed.
fail() {
    import -window root "$shot" || true
    echo "Real window run FAILED: $*; screenshot $shot; program output:" >&2
    cat "$work/program.log" >&2 || true
    exit 1
}
# Waits up to 20 s for a visible window whose title matches; prints its id.
window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -1 || fail "no window '$1'"; }

# The program reads LWSET.lwc and README.txt beside itself, wherever it is started from.
mkdir "$work/program" "$work/songs"
cp "$program" "$(dirname "$program")/README.txt" "$work/program/"
printf '[LWSET.lwc\r\n\r\n\r\n!\r\n\r\ntxt\r\n' >"$work/program/LWSET.lwc"

# A sheet as a Mac saves it (one LF), with a byte above 127 in the lyrics.
sheet="$work/songs/Another Ewe_Ab.txt"
printf 'Another Ewe\r\n\r\n!Ab Fm7 Db/Eb\r\nla la la, caf\351\n^Ab/C  Bbm7(b5)\r\nthe end' >"$sheet"
printf 'Another Ewe\r\n\r\n!C Am7 F/G\r\nla la la, caf\351\r\n^Ab/C  Bbm7(b5)\r\nthe end\r\n' \
    >"$work/expected"

# About one start in 200, Qt cannot connect to the virtual display; such a start is tried
# again, at most twice. Any other failure to show the window fails the run.
for retry in 0 1 2; do
    (cd / && exec "$work/program/leadwright") >"$work/program.log" 2>&1 &
    app=$!
    main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Leadwright, V' | head -1) || true
    [ -n "$main" ] && break
    grep -q "could not connect to display" "$work/program.log" && [ "$retry" -lt 2 ] ||
        fail "no main window"
    echo "Qt could not connect to the virtual display; starting again."
done
sleep 0.5

# The first row of the key list sits at about (20, 130) in the window; a click there focuses
# the list, and typing "C" moves to the first row that starts with it, "C (Am)".
xdotool mousemove --window "$main" 20 130 click 1 sleep 0.3 type C
sleep 0.3
xdotool key alt+f sleep 0.3 key o
window '^Open$' >/dev/null
sleep 0.5
xdotool type --delay 20 "$sheet"
xdotool sleep 0.3 key Return
# The question "Any you ready to write the file?" in a box titled Leadwright; Enter is OK.
window '^Leadwright$' >/dev/null
xdotool sleep 0.3 key Return

output="$work/songs/Another Ewe_C.txt"
for _ in $(seq 100); do [ -f "$output" ] && break; sleep 0.1; done
[ -f "$output" ] || fail "no output file $output"
sleep 0.3
import -window root "$shot"
cmp "$output" "$work/expected" || { od -c "$output" >&2; fail "the output differs from the expected bytes"; }
printf 'Another Ewe\r\n\r\n!Ab Fm7 Db/Eb\r\nla la la, caf\351\n^Ab/C  Bbm7(b5)\r\nthe end' | cmp - "$sheet" ||
    fail "the input file was changed"
[ "$(ls -A "$work/songs" | tr '\n' ' ')" = "Another Ewe_Ab.txt Another Ewe_C.txt " ] ||
    fail "unexpected files beside the output: $(ls -A "$work/songs")"

# File, Convert Several (Alt+F, S) on two more sheets: the dialog takes both names, Enter answers
# the question and then the summary with OK.
songs="$work/songs"
printf '!G D/F#\r\n' >"$songs/Two_G.txt"
printf '!Em\r\n' >"$songs/Three_Em.txt"
xdotool windowfocus --sync "$main" key alt+f sleep 0.3 key s
window '^Open$' >/dev/null
xdotool sleep 0.5 type --delay 20 "\"$songs/Two_G.txt\" \"$songs/Three_Em.txt\""
xdotool sleep 0.3 key Return
window '^Leadwright$' >/dev/null
xdotool sleep 0.3 key Return
for _ in $(seq 100); do [ -f "$songs/Three_Am.txt" ] && break; sleep 0.1; done
xdotool sleep 0.5 key Return
printf '!C G/B\r\n' | cmp - "$songs/Two_C.txt" || fail "Two_C.txt differs"
printf '!Am\r\n' | cmp - "$songs/Three_Am.txt" || fail "Three_Am.txt differs"

# File, Exit ends the program. Without a window manager nobody gives the window the focus back
# after the question, so do what a click on it would.
xdotool windowfocus --sync "$main" key alt+f sleep 0.3 key x
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "File, Exit did not end the program"
wait "$app" || fail "the program ended with status $?"
app=""
echo "Real window run: Another Ewe_Ab.txt became Another Ewe_C.txt as expected; screenshot $shot"
