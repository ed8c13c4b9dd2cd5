# An X server of the test's own, for the test scripts to source (bash).
#   at_exit COMMAND   runs COMMAND when the script exits, the latest registered first, so that
#                     what was started on the server stops before the server does
#   start_xvfb WxH    starts Xvfb with one screen of that size on a display it picks itself,
#                     exports DISPLAY and stops the server at exit. Where Xvfb is missing or cannot
#                     start, says why and returns 1; the caller then skips (exit 77).

exit_steps=()
at_exit() {
    exit_steps=("$1" "${exit_steps[@]}")
    trap 'for step in "${exit_steps[@]}"; do eval "$step"; done' EXIT
}

start_xvfb() {
    command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; return 1; }
    local dir pid number=""
    dir=$(mktemp -d)
    mkfifo "$dir/display"
    # Xvfb writes the number of the display it took on descriptor 3, or closes it unwritten. It
    # runs ahead of the machine's other work where it may (as root): the times it stamps on input
    # are when it gets to it, and a busy machine must not make a double-click of two.
    nice -n -10 Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset \
        3>"$dir/display" 2>"$dir/err" &
    pid=$!
    at_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null"
    read -r -t 10 number <"$dir/display"
    if [ -z "$number" ]; then
        echo "Xvfb could not start"
        tail -n 5 "$dir/err"
    fi
    rm -rf "$dir"
    [ -n "$number" ] && export DISPLAY=:$number
}
