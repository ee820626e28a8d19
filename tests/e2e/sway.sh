#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A Wayland desktop at fractional scales (a headless sway): the canvas shows
# the exporter's pictures at the monitor's physical size, every pixel, also
# while it draws; a click marks the physical pixel under it; and where the
# picture cannot reach the panel one to one, the screen and the report say so.
# Usage: sway.sh KIJELZOR KIJELZOR-RENDER VIRTUAL-POINTER
set -euo pipefail
. "$(dirname "$0")/xvfb.sh" "$1"
. "$(dirname "$0")/pictures.sh" "$2"
pointer=$3
pictures=(sharpness noise gamma gray-columns white)

start_sway 1920x1080 1.5
screen_size 1920x1080 "${pictures[@]}"
listed=$("$program" --list-screens)
grep -q '^0 HEADLESS-1 .*, 1920 x 1080 pixels at 0,0, .*, scale 1.5, primary$' <<<"$listed" ||
    fail "--list-screens at 1.5: $listed"
check_midway "at 1.5"
# The frames are the subsurface's: sway's headless output offers presentation
# feedback and never tells a frame presented, so its frame callbacks count.
# Its timer slows when the machine is busy: a tenth off the display's rate is
# its timer, half or twice it a miscount.
measured=$("$program" --measure-refresh)
[[ $measured =~ ^([0-9.]+)\ Hz\ measured\ \(60\.00\ Hz\ reported\),\ wayland-frame,\ ([0-9]+)\ frames ]] &&
    within "${BASH_REMATCH[1]}" 54 66 && within "${BASH_REMATCH[2]}" 140 200 ||
    fail "--measure-refresh at 1.5: $measured"
for scale in 1.25 1.5 1.75; do
    # grim cuts a row off 1920 x 1080 at 1.75, whose logical size is not whole.
    [ $scale = 1.75 ] && screen_size 1680x1050 "${pictures[@]}"
    swaymsg output HEADLESS-1 resolution "$size" scale $scale >/dev/null
    for test in sharpness noise gamma; do check_drawn "at $scale" $test; done
done

# The report's word on the screen: the checkup ended on its first test.
# sway gives a keyboard to wtype's keys only once it has made one for it.
key() { wtype -s 200 -k "$1"; }
# Esc until the summary has written the report.
written() {
    for _ in 1 2 3; do key Escape && eventually test -s "$work/report.html" && return; done
    fail "no report: $(cat "$work/program.log")"
}
report_screen() {
    rm -f "$work/report.html"
    background env "$@" "$program" --checkup --report "$work/report.html" 2>>"$work/program.log"
    eventually window_shown $pid || fail "no checkup"
    written
    report_json "$work/report.html" | jq -c .screen
    stop $pid
}
# Where the notice that the picture is resampled lies, and its colour.
notice=120,20,10
swaymsg output HEADLESS-1 resolution 1920x1080 scale 1.5 >/dev/null
screen=$(report_screen)
jq -e '.width == 1920 and .height == 1080 and .scale == 1.5 and .exact' <<<"$screen" >/dev/null ||
    fail "the report at 1.5: $screen"
screen=$(report_screen KIJELZOR_PRESENTER=qt)
jq -e '.width == 1920 and .exact == false and .inexact == "scaled-by-compositor"' <<<"$screen" \
    >/dev/null || fail "the report at 1.5 through Qt's buffers: $screen"

# 1366 pixels at 1.5 are 910.67 units, which sway cuts to 910: it resamples
# whatever a window gives it, and the canvas says so for four seconds.
swaymsg output HEADLESS-1 resolution 1366x768 scale 1.5 >/dev/null
background "$program" --test white 2>>"$work/program.log"
eventually shows $notice 683,30 || fail "no notice at 1366 x 768 at 1.5: $(pixels 683,30)"
eventually shows 255,255,255 683,30 || eventually shows 255,255,255 683,30 ||
    fail "the notice stayed: $(pixels 683,30)"
kill $pid
screen=$(report_screen)
jq -e '.exact == false and .inexact == "output-size-not-whole"' <<<"$screen" >/dev/null ||
    fail "the report at 1366 x 768 at 1.5: $screen"

# A click at 301, 201 in sway's units is the pixel at 451, 301. The canvas is
# active only while it has a keyboard: a wtype waiting to type lends it one.
swaymsg output HEADLESS-1 resolution 1920x1080 scale 1.5 >/dev/null
background "$pointer" >"$work/pointer"
eventually grep -q ready "$work/pointer" || fail "no pointer for the seat"
rm -f "$work/report.html"
background "$program" --checkup --report "$work/report.html" 2>>"$work/program.log"
eventually window_shown $pid || fail "no checkup"
for _ in 1 2 3; do key space && eventually shows 255,255,255 10,10 && break; done
shows 255,255,255 10,10 || fail "Space did not go on to the white test"
wtype -s 1500 -k Shift_L &
sleep 0.7 # the canvas takes marks once it has been active a while
swaymsg seat - cursor set 301 201 >/dev/null
swaymsg seat - cursor press button1 >/dev/null
swaymsg seat - cursor release button1 >/dev/null
wait $!
swaymsg seat - cursor set 0 700 >/dev/null # out of the picture's way
# A ring of 2 × 7 pixels around it, at the desktop's scale.
eventually shows "255,255,255 255,0,255" 451,301 461,301 || fail "no ring: $(pixels 451,301 461,301)"
written
marks=$(report_json "$work/report.html" | jq -c '[.tests[].marks[]]')
[ "$marks" = '[{"kind":"dark","x":451,"y":301}]' ] || fail "the click at 1.5 marked $marks"
echo "sway: all checks passed"
