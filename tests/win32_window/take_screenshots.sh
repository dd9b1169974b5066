#!/bin/sh
# Takes the Windows window's screenshots under wine on a virtual X screen: the main window at
# 100 % and 200 %, and the About window over it at 100 %. Wine draws the frames itself, on a
# desktop of its own.
#   take_screenshots.sh BUILD-DIR OUTPUT-DIR
set -eu
build=$(cd "$1" && pwd)
out=$(cd "$2" && pwd)
test_exe=$build/tests/win32_window/window_test.exe
program=$build/src/win32_window/tolvi-vat.exe
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

shoot() {  # NAME DPI POSE
    export WINEPREFIX=$build/wineprefix-screenshots-$2
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null
    wineserver -w
    ready=$(mktemp -u)
    scale=$(( $2 / 96 ))
    wine explorer /desktop=shot,$((480 * scale))x$((320 * scale)) \
        "$test_exe" "$program" --pose "$3" "$(winepath -w "$ready")" 3 &
    tries=0
    while [ ! -e "$ready" ] && [ $tries -lt 300 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    import -window root "$out/$1.full.png"
    wait
    rm -f "$ready"
    wineserver -k 2>/dev/null || true
    # The desktop around the windows is one colour: cut it away.
    convert "$out/$1.full.png" -crop "$((480 * scale))x$((320 * scale))+0+0" +repage -trim +repage \
        "$out/$1.png"
    rm -f "$out/$1.full.png"
}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
shoot windows-main-window 96 main
shoot windows-main-window-200 192 main
shoot windows-about-window 96 about
