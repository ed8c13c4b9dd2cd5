#!/usr/bin/env bash
# Runs the given test functions of a Qt Test program where the toolkit's bridge to assistive
# technology is on, as under a screen reader: an X display of its own, a session bus and an AT-SPI
# bus. Usage: access_events.sh TEST_PROGRAM FUNCTION...
# Exits 77 (skipped) only where these cannot start.
set -u
source "$(dirname "$0")/support/xvfb.sh"
for tool in dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
tmp=$(mktemp -d)
at_exit 'rm -rf "$tmp"'
start_xvfb 1024x768 || exit 77

export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_RUNTIME_DIR=$tmp
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    "$@"
' _ "$@"
