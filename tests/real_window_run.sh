#!/usr/bin/env bash
# Converts one lead sheet through the real window, as a person would with the keyboard and the
# mouse. The program starts on a virtual X screen (no window manager), from another working
# directory, out of a copy of its folder whose LWSET.lwc makes "!" the chord-line marker. It
# picks "C (Am)" in the key list, opens the sheet with Alt+F, O, types its path, answers the
# question with Enter and checks the new file byte for byte. Then it converts a ChordPro sheet
# and a sheet of chords over lyrics the same way, then one of each at once with File, Convert
# Several, and ends with File, Exit. The screenshot shows the window before its last use of the File menu, or at a failure.
#   tests/real_window_run.sh PROGRAM SCREENSHOT.png   (needs xvfb-run, xdotool, xprop, import)
#
# Every step waits for the state the next one needs (a window focused, a file present, the
# program gone), polling for up to 60 s: on a busy machine a box can take seconds to show.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 PROGRAM SCREENSHOT.png" >&2; exit 2; }
[ -n "${LEADWRIGHT_ON_SCREEN:-}" ] || exec xvfb-run -a -s '-screen 0 1024x768x24' \
    env LEADWRIGHT_ON_SCREEN=1 dbus-run-session -- \
    "$(realpath "$0")" "$(realpath "$1")" "$(realpath -m "$2")"
shot=$2 work=$(mktemp -d)
trap '[ -n "${app:-}" ] && kill "$app" 2>/dev/null; rm -rf "$work"' EXIT

# Fails the run with a screenshot and what the program printed.
fail() {
    import -window root "$shot" || true
    echo "Real window run FAILED: $*; screenshot $shot; program output:" >&2 && cat "$work/log" >&2
    exit 1
}

source "$(dirname "$0")/poll.sh"

