#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The guided checkup as a person goes through it on a real X server: the
# hint, a mark, back and forth, Esc, the summary, and the report it wrote,
# on a monitor whose EDID says it is a DELL U2723QE (2560 x 1440, up to 144
# Hz) running at 1024 x 768. Usage: checkup.sh KIJELZOR PUT-EDID
set -euo pipefail
. "$(dirname "$0")/xvfb.sh" "$1"
start_xvfb 1024x768
"$2" "$(dirname "$0")/../fuzz/corpus/edid/dell-u2723qe" screen || fail "no EDID put on the output"

"$program" --checkup --report "$work/report.html" 2>"$work/program.log" &
checkup=$!
pids+=($checkup)
black=0,0,0 white=255,255,255 ring=255,0,255
# The first test, black, under its hint; once the hint goes, black alone.
hint_shown() { ! shows $black 512,665 && shows $black 0,0; }
eventually hint_shown || fail "no hint over the first test"
xdotool key h
eventually shows "$black $black" 512,665 0,0 || fail "H did not hide the hint"
# The white test: a dark pixel marked, a ring around it, the pixel left alone.
xdotool key space
eventually shows $white 0,0 || fail "Space did not go on to the white test"
xdotool mousemove 300 200 click 1
eventually shows "$white $ring $white" 300,200 306,200 300,150 || fail "the mark: $(pixels 300,200 306,200)"
xdotool key Left
eventually shows "$black $black" 0,0 306,200 || fail "Left did not go back to black"
xdotool key Right
eventually shows "$white $ring" 0,0 306,200 || fail "the mark did not show again"
xdotool key Escape
summary_shown() { xdotool search --onlyvisible --name 'ellenőrzés eredménye' >/dev/null 2>&1; }
eventually summary_shown || fail "Esc did not open the summary"
eventually test -s "$work/report.html" || fail "no report in $work/report.html"
sed -n '/<script type="application\/json" id="kijelzor-report">/,/<\/script>/p' "$work/report.html" |
    sed '1d;$d' | jq -e '.tests[1].marks == [{"x": 300, "y": 200, "kind": "dark"}] and .tests[1].viewed
        and ([.tests[].marks[]] | length) == 1 and .screen.width == 1024' >/dev/null ||
    fail "the report's data does not hold the mark"
screen=$(sed -n '/<script type="application\/json" id="kijelzor-report">/,/<\/script>/p' \
    "$work/report.html" | sed '1d;$d' | jq -c '.screen | del(.edid), (.edid | length)')
[ "$screen" = '{"atHighestRefreshRate":false,"atNativeResolution":false,"exact":true,"height":768,"inexact":null,"manufactured":{"week":12,"year":2024},"manufacturer":"Dell Inc.","maxRefreshRate":144,"model":"DELL U2723QE","name":"screen","native":{"height":1440,"refreshRate":59.95,"width":2560},"physicalSize":{"height":336,"width":597},"refreshRate":60,"scale":1,"serial":"ABC1234","width":1024}
256' ] || fail "the report's monitor: $screen"
grep -q 'saját felbontása 2560 × 1440 képpont, a kép most 1024 × 768 képpontos' "$work/report.html" &&
    grep -q 'legfeljebb 144 hertzes frissítésre képes, a kép most 60 hertzes' "$work/report.html" ||
    fail "the report does not say that the mode is neither the native nor the fastest"
# Saved by --report and nothing typed since: Esc ends it without asking, once
# the summary's first moments, deaf to the checkup's keys, are over.
ended() { xdotool key Escape && sleep 0.2 && ! kill -0 "$checkup" 2>/dev/null; }
eventually ended || fail "Esc did not end the summary"
wait "$checkup" || fail "the program ended with status $?: $(cat "$work/program.log")"
echo "checkup end to end: all checks passed"
