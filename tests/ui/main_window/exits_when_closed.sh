#!/usr/bin/env bash
# Starts the window program on a private X server, closes its window the way a desktop does, and
# checks that the process ends with status 0 within 10 seconds. With "about", a window manager
# runs and the main window is closed while the About window, opened from the keyboard, is open.
# Usage: exits_when_closed.sh PROGRAM CLOSE_WINDOW [about]
set -uo pipefail
if [ -z "${TOLVI_ON_XVFB:-}" ]; then
    TOLVI_ON_XVFB=1 exec "$(dirname "$0")/../../../scripts/with-xvfb" "$0" "$@"
fi
program=$1
close_window=$2
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
trap 'kill ${app:-} ${wm:-} 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT

if [ "${3:-}" = about ]; then
    openbox --sm-disable & wm=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
fi
"$program" &
app=$!
if [ -n "${wm:-}" ]; then
    # Help's menu from the keyboard (untitled, it bears the program's name), then About.
    timeout 10 xdotool search --sync --onlyvisible --name '^Tolvi$' windowfocus --sync >/dev/null
    xdotool key --delay 100 Tab Tab Tab Tab Tab Tab Tab Return
    timeout 10 xdotool search --sync --onlyvisible --name '^Tolvi VAT Calculator$' >/dev/null
    xdotool key --delay 100 Down Return
    timeout 10 xdotool search --sync --onlyvisible --name '^ About $' >/dev/null ||
        { echo "the About window did not open"; exit 1; }
fi
"$close_window" Tolvi 10 || exit 1
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
    echo "tolvi-vat still runs 10 seconds after its window was closed"
    exit 1
fi
wait "$app"
status=$?
app=
[ "$status" -eq 0 ] || { echo "tolvi-vat exited with status $status"; exit 1; }
echo "tolvi-vat exited with status 0"
