#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fractional scale factors: the test screen shows every physical pixel of the
# exporter's picture, also while it draws, on Xvfb and on a headless weston
# whose output scale is 2. Usage: scaling.sh KIJELZOR KIJELZOR-RENDER
set -euo pipefail
. "$(dirname "$0")/xvfb.sh" "$1"
render=$2
# The screen's size, and the exporter's pictures at that size.
screen_size() {
    size=$1 width=${1%x*} height=${1#*x}
    for test in gray-columns noise white; do "$render" "$test" --size "$size" -o "$work/$test.png"; done
}

# The screen, or its first $2 columns, against the picture of test $1.
shot() {
    if [ "${QT_QPA_PLATFORM:-}" != wayland ]; then
        import -window root "$work/shot.png"
    else
        rm -f "$work/shots/"*.png
        (cd "$work/shots" && weston-screenshooter >/dev/null 2>&1) && mv "$work/shots/"*.png "$work/shot.png"
    fi
}
matches() { compare -metric AE -extract "${2:-$width}x$height+0+0" "$work/shot.png" "$work/$1.png" null: 2>/dev/null; }
shows() { shot && matches "$1"; }
mismatch() { compare -metric AE "$work/shot.png" "$work/$1.png" null: 2>&1 || true; }
# The last column that is not black, -1 when all are.
last_lit_column() {
    local box
    box=$(convert "$work/shot.png" -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
    [ "${box%%x*}" = 0 ] && echo -1 || echo $((${box%%x*} + $(echo "$box" | cut -d+ -f2) - 2))
}

# Gray columns, stopped again and again as they draw from left to right. No
# column of the finished picture is black, so every column before the last
# lit one has been drawn for good and must show the picture (the last lit one
# may yet be drawn over: a pixel spans 15 twips, the next column's first ones
# among them); a column skipped by a rounding stays black among lit ones.
check_midway() {
    QT_SCALE_FACTOR=$1 "$program" --test gray-columns 2>>"$work/program.log" &
    local pid=$! midway=0 finished=0 lit
    pids+=($pid)
    # Generous: the program runs only between the looks, a small share of the time.
    local deadline=$((SECONDS + 60))
    # No pause between searches: the whole drawing takes some 50 ms, and it
    # must be stopped before its end.
    until xdotool search --onlyvisible --pid $pid >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "at $1: no test screen"
    done
    kill -STOP $pid
    while [ $finished = 0 ] && [ $SECONDS -lt $deadline ]; do
        shot
        lit=$(last_lit_column)
        # Until the test screen is first painted, the launcher may show.
        if ! matches gray-columns 1; then :
        elif [ "$lit" = $((width - 1)) ] && matches gray-columns; then finished=1
        elif [ "$lit" -gt 0 ]; then
            matches gray-columns "$lit" ||
                fail "at $1, drawn up to column $lit: $(mismatch gray-columns) pixels of the screen wrong"
            midway=$((midway + 1))
        fi
        kill -CONT $pid
        [ $finished = 1 ] && break
        sleep 0.01 # lets the program draw a little before the next look
        kill -STOP $pid
    done
    [ $finished = 1 ] || fail "at $1 the gray columns were not finished in 60 s: $(mismatch gray-columns) pixels wrong"
    [ $midway -gt 0 ] || fail "at $1 the drawing was never caught midway"
    kill $pid
    wait $pid 2>/dev/null || true
    echo "at $1: $midway looks midway"
}

# Test $2 at Qt's factor $1, once drawn.
check_drawn() {
    QT_SCALE_FACTOR=$1 "$program" --test "$2" 2>>"$work/program.log" &
    local pid=$!
    pids+=($pid)
    eventually shows "$2" || fail "$2 at $1: $(mismatch "$2") pixels wrong"
    kill $pid
    wait $pid 2>/dev/null || true
}

screen_size 1366x768
start_xvfb $size
for factor in 1.1 1.25 1.75; do
    check_midway $factor
    check_drawn $factor noise
done
# 1745 logical pixels at 1.1 are 1919.5 physical ones: Qt painted 1919.
screen_size 1920x1080
start_xvfb $size
check_drawn 1.1 white

# A window manager sizes a full-screen window to the screen, 731.4 logical
# pixels wide at 1.75, which Qt rounds to 731: 1279 pixels. Openbox takes
# windows only once it has started, which it tells by running a command.
screen_size 1280x720
start_xvfb $size
openbox --startup "touch $work/openbox-ready" >/dev/null 2>&1 &
pids+=($!)
eventually test -e "$work/openbox-ready" || fail "openbox did not start"
check_drawn 1.75 white

# Weston's output scale multiplies Qt's factor after Qt has rounded to its
# own units: 683 x 384 units at scale 2 are 1366 x 768 pixels.
screen_size 1366x768
export XDG_RUNTIME_DIR=$work/runtime WAYLAND_DISPLAY=kijelzor-scaling-$$
mkdir -m 700 "$XDG_RUNTIME_DIR" "$work/shots"
weston --backend=headless-backend.so --use-pixman --scale=2 --width=$((width / 2)) \
    --height=$((height / 2)) --socket="$WAYLAND_DISPLAY" --debug --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
eventually test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start: $(cat "$work/weston.log")"
export QT_QPA_PLATFORM=wayland
check_drawn 1.25 gray-columns
echo "scaling: all checks passed"
