#!/usr/bin/env bash
# The real program under Xvfb, driven as a person would drive it: start it,
# read the title, click the white tile, look at the screen, press Esc.
set -euo pipefail

# As given, links and all: an installed program finds its folder through them.
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Without a display: one plain line and a non-zero status, no core dump.
check_no_display() {
    local status=0
    "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
    [ "$status" -ne 0 ] && [ "$status" -lt 128 ] || fail "exit status $status for: $*"
    [ "$(wc -l <"$work/err")" -eq 1 ] || { cat "$work/err"; fail "expected one line on stderr"; }
    grep -q 'no display: set DISPLAY or WAYLAND_DISPLAY' "$work/err" || fail "unclear message"
}
check_no_display env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program"
check_no_display env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:1999 "$program"
echo "ok: without a display"

for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1024x768x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# Polls `condition` for up to five seconds.
eventually() {
    for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
    return 1
}
shoot() { import -window root "$work/shot.png"; }
pixel() { convert "$work/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/^[^(]*(\([0-9,]*\)).*/\1/p'; }
all_white() { shoot && [ "$(convert "$work/shot.png" -format '%k' info:)" = 1 ] && [ "$(pixel 0 0)" = 255,255,255 ]; }
uniformity_shown() {
    shoot && [ "$(pixel 0 0)" = 0,0,0 ] && [ "$(pixel 100 767)" = 255,255,255 ] &&
        [ "$(pixel 256 100)" = 255,255,255 ] && [ "$(pixel 100 192)" = 255,255,255 ] &&
        [ "$(pixel 100 100)" = 34,34,34 ]
}
launcher_window() { xdotool search --onlyvisible --name '^Kijelzor - v1\.05' 2>/dev/null | head -n 1; }
launcher_shown() { [ -n "$(launcher_window)" ]; }

"$program" >"$work/program.log" 2>&1 &
pids+=($!)
eventually launcher_shown || fail "the launcher did not appear"
window=$(launcher_window)
title=$(xdotool getwindowname "$window")
[ "$title" = "Kijelzor - v1.05 (1024 x 768 pixeles aktuális felbontás)" ] || fail "title: $title"
echo "ok: launcher titled '$title'"

eval "$(xdotool getwindowgeometry --shell "$window")"
# The white tile: 18 × 18 pixels at (105, 179) in the launcher.
xdotool mousemove $((X + 114)) $((Y + 188)) click 1
eventually all_white || fail "the screen did not turn all white"
echo "ok: the white tile covers the whole screen in white"

xdotool key Escape
eventually launcher_shown || fail "Esc did not bring the launcher back"
shoot
[ "$(convert "$work/shot.png" -format '%k' info:)" -gt 1 ] || fail "the canvas is still shown"
echo "ok: Esc brings the launcher back"

# A drawn pattern: the uniformity ramp, black at the top, white at the bottom,
# with its white grid.
xdotool mousemove $((X + 325)) $((Y + 54)) click 1
eventually uniformity_shown || fail "the uniformity pattern did not show"
echo "ok: the uniformity pattern shows"
xdotool click 1
eventually launcher_shown || fail "a click did not bring the launcher back"
echo "ok: a click brings the launcher back"

# The ghosting test finds its picture beside the program and moves its square.
picture_shown() { shoot && [ "$(pixel 5 5)" != 0,0,0 ] && [ "$(pixel 5 5)" != 255,255,255 ]; }
xdotool mousemove $((X + 69)) $((Y + 262)) click 1
eventually picture_shown || fail "the ghosting test did not show blur_bg.jpg"
xdotool key Escape
eventually launcher_shown || fail "Esc did not end the ghosting test"
echo "ok: the ghosting test shows its picture"

# Esc right after the click, while the gradient is still drawing.
start=$(date +%s%N)
xdotool mousemove $((X + 197)) $((Y + 54)) click 1 key Escape
eventually launcher_shown || fail "Esc during the drawing did not bring the launcher back"
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
shoot
[ "$(pixel 0 0)" != 255,255,255 ] || fail "the gradient is still on the screen"
echo "ok: Esc during the drawing brings the launcher back (${elapsed_ms} ms, xdotool included)"
