#!/usr/bin/env bash
# Where the real program's first form opens on a desktop as a school's is: an X display with a
# window manager (openbox, which draws a title bar and a frame) and panels that reserve strips of
# the screen (panel.py). Offscreen and a bare Xvfb have neither, so only here can a form be seen
# centred on the whole screen instead of its free area, or with its title bar under a panel.
# The frame must stay inside the free area; where it fits, it is centred on the area (across
# exactly; down, the first form may centre its client area, as its frame is not known before it
# is shown); where only the client area fits, the frame starts at the area's top; where nothing
# fits, at the area's top left. The next form, shown with a frame known, is centred exactly.
# Then a second display split into two monitors, the left one primary, as a laptop with a
# projector beside it: a form opens on the monitor of the form the student was using, on that
# monitor's free area, at that monitor's scale; last with no window manager and a work area that
# leaves the right monitor out, which is then free whole.
# Exits 77 (skipped) where the display, the window manager or the panel cannot start.
set -u
[ $# -eq 1 ] || { echo "usage: $0 MEREZHVAR_EXECUTABLE" >&2; exit 2; }
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/xvfb.sh"

for tool in openbox xdotool xwininfo xprop xrandr /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || { echo "SKIP: python3-xlib is missing"; exit 77; }

tmp=$(mktemp -d)
at_exit 'rm -rf "$tmp"'
# The window manager, the panel and the program, stopped before their display (at_exit after
# each start_xvfb).
pids=()
stop_clients() {
    for pid in "${pids[@]}"; do kill "$pid"; wait "$pid"; done 2>/dev/null
    pids=()
}
export XDG_RUNTIME_DIR=$tmp HOME=$tmp XDG_CONFIG_HOME=$tmp/config
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

# Starts openbox and, along the top and the left of the whole display, a task bar and a side bar,
# then waits for the window manager to reserve their strips: the work area becomes $1 (x y w h).
start_desktop() {
    openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    /usr/bin/python3 "$here/panel.py" top=40 left=100 >"$tmp/panel.log" 2>&1 &
    pids+=($!)
    local work=""
    for _ in $(seq 100); do
        work=$(xprop -root _NET_WORKAREA 2>/dev/null |
            grep -o '= [0-9]*, [0-9]*, [0-9]*, [0-9]*' | tr -d '=,')
        [ "$work" == " $1" ] && return
        sleep 0.1
    done
    echo "SKIP: the window manager did not reserve the panels' strips (work area:$work)"
    cat "$tmp/openbox.log" "$tmp/panel.log"
    exit 77
}

start_xvfb 1024x768 || exit 77
at_exit stop_clients
# The free area is 924 × 728 at (100, 40).
free="100 40 924 728"
start_desktop "$free"

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

# A visible window of the program other than those given, once the window manager has framed it
# (where there is one: $framed).
framed=true
window_after() {
    local w
    for _ in $(seq 200); do
        for w in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
            if [[ " $* " != *" $w "* ]] && { ! $framed ||
                xprop -id "$w" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '= '; }; then
                sleep 0.3  # the program may still move it once the frame is known
                echo "$w"
                return
            fi
        done
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
    fl=0 fr=0 ft=0 fb=0
    if $framed; then
        read -r fl fr ft fb <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //' | tr -d ',')"
    fi
}

# Checks the form in window $2 against the free area ($4 if given, x y w h); $3 is how it must
# lie: centred, or framed with a frame known (centred exactly), top (only the client area fits),
# corner (nothing fits). At an edge, the frame may stand up to one logical pixel ($slack device
# pixels) in from a panel.
check_form() {
    local name=$1 how=$3 ax ay aw ah
    read -r ax ay aw ah <<<"${4:-$free}"
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

# Starts the program with the environment given (VAR=value...) and sets app and start, the start
# form's window; says why and returns 1 where no framed window comes up.
launch() {
    local name=$1
    shift
    env QT_QPA_PLATFORM=xcb "$@" "$exe" >/dev/null 2>"$tmp/err" &
    app=$!
    pids+=($app)
    start=$(window_after)
    [ -n "$start" ] && return
    echo "FAIL: $name: no framed window came up"
    cat "$tmp/err"
    fail=1
    kill $app 2>/dev/null
    return 1
}

# Checks the program's next window, one not among those given after $2, as centred exactly on
# the free area $2, and sets shown to it; fails the case $1 where none comes up.
check_next() {
    local name=$1 area=$2 next
    shift 2
    next=$(window_after "$@")
    if [ -z "$next" ]; then
        echo "FAIL: $name did not come up"
        fail=1
        return 1
    fi
    check_form "$name" "$next" framed "$area"
    shown=$next
}

stop_program() {
    kill $app 2>/dev/null
    wait $app 2>/dev/null
}

run_case() {  # description, scale, how the start form lies, then whether to go on to question 1
    local name=$1 scale=$2 how=$3 next=${4:-}
    slack=$scale
    launch "$name" QT_SCALE_FACTOR="$scale" || return
    check_form "$name, start form" "$start" "$how"
    if [ -n "$next" ]; then
        # «Розпочати тест» has the keyboard; question 1 opens where the start form's frame is known.
        xdotool windowactivate --sync "$start" key space 2>/dev/null
        check_next "$name, question 1" "$free" "$start"
    fi
    stop_program
}

# 425 × 359 with its menu bar: fits with room to spare.
run_case "scale 1" 1 centred next
# 850 × 718: fits the area's 728 pixels, but not with a title bar above it.
run_case "scale 2" 2 top
# 1275 × 1077: larger than the area both ways.
run_case "scale 3" 3 corner

# Two monitors of 1024 × 768 side by side on one display, the left one primary. Without -noreset
# (start_xvfb passes it) the server's reset as its last client leaves would drop the monitors.
stop_clients
start_xvfb 2048x768 || exit 77
at_exit stop_clients
if ! xrandr --setmonitor '*L' 1024/270x768/203+0+0 screen >/dev/null ||
    ! xrandr --setmonitor R 1024/270x768/203+1024+0 none >/dev/null; then
    echo "SKIP: xrandr could not split the display into two monitors"
    exit 77
fi
# The panels lie along the top of both monitors and the left of the left one.
start_desktop "100 40 1948 728"
left="100 40 924 728"
right="1024 40 1024 728"

# Moves window $1 so that its client area's top left is at ($2, $3), and waits for it to get there.
move_window() {
    xdotool windowmove "$1" "$2" "$3"
    for _ in $(seq 100); do
        measure "$1"
        [ "$x $y" == "$2 $3" ] && break
        sleep 0.05
    done
    sleep 0.3  # the program hears of its new place, and of its monitor, after the move
}

# Moves the start form onto the right monitor and presses «Розпочати тест» by Space, the form
# taking the keyboard by xdotool's $3 (windowactivate, or windowfocus where no window manager
# activates windows); checks question 1 on the free area $2, as check_next does.
start_on_the_right() {
    local name=$1 area=$2 focus=$3
    shift 3
    move_window "$start" 1300 200
    xdotool "$focus" --sync "$start" key space 2>/dev/null
    check_next "$name, question 1" "$area" "$start" "$@"
}

slack=1
# «Розпочати тест» pressed on the start form moved to the right: question 1 opens there.
name="two monitors, start form moved right"
if launch "$name"; then
    start_on_the_right "$name" "$right" windowactivate
    stop_program
fi

# «Про автора» clicked on the start form on the right monitor: the about form opens there.
name="two monitors, start form moved right"
if launch "$name"; then
    move_window "$start" 1300 200
    xdotool mousemove --window "$start" 30 10 click 1  # the menu bar's one entry
    check_next "$name, the about form" "$right" "$start"
    stop_program
fi

# The start form where the platform put it, on the primary monitor: question 1 opens there too.
# Then question 1 moved to the right, and «Далі» clicked: question 2 opens on the right.
name="two monitors, start form on the left"
if launch "$name"; then
    check_form "$name, start form" "$start" centred "$left"
    xdotool windowactivate --sync "$start" key space 2>/dev/null
    if check_next "$name, question 1" "$left" "$start"; then
        move_window "$shown" 1400 300
        xdotool mousemove --window "$shown" 339 288 click 1  # «Далі» on question 1
        check_next "$name, question 1 moved right, question 2" "$right" "$shown"
    fi
    stop_program
fi

# The right monitor at scale 2, where a form has twice the pixels and the window manager's frame
# does not. The about form opened on the left, then the start form moved right: question 1 opens
# on the right, centred by the frame as it is there, not as on the left.
slack=2
name="two monitors, the right one at scale 2"
if launch "$name" QT_SCREEN_SCALE_FACTORS="L=1;R=2"; then
    xdotool mousemove --window "$start" 30 10 click 1
    if check_next "$name, the about form" "$left" "$start"; then
        start_on_the_right "$name, start form moved right" "$right" windowactivate "$shown"
    fi
    stop_program
fi

slack=1
# No window manager now, and a work area left on the display that covers only the left monitor, as
# one window manager's work area for all monitors together may: the right one is free whole.
stop_clients
framed=false
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "${left// /,}"
name="two monitors, a work area without the right one, start form moved right"
if launch "$name"; then
    start_on_the_right "$name" "1024 0 1024 768" windowfocus
    stop_program
fi

if [ $fail -eq 0 ]; then echo "$passed passed, 0 failed"; else echo "some failed"; fi
exit $fail
