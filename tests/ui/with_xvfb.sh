#!/usr/bin/env bash
# Runs a command on a private Xvfb screen of 1024x768. The server picks a free display number
# itself and names it once it is ready, so runs side by side never race for one; it does not
# reset when its last client leaves, so a client that connects just then is not turned away.
# Usage: with_xvfb.sh COMMAND [ARGUMENTS...]
set -euo pipefail
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
server=$!
trap 'kill $server 2>/dev/null || true; wait $server 2>/dev/null || true; rm -rf "$dir"' EXIT
for _ in $(seq 300); do
    grep -q . "$dir/display" 2>/dev/null && break
    kill -0 $server 2>/dev/null || { cat "$dir/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=:$(head -n 1 "$dir/display")
export DISPLAY
status=0
"$@" || status=$?
exit $status
