#!/usr/bin/env bash
# Where the real program's first form opens on a desktop as a school's is: an X display with a
# window manager (openbox, which draws a title bar and a frame) and panels that reserve strips of
# the screen (panel.py). Offscreen and a bare Xvfb have neither, so only here can a form be seen
# centred on the whole screen instead of its free area, or with its title bar under a panel.
# The frame must stay inside the free area; where it fits, it is centred on the area (across
# exactly; down, the first form may centre its client area, as its frame is not known before it
# is shown); where only the client area fits, the frame starts at the area's top; where nothing
# fits, at the area's top left. The next form, shown with a frame known, is centred exactly.
# Exits 77 (skipped) where the display, the window manager or the panel cannot start.
set -u
[ $# -eq 1 ] || { echo "usage: $0 MEREZHVAR_EXECUTABLE" >&2; exit 2; }
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/xvfb.sh"

for tool in openbox xdotool xwininfo xprop /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || { echo "SKIP: python3-xlib is missing"; exit 77; }

tmp=$(mktemp -d)
at_exit 'rm -rf "$tmp"'
start_xvfb 1024x768 || exit 77
# The window manager, the panel and the program, stopped before the display.
pids=()
at_exit 'for pid in "${pids[@]}"; do kill "$pid"; wait "$pid"; done 2>/dev/null'
export XDG_RUNTIME_DIR=$tmp HOME=$tmp XDG_CONFIG_HOME=$tmp/config
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
# A task bar along the top and a side bar at the left: the free area is 924 × 728 at (100, 40).
/usr/bin/python3 "$here/panel.py" top=40 left=100 >"$tmp/panel.log" 2>&1 &
pids+=($!)
area=""
for _ in $(seq 100); do
    area=$(xprop -root _NET_WORKAREA 2>/dev/null | grep -o '= [0-9]*, [0-9]*, [0-9]*, [0-9]*' |
        tr -d '=,')
    [ "$area" == " 100 40 924 728" ] && break
    sleep 0.1
done
if [ "$area" != " 100 40 924 728" ]; then
    echo "SKIP: the window manager did not reserve the panels' strips (work area:$area)"
    cat "$tmp/openbox.log" "$tmp/panel.log"
    exit 77
fi
read -r ax ay aw ah <<<"$area"

fail=0
passed=0
check() {  # description, condition as an arithmetic expression
    if (($2)); then
        passed=$((passed + 1))
    else
        echo "FAIL: $1"
        fail=1
    fi
}

# The program's one visible window, once it is another than $1 and the window manager has framed it.
window_after() {
    local previous=$1 w
    for _ in $(seq 200); do
        w=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n1)
        if [ -n "$w" ] && [ "$w" != "$previous" ] &&
            xprop -id "$w" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '= '; then
            sleep 0.3  # the program may still move it once the frame is known
            echo "$w"
            return
        fi
        sleep 0.05
    done
}

# Sets x y w h (the client area, on the root window) and fl fr ft fb (the frame's margins).
measure() {
    local info
    info=$(xwininfo -id "$1")
    x=$(grep 'Absolute upper-left X' <<<"$info" | grep -o '[-0-9]*$')
    y=$(grep 'Absolute upper-left Y' <<<"$info" | grep -o '[-0-9]*$')
    w=$(grep 'Width:' <<<"$info" | grep -o '[0-9]*$')
    h=$(grep 'Height:' <<<"$info" | grep -o '[0-9]*$')
    read -r fl fr ft fb <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //' | tr -d ',')"
}

# Checks the form in window $2 against the free area; $3 is how it must lie: centred, or framed
# with a frame known (centred exactly), top (only the client area fits), corner (nothing fits).
# At an edge, the frame may stand up to one logical pixel ($slack device pixels) in from a panel.
check_form() {
    local name=$1 how=$3
    measure "$2"
    local left=$((x - fl)) top=$((y - ft)) right=$((x + w + fr)) bottom=$((y + h + fb))
    echo "$name: client ${w}x${h} at ($x, $y), frame margins $fl $fr $ft $fb"
    # Twice the centres, so that half pixels stay whole.
    local mid_x=$((2 * ax + aw)) mid_y=$((2 * ay + ah))
    check "$name: the frame's top ($top) is in the free area (from $ay)" "top >= ay"
    check "$name: the frame's left ($left) is in the free area (from $ax)" "left >= ax"
    case $how in
        centred | framed)
            check "$name: the frame ($left..$right) is centred across the free area" \
                "left + right - mid_x <= 2 * slack && mid_x - left - right <= 2 * slack"
            check "$name: the frame's bottom ($bottom) is in the free area" "bottom <= ay + ah"
            local frame_mid=$((top + bottom)) client_mid=$((2 * y + h))
            if [ "$how" == framed ]; then client_mid=$frame_mid; fi
            check "$name: the frame ($top..$bottom) is centred down the free area" \
                "mid_y >= frame_mid - 2 * slack && mid_y <= client_mid + 2 * slack"
            ;;
        top)
            check "$name: the frame's top ($top) is the free area's ($ay)" "top <= ay + slack"
            check "$name: the frame ($left..$right) is centred across the free area" \
                "left + right - mid_x <= 2 * slack && mid_x - left - right <= 2 * slack"
            ;;
        corner)
            check "$name: the frame's top left ($left, $top) is the free area's" \
                "top <= ay + slack && left <= ax + slack"
            ;;
    esac
}

run_case() {  # description, scale, how the start form lies, then whether to go on to question 1
    local name=$1 scale=$2 how=$3 next=${4:-}
    slack=$scale
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$exe" >/dev/null 2>"$tmp/err" &
    app=$!
    pids+=($app)
    local start
    start=$(window_after "")
    if [ -z "$start" ]; then
        echo "FAIL: $name: no framed window came up"
        cat "$tmp/err"
        fail=1
        kill $app 2>/dev/null
        return
    fi
    check_form "$name, start form" "$start" "$how"
    if [ -n "$next" ]; then
        # «Розпочати тест» has the keyboard; question 1 opens where the start form's frame is known.
        xdotool windowactivate --sync "$start" key space 2>/dev/null
        local question
        question=$(window_after "$start")
        if [ -z "$question" ]; then
            echo "FAIL: $name: question 1 did not come up"
            fail=1
        else
            check_form "$name, question 1" "$question" framed
        fi
    fi
    kill $app 2>/dev/null
    wait $app 2>/dev/null
}

# 425 × 359 with its menu bar: fits with room to spare.
run_case "scale 1" 1 centred next
# 850 × 718: fits the area's 728 pixels, but not with a title bar above it.
run_case "scale 2" 2 top
# 1275 × 1077: larger than the area both ways.
run_case "scale 3" 3 corner

if [ $fail -eq 0 ]; then echo "$passed passed, 0 failed"; else echo "some failed"; fi
exit $fail
