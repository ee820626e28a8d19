#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A test on a chosen monitor from the command line: two monitors side by
# side on one Xvfb screen, listed, chosen by name, and a test that covers the
# one chosen and nothing of the other; and a monitor's own word, its EDID on
# the output, read back. Usage: screens.sh KIJELZOR PUT-EDID
set -euo pipefail
. "$(dirname "$0")/xvfb.sh" "$1"
put_edid=$2 dell=$(dirname "$0")/../fuzz/corpus/edid/dell-u2723qe

start_xvfb 3840x1080
xrandr --setmonitor A 1920/508x1080/286+0+0 screen >/dev/null && xrandr --setmonitor B 1920/508x1080/286+1920+0 none >/dev/null

"$program" --list-screens >"$work/list"
grep -q '^0 A, 1920 x 1080 pixels at 0,0, .*primary$' "$work/list" && grep -q '^1 B, 1920 x 1080 pixels at 1920,0,' "$work/list" &&
    [ "$(wc -l <"$work/list")" = 2 ] || fail "--list-screens: $(cat "$work/list")"
"$program" --screen C 2>"$work/err" && fail "monitor C taken" || [ $? = 2 ] && [ "$(wc -l <"$work/err")" = 1 ] &&
    grep -q '1 B,' "$work/err" || fail "--screen C: $(cat "$work/err")"
"$program" --screen 2 2>"$work/err" && fail "monitor 2 of two taken" || [ $? = 2 ] && grep -q "no monitor '2'" "$work/err" ||
    fail "--screen 2: $(cat "$work/err")"

white_on_b() { [ "$(pixels 0,0 1919,1079 1920,0 3839,1079)" = "0,0,0 0,0,0 255,255,255 255,255,255" ]; }
background "$program" --screen B --test white
eventually white_on_b || fail "the white test does not cover monitor B alone: $(pixels 0,0 1919,1079 1920,0 3839,1079)"
xdotool key Escape
launcher_on_b() { eval "$(xdotool search --onlyvisible --name '^Kijelzor - v1' getwindowgeometry --shell 2>/dev/null)" && [ "${X:-0}" -ge 1920 ]; }
eventually launcher_on_b || fail "Esc did not bring the launcher back on monitor B"

# The checkup on monitor B: its first test with its hint there, nothing of it on A.
kill "${pids[-1]}"
background "$program" --checkup --screen B 2>"$work/checkup.log"
lit() { convert "$work/shot.png" -crop "1920x1080+$1+0" -format '%[fx:maxima.r>0]' info:; }
checkup_on_b() { import -window root "$work/shot.png" && [ "$(lit 0)$(lit 1920)" = 01 ]; }
eventually checkup_on_b || fail "the checkup is not on monitor B alone: A $(lit 0), B $(lit 1920)"

# The EDID of a DELL U2723QE running at 1920 x 1080: its maker's name from
# hwdata's list, its own name without Qt's dash, its serial, year and native
# mode. A block cut short says nothing, and Qt's facts stand.
start_xvfb 1920x1080
"$put_edid" "$dell" screen || fail "no EDID put on the output"
listed=$("$program" --list-screens)
[ "$listed" = "0 screen (Dell Inc. DELL U2723QE), 1920 x 1080 pixels at 0,0, 60 Hz, scale 1, serial ABC1234, made 2024, native 2560 x 1440 at 59.95 Hz, primary" ] ||
    fail "--list-screens with an EDID: $listed"
head -c 127 "$dell" >"$work/cut"
"$put_edid" "$work/cut" screen || fail "no EDID put on the output"
listed=$("$program" --list-screens)
[[ $listed == "0 screen, 1920 x 1080 pixels at 0,0, 60 Hz, scale 1, primary" ]] ||
    fail "--list-screens with an EDID cut short: $listed"
echo "screens: all checks passed"
