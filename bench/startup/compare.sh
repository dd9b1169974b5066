#!/usr/bin/env bash
# Start-up time (process start to main window mapped) and resident memory of the calculator
# beside two floors built the same way, on a private Xvfb, RUNS times each (default 21),
# interleaved: the minimal Qt Widgets program (a window with one line of text) and an empty
# Qt window (no text, so no font is ever loaded). Prints the medians.
#
#   bench/startup/compare.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
runs=${RUNS:-21}
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

calculator=$build/src/tolvi-vat
minimal=$build/bench/minimal_qt_window
empty=$build/bench/empty_qt_window
timer=$build/bench/map_timer
results=$(mktemp)
for program in "$calculator" "$minimal" "$empty"; do "$timer" "$program" >/dev/null; done  # warm up
for _ in $(seq "$runs"); do
    echo "calculator $("$timer" "$calculator")" >>"$results"
    echo "minimal $("$timer" "$minimal")" >>"$results"
    echo "empty $("$timer" "$empty")" >>"$results"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for program in calculator minimal empty; do
    ms=$(awk -v p="$program" '$1 == p { print $2 }' "$results" | median)
    kb=$(awk -v p="$program" '$1 == p { print $3 }' "$results" | median)
    printf '%-11s start-up to window mapped: %7.2f ms (median of %d)   resident memory: %6d KiB\n' \
        "$program" "$ms" "$runs" "$kb"
done
rm -f "$results"
