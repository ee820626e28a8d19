#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Frames counted from the display: Xvfb's Present extension (a fake vblank of
# 60 Hz) and a headless weston's presentation feedback, through
# --measure-refresh and the checkup's ghosting test, stopped for half a
# second; and the checkup's report of a monitor with an EDID.
# Usage: timing.sh KIJELZOR PUT-EDID
# Figures that hang on the machine's load are checked within ±5 frames.
set -euo pipefail
. "$(dirname "$0")/xvfb.sh" "$1"
start_xvfb 1024x768

# A line of --measure-refresh: rate, source, frames, missed, and what else the display told.
measured() { sed -n 's/^\([0-9.]*\) Hz measured ([0-9.]* Hz reported), \([a-z0-9-]*\), \([0-9]*\) frames, \([0-9]*\) missed,* *\(.*\)$/\1 \2 \3 \4 \5/p' "$1"; }

"$program" --measure-refresh >"$work/out" 2>"$work/err" || fail "--measure-refresh: status $?: $(cat "$work/err")"
read -r rate source frames missed told <<<"$(measured "$work/out")"
[ "$source" = x11-present ] || fail "--measure-refresh under Xvfb: '$(cat "$work/out")'"
within "$rate" 59 61 && within "$frames" 150 181 || fail "--measure-refresh: '$(cat "$work/out")'"
# Every frame a pixmap, which Xvfb copies.
[[ $told =~ ^[0-9]+\ late,\ ([0-9]+)\ copied,\ 0\ flipped,\ 0\ skipped,\ 0\ suboptimal$ ]] &&
    [ "${BASH_REMATCH[1]}" = "$frames" ] || fail "--measure-refresh: how the frames were shown: '$told'"
echo "measured: $(cat "$work/out")"

# On the wire, through xtrace: every ghosting frame a Present pixmap, and
# nothing put straight onto the window they are presented to. Qt's own
# shared memory comes as a file descriptor, which xtrace cannot pass on.
QT_XCB_NO_MITSHM=1 background xtrace -n -d "$DISPLAY" -D ":$((${DISPLAY#:} + 500))" -o "$work/wire" -- \
    "$program" --test ghosting >/dev/null 2>>"$work/err"
presents() { grep -c 'Present-Request([0-9]*,1): Pixmap' "$work/wire" 2>/dev/null; }
for _ in $(seq 200); do [ "$(presents)" -ge 120 ] && break; sleep 0.1; done
[ "$(presents)" -ge 120 ] || fail "xtrace saw $(presents) Present pixmaps, not 120"
shown_in=$(grep -m1 -o 'Present-Request([0-9]*,1): Pixmap window=0x[0-9a-f]*' "$work/wire" | sed 's/.*window=//')
sed -n '/Present-Request([0-9]*,1): Pixmap/,$p' "$work/wire" | grep 'PutImage' |
    grep -q "drawable=$shown_in" && fail "PutImage onto the presented window $shown_in"
echo "on the wire: $(presents) Present pixmaps to $shown_in, no PutImage onto it"
pkill -f "xtrace -n -d $DISPLAY" || true

# No display timing at all: the program's own timer measures nothing of the display.
status=0
QT_QPA_PLATFORM=offscreen "$program" --measure-refresh >"$work/out" 2>"$work/err" || status=$?
[ $status = 1 ] && [ ! -s "$work/out" ] && [ "$(grep -c '^kijelzor: ' "$work/err")" = 1 ] ||
    fail "--measure-refresh on a timer: status $status, '$(cat "$work/out" "$work/err")'"

# The checkup on a monitor whose EDID says it is a DELL U2723QE (2560 x 1440,
# up to 144 Hz) running at 1024 x 768: a mark on the first test, then the
# ghosting test stopped for half a second as it moves.
"$2" "$(dirname "$0")/../fuzz/corpus/edid/dell-u2723qe" screen || fail "no EDID put on the output"
background "$program" --checkup --report "$work/report.html" 2>>"$work/err"
eventually xdotool search --onlyvisible --pid $pid >/dev/null 2>&1 || fail "no checkup"
# A click marks once the test screen has been active for a moment.
marked() { xdotool mousemove 300 200 click 1 && sleep 0.1 && shows "0,0,0 255,0,255" 300,200 306,200; }
eventually marked || fail "no ring around the marked pixel: $(pixels 300,200 306,200)"
for _ in $(seq 18); do xdotool key Right; done # to the last test, ghosting
sleep 1
kill -STOP $pid
sleep 0.5
kill -CONT $pid
eventually test -s "$work/report.html" || eventually test -s "$work/report.html" ||
    fail "the ghosting test did not end in the summary"
report=$(report_json "$work/report.html")
frames=$(jq -c '.frames' <<<"$report")
echo "ghosting stopped for half a second: $frames"
# The stop's refreshes at least; the drawing may miss a few more of its own on
# a slow build, never most of them.
[ "$(jq -r .timing <<<"$frames")" = x11-present ] &&
    jq -e '(.late | type) == "number" and .presented.copy >= 100 and .presented.skip == 0' <<<"$frames" >/dev/null &&
    within "$(jq .measuredRefreshRate <<<"$frames")" 59 61 &&
    within "$(jq .missed <<<"$frames")" 20 "$((40 + $(jq .shown <<<"$frames") / 10))" ||
    fail "the ghosting test's frames: $frames"
jq -e '.tests[0].marks == [{"x": 300, "y": 200, "kind": "bright"}] and ([.tests[].marks[]] | length) == 1' \
    <<<"$report" >/dev/null || fail "the report's marks: $(jq -c '[.tests[].marks]' <<<"$report")"
screen=$(jq -c '.screen | del(.edid), (.edid | length)' <<<"$report")
[ "$screen" = '{"atHighestRefreshRate":false,"atNativeResolution":false,"exact":true,"height":768,"inexact":null,"manufactured":{"week":12,"year":2024},"manufacturer":"Dell Inc.","maxRefreshRate":144,"model":"DELL U2723QE","name":"screen","native":{"height":1440,"refreshRate":59.95,"width":2560},"physicalSize":{"height":336,"width":597},"refreshRate":60,"scale":1,"serial":"ABC1234","width":1024}
256' ] || fail "the report's monitor: $screen"
grep -q 'saját felbontása 2560 × 1440 képpont, a kép most 1024 × 768 képpontos' "$work/report.html" &&
    grep -q 'legfeljebb 144 hertzes frissítésre képes, a kép most 60 hertzes' "$work/report.html" ||
    fail "the report does not say that the mode is neither the native nor the fastest"
kill $pid

# A display without MIT-SHM, as one on another machine: Qt's backing store
# and the vblank clock, which cannot tell how or whether a frame was shown.
start_xvfb 1024x768 -extension MIT-SHM
"$program" --measure-refresh >"$work/out" 2>"$work/err" || fail "--measure-refresh without MIT-SHM: status $?"
read -r rate source frames missed told <<<"$(measured "$work/out")"
[ "$source" = x11-present ] && [ -z "$told" ] && within "$rate" 59 61 && within "$frames" 150 181 ||
    fail "--measure-refresh without MIT-SHM: '$(cat "$work/out")'"

# Weston headless: presentation feedback, a frame some 26 ms apart.
start_weston 1024x768
"$program" --measure-refresh >"$work/out" 2>"$work/err" || fail "--measure-refresh on weston: status $?: $(cat "$work/err")"
read -r rate source frames missed _ <<<"$(measured "$work/out")"
[ "$source" = wayland-presentation ] && within "$rate" 20 61 || fail "--measure-refresh on weston: '$(cat "$work/out")'"
echo "timing: all checks passed"
