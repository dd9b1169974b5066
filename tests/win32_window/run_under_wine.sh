#!/bin/sh
# Runs a Windows program under wine on a virtual X screen of its own, in a wine prefix of its own
# that is made on first use, and ends the prefix's wine server afterwards.
#   run_under_wine.sh PREFIX PROGRAM.exe [ARGUMENTS...]
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
run() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    status=0
    wine "$@" || status=$?
    wineserver -k 2>/dev/null || true
    return $status
}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$prefix" "$@"
fi
run "$@"
