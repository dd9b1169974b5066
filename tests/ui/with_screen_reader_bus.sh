#!/usr/bin/env bash
# Runs a command on a session bus of its own whose accessibility bus says that assistive
# technology is on, as it does while a screen reader runs: Qt then sends its accessibility events
# there. Usage: with_screen_reader_bus.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [ -z "${TOLVI_SCREEN_READER_BUS:-}" ]; then
    TOLVI_SCREEN_READER_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null
exec "$@"
