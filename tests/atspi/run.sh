#!/usr/bin/env bash
# Reads the real program's accessibility tree through AT-SPI, the way a screen reader does, at
# display scales 1, 1.5 and 2: on its own X display and session bus. Exits 77 (skipped) only
# where these cannot start.
set -u
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/xvfb.sh"

for tool in dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3 xwininfo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is missing"; exit 77; }
start_xvfb 1024x768 || exit 77

dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    sleep 1
    for scale in 1 1.5 2; do
        QT_SCALE_FACTOR=$scale QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
            "$1" >/dev/null 2>&1 &
        app=$!
        /usr/bin/python3 "$2" $app $scale
        status=$?
        kill $app 2>/dev/null
        wait $app 2>/dev/null
        [ $status -eq 0 ] || exit $status
    done
' _ "$exe" "$here/read_question.py"
