#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Xvfb, driven as a person would drive it: start it,
# read the title, click tiles, look at the screen, press Esc, click.
set -euo pipefail
. "$(dirname "$0")/xvfb.sh" "$1"

# Without a display, or with one that is not there: one plain line and
# status 1, no core dump.
for display in "" :1999; do
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>"$work/err" </dev/null &&
        fail "started without a display" || [ $? = 1 ] && [ "$(cat "$work/err")" = "kijelzor: no display: set DISPLAY or WAYLAND_DISPLAY" ] ||
        fail "without a display: $(cat "$work/err")"
done

# --help, --version and bad usage need no display either.
[ "$(env -u DISPLAY "$program" --version)" = "kijelzor 1.05" ] && env -u DISPLAY "$program" --help | grep -q '^Usage: kijelzor' ||
    fail "--help or --version"
# Bad usage, refused before any display is needed: status 2 and one line
# that says what is wrong, naming the option at fault, the first given.
while IFS='|' read -r expect args; do
    status=0
    eval "env -u DISPLAY \"\$program\" $args" 2>"$work/err" || status=$?
    [ $status = 2 ] && [ "$(wc -l <"$work/err")" = 1 ] && grep -q -- "$expect" "$work/err" ||
        fail "status $status for '$args': $(cat "$work/err")"
done <<CASES
unknown option '--bogus'|--bogus
unknown option '-x'|-x
--report goes with --checkup|--report $work/r.html
--measure-refresh goes only with --screen|--measure-refresh --report $work/r.html
kijelzor: Nem megfelelő érték|--test gray-columns --columns 7
CASES

start_xvfb 1024x768
launcher_shown() { xdotool search --onlyvisible --name '^Kijelzor - v1\.05' >/dev/null 2>&1; }
click_tile() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; }

background "$program" 2>"$work/program.log"
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
click_tile 197 54 # the gradient
xdotool click 1
eventually launcher_shown || fail "a click did not bring the launcher back"
click_tile 69 262 # ghosting: its picture beside the program
picture_shown() { ! shows 0,0,0 5,5 && ! shows "$white" 5,5; }
eventually picture_shown || fail "the ghosting test did not show blur_bg.jpg"
xdotool key Escape
eventually launcher_shown || fail "Esc did not end the ghosting test"

# A test started from a terminal after the screen blanked wakes the screensaver.
eventually saver_on || fail "the screensaver stays away after the ghosting test: $(xssstate -s)"
background "$program" --test white 2>"$work/second.log"
saver_off() { [ "$(xssstate -s)" = off ]; }
eventually saver_off || fail "a test left the running screensaver running"

# The variant the command line asks for, not the tile's picture: eight columns
# falling from red, the first 224, 0, 0 where the tile's first is dark gray.
kill "${pids[-1]}"
background "$program" --test gray-columns --columns 8 --channel red 2>"$work/third.log"
eventually shows "224,0,0 0,0,0" 5,384 1000,384 || fail "--columns 8 --channel red: $(pixels 5,384 1000,384)"
echo "end to end: all checks passed"
