#!/usr/bin/env bash
# Runs a command on an X server of its own: an Xvfb of the given size on a display it picks itself,
# stopped when the command ends. Exits 77 (skipped), saying why, where Xvfb cannot start.
# Usage: on_xvfb.sh WxH COMMAND [ARGUMENT...]
set -u
source "$(dirname "$0")/xvfb.sh"
size=$1
shift
start_xvfb "$size" || exit 77
"$@"
