#!/usr/bin/env bash
# Runs the real program with Orca, the screen reader of Linux desktops, drives it by keys as a
# blind student would and checks what Orca speaks (tests/orca/speech.py). Everything runs in a
# PID namespace of its own with its own session bus, X display, speech server and home folder, so
# nothing outlives the run and no other Orca of this user is touched.
# Exits 77 (skipped) only where these tools are missing or cannot start.
# MEREZHVAR_ORCA_KEEP=FILE keeps Orca's whole debug log of a failed run there.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/xvfb.sh"

if [ "${MEREZHVAR_ORCA_STAGE:-}" != inside ]; then
    [ $# -eq 1 ] || { echo "usage: $0 MEREZHVAR_EXECUTABLE" >&2; exit 2; }
    exe=$(realpath "$1")
    for tool in unshare dbus-run-session Xvfb openbox xdotool orca speech-dispatcher localedef \
        /usr/bin/python3; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
    [ -e /usr/share/i18n/locales/uk_UA ] ||
        { echo "SKIP: the uk_UA locale source is missing"; exit 77; }
    unshare --pid --fork --mount-proc true 2>/dev/null ||
        { echo "SKIP: a PID namespace cannot be made here (unshare)"; exit 77; }

    tmp=$(mktemp -d /tmp/merezhvar-orca.XXXXXX)
    at_exit 'rm -rf "$tmp"'
    export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data \
        XDG_CACHE_HOME=$tmp/cache XDG_STATE_HOME=$tmp/state XDG_RUNTIME_DIR=$tmp/runtime
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME" \
        "$tmp/orca" "$tmp/locale"
    mkdir -m 700 "$XDG_RUNTIME_DIR"

    # Read by every GLib program the session bus starts, so they must exist before it does.
    export GSETTINGS_BACKEND=keyfile
    mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
    cat >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile" <<'KEYS'
[org/gnome/desktop/interface]
toolkit-accessibility=true

[org/gnome/desktop/a11y/applications]
screen-reader-enabled=true
KEYS

    # Orca speaks its own words (roles, states) in the student's language.
    if ! locale -a 2>/dev/null | grep -qix 'uk_UA.utf-\?8'; then
        localedef -i uk_UA -f UTF-8 "$tmp/locale/uk_UA.UTF-8" 2>/dev/null ||
            { echo "SKIP: localedef cannot build uk_UA.UTF-8"; exit 77; }
        export LOCPATH=$tmp/locale
    fi
    export LANG=uk_UA.UTF-8 LANGUAGE=uk LC_ALL=

    # A private speech server that synthesizes with espeak-ng into libao's null driver; clients
    # find it by address and may not spawn another one.
    cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/speech-dispatcher"
    cat >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "libao"
DefaultModule espeak-ng
DefaultLanguage "uk"
DisableAutoSpawn
CONF
    echo "default_driver=null" >"$HOME/.libao"
    export SPEECHD_ADDRESS=unix_socket:$XDG_RUNTIME_DIR/speechd.sock

    cp "$here/orca-customizations.py" "$tmp/orca/"
    export MEREZHVAR_ORCA_STAGE=inside MEREZHVAR_ORCA_TMP=$tmp
    # The session's own services chatter on standard error; the rest is shown for a failed run.
    unshare --pid --fork --mount-proc --kill-child dbus-run-session -- bash "$0" "$exe" \
        2>"$tmp/session.err"
    status=$?
    grep -v -e '^dbus-daemon\[' -e '^SpiRegistry daemon' "$tmp/session.err" >"$tmp/session.rest"
    if [ $status -ne 0 ] && [ -s "$tmp/session.rest" ]; then
        echo "Standard error of the session:"
        tail -n 30 "$tmp/session.rest"
    fi
    exit $status
fi

exe=$1 tmp=$MEREZHVAR_ORCA_TMP
log=$tmp/orca.log

start_xvfb 1024x768 || exit 77

# Without a window manager no window becomes active, and Orca speaks nothing.
openbox --sm-disable >"$tmp/openbox.log" 2>&1 &

speech-dispatcher --run-single --timeout 0 --communication-method unix_socket \
    --socket-path "$XDG_RUNTIME_DIR/speechd.sock" \
    --config-dir "$XDG_CONFIG_HOME/speech-dispatcher" --log-dir "$tmp" >"$tmp/speechd.out" 2>&1 &
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/speechd.sock" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/speechd.sock" ] ||
    { echo "SKIP: speech-dispatcher could not start"; cat "$tmp/speechd.out"; exit 77; }

orca --replace --user-prefs "$tmp/orca" --debug-file="$log" >"$tmp/orca.out" 2>&1 &

/usr/bin/python3 "$here/speech.py" "$exe" "$log" 2>&1
status=$?
if [ $status -ne 0 ] && [ -n "${MEREZHVAR_ORCA_KEEP:-}" ]; then
    cp "$log" "$MEREZHVAR_ORCA_KEEP" && echo "Orca's debug log kept in $MEREZHVAR_ORCA_KEEP"
fi
exit $status
