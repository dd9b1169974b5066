#!/usr/bin/env bash
# Shows the calculator natively on Wayland: a headless weston compositor, the program on Qt's
# wayland platform, and the client's protocol log read for its window being mapped: a toplevel
# titled "Tolvi" whose surface gets a buffer after it has acknowledged its first configure.
# Usage: window_maps_on_wayland.sh PROGRAM
set -euo pipefail
program=$1
runtime=$(mktemp -d)
chmod 700 "$runtime"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
unset DISPLAY
socket=tolvi-wayland
log=$runtime/protocol.log

weston --backend=headless-backend.so --socket=$socket --idle-time=0 >"$runtime/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    sleep 0.1
done
WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$program" 2>"$log" &
app=$!
pids+=($app)

mapped() {
    local toplevel xdg surface
    toplevel=$(grep -o 'xdg_toplevel@[0-9]*\.set_title("Tolvi")' "$log" | head -n 1 | cut -d. -f1)
    [ -n "$toplevel" ] || return 1
    xdg=$(grep -o "xdg_surface@[0-9]*\.get_toplevel(new id $toplevel)" "$log" | head -n 1 |
        cut -d. -f1)
    surface=$(grep -o "get_xdg_surface(new id $xdg, wl_surface@[0-9]*)" "$log" | head -n 1 |
        grep -o 'wl_surface@[0-9]*')
    [ -n "$surface" ] || return 1
    sed -n "/-> $xdg\.ack_configure(/,\$p" "$log" | sed -n "/-> $surface\.attach(wl_buffer@/,\$p" |
        grep -q -- "-> $surface\.commit()"
}

for _ in $(seq 150); do
    mapped && break
    kill -0 $app 2>/dev/null || break
    sleep 0.1
done
if ! mapped || ! kill -0 $app 2>/dev/null; then
    echo "the window was not mapped on Wayland; the program said:" >&2
    grep -v '^\[' "$log" >&2 || true
    exit 1
fi
echo "the window mapped natively on Wayland: $(grep -c -- '->' "$log") requests"
