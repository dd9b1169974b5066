#!/usr/bin/env bash
# Runs the calculator under a real window manager (openbox) on a virtual screen whose work area
# leaves room for panels at the top and on the left, and checks that the window's frame, title
# bar and borders included, is centred on the work area within a pixel.
# Usage: frame_centred_under_wm.sh PROGRAM [late | corner MANAGER]
# The window opens there: its frame is known before it is shown. With "late", the manager tells
# the frame only after the program has given up waiting for it and shown its window, which is
# then centred again, once the frame is known. With "corner", MANAGER (the test's own window
# manager, with the same work area) stands in for openbox: it frames the window only after its
# first painting, with the frame's corner where the window stood.
set -euo pipefail
if [ -z "${TOLVI_ON_XVFB:-}" ]; then
    TOLVI_ON_XVFB=1 exec "$(dirname "$0")/../../scripts/with-xvfb" "$0" "$@"
fi
program=$1
mode=${2:-}
manager=${3:-}
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
pids=()
trap 'kill -CONT "${pids[@]}" 2>/dev/null; kill "${pids[@]}" 2>/dev/null || true
      rm -rf "$XDG_RUNTIME_DIR"' EXIT

cat >"$XDG_RUNTIME_DIR/rc.xml" <<'END'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>40</top><bottom>0</bottom><left>100</left><right>0</right></margins>
</openbox_config>
END
if [ "$mode" = corner ]; then
    "$manager" & wm=$!
else
    openbox --sm-disable --config-file "$XDG_RUNTIME_DIR/rc.xml" & wm=$!
fi
pids+=($wm)
# Ready once it has set the work area its margins leave, late in its start.
for _ in $(seq 100); do
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= 100, 40, 924, 728' && break
    sleep 0.1
done
# Every top-level window's creation, mapping and moves, as the X server reports them.
xev -root -event substructure >"$XDG_RUNTIME_DIR/events" 2>&1 & pids+=($!)
[ "$mode" = late ] && kill -STOP $wm
"$program" & app=$!
pids+=($app)
if [ "$mode" = late ]; then
    # The window exists before the program asks for its frame; a quarter of a second later the
    # program gives up and shows it, and the stopped manager answers neither.
    for _ in $(seq 500); do
        xdotool search --name '^Tolvi$' >/dev/null 2>&1 && break
        sleep 0.02
    done
    sleep 1.5
    kill -CONT $wm
fi
window=""
for _ in $(seq 3000); do
    window=$(xdotool search --onlyvisible --name '^Tolvi$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 $app 2>/dev/null || { echo "the program ended before its window showed" >&2; exit 1; }
    sleep 0.02
done
if [ -z "$window" ]; then
    echo "no window titled Tolvi showed (window manager state: $(ps -o stat= -p $wm)); the screen holds:" >&2
    xwininfo -root -tree >&2
    exit 1
fi

numbers() { sed -n 's/.*= //p' | tr -d ','; }
client() {  # x y width height of the client area, on the screen
    xwininfo -id "$window" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} END {print x, y, w, h}'
}
extents() { xprop -id "$window" _NET_FRAME_EXTENTS | numbers; }  # left right top bottom

# The window manager frames the window, and the program may place it once more: wait until
# the frame is known and nothing has moved for a second (under load the program may answer the
# manager's move late).
last="" steady=0
for _ in $(seq 100); do
    now="$(client) $(extents)"
    if [ "$now" = "$last" ] && [ -n "$(extents)" ]; then
        steady=$((steady + 1))
        [ $steady -ge 10 ] && break
    else
        steady=0
    fi
    last=$now
    sleep 0.1
done
read -r x y w h <<<"$(client)"
read -r left right top bottom <<<"$(extents)"
read -r ax ay aw ah <<<"$(xprop -root _NET_WORKAREA | numbers | cut -d' ' -f1-4)"
fx=$((x - left)) fy=$((y - top)) fw=$((w + left + right)) fh=$((h + top + bottom))
# Twice the distance between the centres, in pixels.
dx=$((2 * fx + fw - 2 * ax - aw)) dy=$((2 * fy + fh - 2 * ay - ah))
echo "work area ${aw}x${ah}+${ax}+${ay}; frame ${fw}x${fh}+${fx}+${fy}" \
    "(client ${w}x${h}+${x}+${y}, extents $left $right $top $bottom)"
if [ ${dx#-} -gt 2 ] || [ ${dy#-} -gt 2 ]; then
    echo "the frame's centre is off the work area's by $((dx / 2)), $((dy / 2)) pixels" >&2
    exit 1
fi
echo "the frame is centred on the work area"
# Whether the frame moved once mapped: it jumps before the user's eyes.
frame=$window root=$(xwininfo -root | awk '/Window id:/ {print $4}')
while parent=$(xwininfo -id "$frame" -tree | awk '/Parent window id:/ {print $4}') &&
    [ "$parent" != "$root" ]; do
    frame=$parent
done
moved=$(awk -v frame="$frame" 'BEGIN { RS = "" }
    index($0, "window " frame ",") {
        where = match($0, /\(-?[0-9]+,-?[0-9]+\)/) ? substr($0, RSTART, RLENGTH) : ""
        if ($1 == "MapNotify") { mapped = last }
        else if (where != "") {
            if (mapped != "" && where != mapped) {
                print "the window showed at " mapped " and then moved to " where; exit
            }
            last = where
        }
    }' "$XDG_RUNTIME_DIR/events")
if [ -z "$mode" ]; then
    [ -z "$moved" ] || { echo "$moved" >&2; exit 1; }
    echo "it opened there"
elif [ -z "$moved" ]; then
    echo "the window did not move once shown: its frame was known in time after all" >&2
    exit 1
else
    echo "$moved, once its frame was known"
fi
