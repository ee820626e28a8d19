# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The screen against the exporter's pictures, sourced after xvfb.sh with the
# exporter as $1: on X11, weston or sway, whichever the display is.
render=$1

# The screen's size, and the exporter's pictures at that size.
screen_size() {
    size=$1 width=${1%x*} height=${1#*x}
    for test in "${@:2}"; do "$render" "$test" --size "$size" -o "$work/$test.png"; done
}

# The screen, or its first $2 columns, against the picture of test $1.
matches() { compare -metric AE -extract "${2:-$width}x$height+0+0" "$work/shot.png" "$work/$1.png" null: 2>/dev/null; }
shows_picture() { shot && matches "$1"; }
mismatch() { compare -metric AE "$work/shot.png" "$work/$1.png" null: 2>&1 || true; }
# The last column that is not black, -1 when all are.
last_lit_column() {
    local box
    box=$(convert "$work/shot.png" -bordercolor black -border 1 -format '%@' info: 2>/dev/null)
    [ "${box%%x*}" = 0 ] && echo -1 || echo $((${box%%x*} + $(echo "$box" | cut -d+ -f2) - 2))
}
# Whether a window of process $1 is on the screen.
window_shown() {
    if [ -n "${SWAYSOCK:-}" ]; then
        swaymsg -t get_tree -r | jq -e --argjson pid "$1" \
            '[.. | objects | select(.pid? == $pid and .visible? == true)] | length > 0' >/dev/null
    else
        xdotool search --onlyvisible --pid "$1" >/dev/null 2>&1
    fi
}

# Gray columns, stopped again and again as they draw from left to right. No
# column of the finished picture is black, so every column before the last
# lit one has been drawn for good and must show the picture (the last lit one
# may yet be drawn over: a pixel spans 15 twips, the next column's first ones
# among them); a column skipped by a rounding stays black among lit ones.
# Usage: check_midway LABEL [NAME=VALUE...], the program run with those.
check_midway() {
    background env "${@:2}" "$program" --test gray-columns 2>>"$work/program.log"
    # From its start the program runs only in slices of a few ms, each
    # followed by a look: the whole drawing takes only some of them, and
    # looks begun once the window showed could come when it was done.
    kill -STOP $pid
    local midway=0 finished=0 lit
    local deadline=$((SECONDS + 60))
    while [ $finished = 0 ] && [ $SECONDS -lt $deadline ]; do
        kill -CONT $pid
        sleep 0.002
        kill -STOP $pid
        window_shown $pid || continue
        shot
        lit=$(last_lit_column)
        # Until the test screen is first painted, the launcher may show.
        if ! matches gray-columns 1; then :
        elif [ "$lit" = $((width - 1)) ] && matches gray-columns; then finished=1
        elif [ "$lit" -gt 0 ]; then
            matches gray-columns "$lit" ||
                fail "$1, drawn up to column $lit: $(mismatch gray-columns) pixels of the screen wrong"
            midway=$((midway + 1))
        fi
    done
    kill -CONT $pid
    [ $finished = 1 ] || fail "$1 the gray columns were not finished in 60 s: $(mismatch gray-columns) pixels wrong"
    [ $midway -gt 0 ] || fail "$1 the drawing was never caught midway"
    stop $pid
    echo "$1: $midway looks midway"
}

# Test $2, once drawn, as the exporter draws it. Usage: check_drawn LABEL TEST [NAME=VALUE...]
check_drawn() {
    background env "${@:3}" "$program" --test "$2" 2>>"$work/program.log"
    eventually shows_picture "$2" || fail "$2 $1: $(mismatch "$2") pixels wrong"
    stop $pid
}
