#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A test on a chosen monitor from the command line: two monitors side by
# side on one Xvfb screen, listed, chosen by name, and a test that covers the
# one chosen and nothing of the other.
set -euo pipefail
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
eventually() { for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done; return 1; }

# Refused before any display is needed, as the exporter refuses them.
env -u DISPLAY "$program" --test gray-columns --columns 7 2>"$work/err" && fail "7 columns taken" ||
    [ $? = 2 ] && [ "$(cat "$work/err")" = "kijelzor: Nem megfelelő érték" ] || fail "7 columns: $(cat "$work/err")"

for n in $(seq 141 190); do [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }; done
Xvfb "$display" -screen 0 3840x1080x24 -noreset -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
eventually xdpyinfo >/dev/null 2>&1
xrandr --setmonitor A 1920/508x1080/286+0+0 screen >/dev/null && xrandr --setmonitor B 1920/508x1080/286+1920+0 none >/dev/null

"$program" --list-screens >"$work/list"
grep -q '^0 A, 1920 x 1080 pixels at 0,0, .*primary$' "$work/list" && grep -q '^1 B, 1920 x 1080 pixels at 1920,0,' "$work/list" &&
    [ "$(wc -l <"$work/list")" = 2 ] || fail "--list-screens: $(cat "$work/list")"
"$program" --screen C 2>"$work/err" && fail "monitor C taken" || [ $? = 2 ] && [ "$(wc -l <"$work/err")" = 1 ] &&
    grep -q '1 B,' "$work/err" || fail "--screen C: $(cat "$work/err")"

pixels() {
    import -window root "$work/shot.png"
    for at in "$@"; do convert "$work/shot.png" -crop "1x1+${at%,*}+${at#*,}" -depth 8 txt:- | sed -n 's/^[^(]*(\([0-9,]*\)).*/\1/p'; done | paste -sd' ' -
}
white_on_b() { [ "$(pixels 0,0 1919,1079 1920,0 3839,1079)" = "0,0,0 0,0,0 255,255,255 255,255,255" ]; }
"$program" --screen B --test white &
pids+=($!)
eventually white_on_b || fail "the white test does not cover monitor B alone: $(pixels 0,0 1919,1079 1920,0 3839,1079)"
xdotool key Escape
launcher_on_b() { eval "$(xdotool search --onlyvisible --name '^Kijelzor - v1' getwindowgeometry --shell 2>/dev/null)" && [ "${X:-0}" -ge 1920 ]; }
eventually launcher_on_b || fail "Esc did not bring the launcher back on monitor B"
echo "screens: all checks passed"
