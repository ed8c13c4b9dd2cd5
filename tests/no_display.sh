#!/usr/bin/env bash
# The real program where no window can be opened: one plain line in Ukrainian naming the display
# tried, exit status 1, no abort (no core) and no toolkit diagnostics.
set -u
exe=$1
fail=0
check() {  # name, then the environment changes
    local name=$1
    shift
    local err status lines
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$exe" 2>&1 >/dev/null)
    status=$?
    lines=$(printf '%s\n' "$err" | grep -c .)
    if [ "$status" -eq 1 ] && [ "$lines" -eq 1 ] && [[ $err == Мережвар:*дисплей* ]]; then
        echo "PASS: $name: $err"
    else
        echo "FAIL: $name: status $status, $lines lines:"
        printf '%s\n' "$err"
        fail=1
    fi
}
check "no display set"
check "a display that is not there" DISPLAY=:987
if [ $fail -eq 0 ]; then echo "2 passed, 0 failed"; else echo "some failed"; fi
exit $fail