# Each of the following prints the window's id when it succeeds. xdotool's queries fail now and
# then on their own (a window that closes while xdotool reads it ends xdotool with BadWindow),
# so a failed query only means "not yet".
focused() { xdotool getwindowfocus -f 2>/dev/null; }
# The main window: shown, though nothing gives it the focus until it is clicked.
main_window() { xdotool search --onlyvisible --name '^Leadwright, V' 2>/dev/null | grep -m1 .; }
# The focused window, if its title is $1.
focused_is() {
    id=$(focused) && [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id"
}
# The focused message box other than the one answered before ($1): titled Leadwright and of a
# fixed size (its minimum and maximum size the same line twice), unlike the progress dialog of
# the same title that a batch shows before its summary.
focused_box() {
    id=$(focused_is Leadwright) && [ "$id" != "${1:-}" ] &&
        [[ $(xprop -id "$id" WM_NORMAL_HINTS 2>/dev/null |
            sed -n 's/.*m[ai][nx]imum size: //p' | uniq -c) =~ ^\ *2\  ]] && echo "$id"
}
# Gives the main window the focus, as a click on it would: without a window manager nobody does
# so when a box closes.
focus_main() { xdotool windowfocus "$main" 2>/dev/null || true; [ "$(focused)" = "$main" ]; }
not_focused() { [ "$(focused)" != "$1" ]; }
program_gone() { ! kill -0 "$app" 2>/dev/null; }
# output_is FILE BYTES: waits for FILE, which must then hold BYTES (with printf's escapes).
output_is() { poll test -f "$1" || fail "no $1"; printf "$2" | cmp - "$1" || fail "$1 differs"; }

# The program reads LWSET.lwc and README.txt beside itself, wherever it is started from. The
# sheets go beside it too.
cp "$1" "$(dirname "$1")/README.txt" "$work/"
printf '[LWSET.lwc\r\n\r\n\r\n!\r\n\r\ntxt\r\n' >"$work/LWSET.lwc"

# About one start in 200, Qt cannot connect to the virtual display and the program ends; such a
# start is tried again, at most twice. Any other failure to show the window fails the run.
main_or_gone() { main=$(main_window) || program_gone; }
for retry in 0 1 2; do
    (cd / && exec "$work/leadwright") >"$work/log" 2>&1 &
    app=$! main=""
    poll main_or_gone || fail "no main window"
    [ -z "$main" ] && grep -q "could not connect to display" "$work/log" && ((retry < 2)) || break
done
[ -n "$main" ] || fail "the program ended without showing its window"

# answer WHAT: Enter on the next message box, a question or a summary; $box is then its id.
answer() { box=$(poll focused_box "${box:-}") || fail "no $1"; xdotool key Return; }
# menu KEY: File and KEY in the main window, once the last box has gone; the screenshot shows
# the window at that time.
menu() {
    poll not_focused "${box:-}" || fail "the last box stayed on screen"
    poll focus_main || fail "the main window did not take the focus back"
    import -window root "$shot"
    xdotool key alt+f key "$1"
}
# convert KEY NAMES: File, Open (KEY o) or File, Convert Several (KEY s) on the typed NAMES,
# answering the question with Enter.
convert() {
    menu "$1"
    poll focused_is Open >/dev/null || fail "no Open dialog for $2"
    xdotool type --delay 20 "$2"
    xdotool key Return
    answer "question before writing $2"
}

# The first row of the key list sits at about (20, 130) in the window; a click there focuses
# the list and gives the window the focus, and typing "C" moves to the first row that starts
# with it, "C (Am)". Then File, Open on a sheet as a Mac saves it (one LF), with a byte above
# 127 in the lyrics and a line that the marker "!" of LWSET.lwc leaves alone.
xdotool mousemove --window "$main" 20 130 click 1
poll focus_main || fail "the main window did not take the focus"
xdotool type C
printf 'caf\351\n!Ab Fm7 Db/Eb\r\n^Ab/C  Bbm7(b5)\r\nthe end' >"$work/Another Ewe_Ab.txt"
convert o "$work/Another Ewe_Ab.txt"
output_is "$work/Another Ewe_C.txt" 'caf\351\r\n!C Am7 F/G\r\n^Ab/C  Bbm7(b5)\r\nthe end\r\n'

# File, Open again on a ChordPro sheet, whose key is in its {key} directive.
printf '{key: G}\n[G]Amazing [D/F#]grace\n' >"$work/Grace.cho"
convert o "$work/Grace.cho"
output_is "$work/Grace_C.cho" '{key: C}\n[C]Amazing [G/B]grace\n'

# File, Open on chords over lyrics, with its key in a Key: line: the chords keep their columns,
# and a box after the writing names the line that is almost one of chords.
printf 'Key: G\r\nG    D/F#  Em\r\nAmazing grace\r\nG D Riff\r\n' >"$work/Grace.txt"
convert o "$work/Grace.txt"
answer "box naming the line kept as lyrics"
output_is "$work/Grace_C.txt" 'Key: C\r\nC    G/B   Am\r\nAmazing grace\r\nG D Riff\r\n'

# File, Convert Several on a ChordPro sheet and chords over lyrics, typed in the entry of every
# kind of sheet that the dialog opens on; Enter then answers the summary.
printf '{key: G}\n[G] [D/F#]\n' >"$work/Two_G.cho"
printf 'Em      C\r\nhello there\r\n' >"$work/Three_Em.crd"
convert s "\"$work/Two_G.cho\" \"$work/Three_Em.crd\""
output_is "$work/Two_C.cho" '{key: C}\n[C] [G/B]\n'
output_is "$work/Three_Am.txt" 'Am      F\r\nhello there\r\n'
answer "summary after Convert Several"

# File, Exit ends the program.
menu x
poll program_gone || fail "File, Exit did not end the program"
wait "$app" && app="" || fail "the program ended with status $?"
echo "Real window run: a lead sheet, ChordPro sheets and chords over lyrics converted as expected; screenshot $shot"
