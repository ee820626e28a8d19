#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Xvfb, driven as a person would drive it: start it,
# read the title, click tiles, look at the screen, press Esc, click.
set -euo pipefail
# As given, links and all: an installed program finds its folder through them.
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Without a display: one plain line and a non-zero status, no core dump.
for display in "" :1999; do
    status=0
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>"$work/err" </dev/null || status=$?
    [ "$status" -ne 0 ] && [ "$status" -lt 128 ] && [ "$(wc -l <"$work/err")" = 1 ] &&
        grep -q 'no display: set DISPLAY or WAYLAND_DISPLAY' "$work/err" ||
        fail "status $status without a display: $(cat "$work/err")"
done

# --help, --version and bad usage need no display either.
[ "$(env -u DISPLAY "$program" --version)" = "kijelzor 1.05" ] && env -u DISPLAY "$program" --help | grep -q '^Usage: kijelzor' ||
    fail "--help or --version"
env -u DISPLAY "$program" --bogus 2>"$work/err" && fail "--bogus taken" || [ $? = 2 ] && [ "$(wc -l <"$work/err")" = 1 ] ||
    fail "--bogus: $(cat "$work/err")"

for n in $(seq 91 140); do [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }; done
Xvfb "$display" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# Polls `condition` for up to five seconds.
eventually() { for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done; return 1; }
eventually xdpyinfo >/dev/null 2>&1
pixels() { # the screen's colours at the given x,y points
    import -window root "$work/shot.png"
    for at in "$@"; do convert "$work/shot.png" -crop "1x1+${at%,*}+${at#*,}" -depth 8 txt:- | sed -n 's/^[^(]*(\([0-9,]*\)).*/\1/p'; done | paste -sd' ' -
}
shows() { [ "$(pixels "${@:2}")" = "$1" ]; }
launcher_shown() { xdotool search --onlyvisible --name '^Kijelzor - v1\.05' >/dev/null 2>&1; }
click_tile() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; }

"$program" 2>"$work/program.log" &
pids+=($!)
eventually launcher_shown || fail "the launcher did not appear"
window=$(xdotool search --onlyvisible --name '^Kijelzor - v1\.05 \(1024 x 768 pixeles aktuális felbontás\)$') ||
    fail "the launcher's title: $(xdotool search --onlyvisible --name Kijelzor getwindowname)"
eval "$(xdotool getwindowgeometry --shell "$window")"

white='255,255,255'
xset s 2 0 # the X screensaver after two still seconds, but not during a test
click_tile 114 188 # the white tile
eventually shows "$white $white $white" 0,0 512,384 1023,767 || fail "the screen did not turn white"
sleep 4
[ "$(xssstate -s)" != on ] || fail "the screensaver started during a test"
xdotool key Escape
eventually launcher_shown || fail "Esc did not bring the launcher back"
saver_on() { [ "$(xssstate -s)" = on ]; }
eventually saver_on || fail "the screensaver stays away after the test: $(xssstate -s)"
click_tile 325 54 # uniformity: a ramp from black under a white grid
eventually shows "0,0,0 34,34,34 $white $white $white" 0,0 100,100 256,100 100,192 100,767 ||
    fail "the uniformity pattern did not show"
xdotool click 1
eventually launcher_shown || fail "a click did not bring the launcher back"
click_tile 69 262 # ghosting: its picture beside the program
picture_shown() { ! shows 0,0,0 5,5 && ! shows "$white" 5,5; }
eventually picture_shown || fail "the ghosting test did not show blur_bg.jpg"
xdotool key Escape
eventually launcher_shown || fail "Esc did not end the ghosting test"
echo "end to end: all checks passed"
