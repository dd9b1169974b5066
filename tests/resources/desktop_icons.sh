#!/usr/bin/env bash
# The drawn desktop icons are one drawing: each size is as large as its folder says, the 48-pixel
# one is the window's icon pixel for pixel, and the scalable one, as Chromium renders it, looks
# like the pixel ones at 48 and 256 pixels (an outline moved by a quarter of a design pixel
# already fails at 256).
#   desktop_icons.sh ICONS_DIR NAME WINDOW_ICON SIZE...
set -euo pipefail
icons=$1 name=$2 window_icon=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for size in "$@"; do
    got=$(identify -format '%wx%h' "$icons/${size}x$size/apps/$name.png")
    [ "$got" = "${size}x$size" ] || { echo "the ${size}x$size icon is $got"; status=1; }
done
differ=$(compare -metric AE "$icons/48x48/apps/$name.png" "$window_icon" null: 2>&1 || true)
[ "$differ" = 0 ] || { echo "the 48x48 icon differs from $window_icon in $differ pixels"; status=1; }

svg=$(realpath "$icons/scalable/apps/$name.svg")
for row in "48 0.10" "256 0.05"; do
    read -r size most <<<"$row"
    printf '<!DOCTYPE html><body style="margin:0"><img src="file://%s" width="%s" height="%s">' \
        "$svg" "$size" "$size" >"$work/$size.html"
    timeout 120 chromium --headless=new --no-sandbox --disable-gpu --hide-scrollbars \
        --user-data-dir="$work/profile" --window-size="$size,$size" \
        --screenshot="$work/$size.png" "file://$work/$size.html" >"$work/chromium.log" 2>&1 ||
        { cat "$work/chromium.log"; exit 1; }
    convert "$work/$size.png" -alpha off "$work/$size.png"
    rmse=$(compare -metric RMSE "$work/$size.png" "$icons/${size}x$size/apps/$name.png" null: \
        2>&1 | sed 's/.*(\(.*\))/\1/' || true)
    if ! awk -v r="$rmse" -v m="$most" 'BEGIN { exit !(r != "" && r + 0 <= m) }'; then
        echo "the scalable icon at $size pixels differs from the ${size}x$size one: RMSE $rmse" \
            "(at most $most)"
        status=1
    fi
done
[ $status = 0 ] && echo "the desktop icons: $# sizes and a scalable one, all the window's icon"
exit $status
