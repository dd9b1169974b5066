#!/usr/bin/env bash
# Start-up time (process start to main window mapped) and resident memory of the calculator of
# each build folder given, beside two floors built the same way (those of the first folder): the
# minimal Qt Widgets program (a window with one line of text) and an empty Qt window (no text,
# so no font is ever loaded). Each runs RUNS times (default 21) on two private Xvfb screens, a
# bare one and one under a window manager (openbox), every start interleaved with the others and
# the order reversed every other round. Prints the medians, and each one's ratio to the minimal
# window's median on the same screen, for the time until the window is mapped and for the
# processor time the program had used by then (which other work on a shared machine sways less).
#
#   bench/startup/compare.sh BUILD_DIR [OTHER_BUILD_DIR...]
set -euo pipefail
starter=$(dirname "$0")/../../scripts/with-xvfb
case "${TOLVI_STARTUP_SCREEN:-}" in
    "") TOLVI_STARTUP_SCREEN=bare exec "$starter" "$0" "$@" ;;
    bare) TOLVI_BARE_DISPLAY=$DISPLAY TOLVI_STARTUP_SCREEN=managed exec "$starter" "$0" "$@" ;;
esac
[ $# -ge 1 ] || set -- build
runs=${RUNS:-21}
bare=$TOLVI_BARE_DISPLAY
managed=$DISPLAY
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
results=$(mktemp)
trap 'kill ${wm:-} 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR" "$results"' EXIT
DISPLAY=$managed openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do
    DISPLAY=$managed xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

timer=$1/bench/map_timer
programs=()
for build in "$@"; do programs+=("$build/src/tolvi-vat"); done
programs+=("$1/bench/minimal_qt_window" "$1/bench/empty_qt_window")
starts=()  # screen and program of every start of a round
for program in "${programs[@]}"; do starts+=("bare $program" "managed $program"); done
start() {  # screen program: prints "screen program milliseconds processor-milliseconds kilobytes"
    local display=$bare
    [ "$1" = managed ] && display=$managed
    echo "$1 $2 $(DISPLAY=$display "$timer" "$2")"
}
for each in "${starts[@]}"; do start $each >/dev/null; done  # warm up
for round in $(seq "$runs"); do
    for ((i = 0; i < ${#starts[@]}; ++i)); do
        j=$((round % 2 ? i : ${#starts[@]} - 1 - i))
        start ${starts[$j]} >>"$results"
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column() { awk -v s="$1" -v p="$2" -v c="$3" '$1 == s && $2 == p { print $c }' "$results" | median; }
echo "medians of $runs interleaved starts each; ratio: to minimal_qt_window on the same screen"
printf '%-14s %-40s %10s %6s %8s %6s %11s\n' screen program "mapped ms" ratio "CPU ms" ratio \
    "memory KiB"
for screen in bare managed; do
    for program in "${programs[@]}"; do
        ms=$(column $screen "$program" 3) cpu=$(column $screen "$program" 4)
        floor=$(column $screen "$1/bench/minimal_qt_window" 3)
        cpuFloor=$(column $screen "$1/bench/minimal_qt_window" 4)
        printf '%-14s %-40s %10.2f %6.3f %8.2f %6.3f %11d\n' \
            "$([ $screen = bare ] && echo bare || echo under\ openbox)" "$program" \
            "$ms" "$(awk -v a="$ms" -v b="$floor" 'BEGIN { print a / b }')" \
            "$cpu" "$(awk -v a="$cpu" -v b="$cpuFloor" 'BEGIN { print a / b }')" \
            "$(column $screen "$program" 5)"
    done
done
