#!/usr/bin/env bash
# Checks the Debian package as a user meets it: the checkers of the desktop and of Debian, an
# install with apt-get, a start from the menu entry on a virtual screen until the window shows,
# and a purge that leaves none of the package's files behind.
#   tests/package_check.sh PACKAGE.deb
set -euo pipefail
deb=$(realpath "$1")
version=$(dpkg-deb -f "$deb" Version)
title="Leadwright, V${version%-*}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
apt() { DEBIAN_FRONTEND=noninteractive timeout 300 apt-get -y -qq "$@"; }

echo "== lintian $(basename "$deb")"
lintian --allow-root "$deb"

# A package left behind by an earlier run would keep apt-get from installing this one.
if dpkg-query -W leadwright >/dev/null 2>&1; then apt purge leadwright; fi
echo "== Install; desktop-file-validate and appstreamcli validate on the installed files"
apt install "$deb" >/dev/null
desktop-file-validate /usr/share/applications/leadwright.desktop
appstreamcli validate --no-net /usr/share/metainfo/*leadwright.metainfo.xml

# Starts the menu entry's command on a virtual screen and waits for the window.
command=$(sed -n 's/^Exec=//p' /usr/share/applications/leadwright.desktop)
start_once() {
    timeout 60 xvfb-run -a -s '-screen 0 1024x768x24' dbus-run-session -- bash -c '
        $1 >"$2" 2>&1 &
        found=$(timeout 20 xdotool search --sync --onlyvisible --name "^$3\$" | head -1) || true
        kill $! 2>/dev/null; wait $! 2>/dev/null
        [ -n "$found" ]' _ "$command" "$log" "$title"
}
# About one start in 200 under Xvfb, Qt cannot connect to the new display; such a start is
# tried again, at most twice.
for retry in 0 1 2; do
    if start_once; then
        echo "The installed program showed its window \"$title\"."
        break
    fi
    if [ "$retry" -lt 2 ] && grep -q "could not connect to display" "$log"; then
        echo "Qt could not connect to the virtual display; starting again."
        continue
    fi
    echo "Package check FAILED: no window \"$title\"; program output:" >&2
    cat "$log" >&2
    exit 1
done

files=$(dpkg -L leadwright | grep leadwright)
apt purge leadwright >/dev/null
left=$(for f in $files; do if [ -e "$f" ] || [ -L "$f" ]; then echo "$f"; fi; done)
if [ -n "$left" ]; then
    echo "Package check FAILED: left behind after purge: $left" >&2
    exit 1
fi
echo "Package check: installed, started and removed without a trace."
