#!/usr/bin/env bash
# Starts the window program on a private X server, closes its window the way a desktop does, and
# checks that the process ends with status 0 within 10 seconds.
# Usage: exits_when_closed.sh PROGRAM CLOSE_WINDOW
set -uo pipefail
program=$1
close_window=$2
scratch=$(mktemp -d)
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$scratch/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -n 1 "$scratch/display") QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$scratch

"$program" &
app=$!
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
