#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the README's pictures from a build: docs/launcher.png, a screenshot of
# the launcher under Xvfb, docs/patterns.png, the patterns as the exporter
# draws them, and docs/checkup.png, the checkup's white test with its hint and
# a mark beside its summary. Needs Xvfb, xdotool, x11-utils and ImageMagick (scripts/test.sh
# installs them). Usage: scripts/make-readme-pictures.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT

for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$build/kijelzor" >/dev/null 2>&1 &
launcher=$!
pids+=($launcher)
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Kijelzor' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 0.5
window=$(xdotool search --onlyvisible --name '^Kijelzor' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/launcher.png

tests=(gray-columns gray-gradient uniformity bleeding dark-tones light-tones noise red)
files=()
for t in "${tests[@]}"; do
    "$build/kijelzor-render" "$t" --size 1280x720 -o "$work/$t.png"
    files+=("$work/$t.png")
done
"$build/kijelzor-render" gray-columns --columns 10 --channel green --size 1280x720 -o "$work/green-columns.png"
"$build/kijelzor-render" gray-gradient --channel blue --size 1280x720 -o "$work/blue-gradient.png"
# The noise lattice is a two-pixel pattern: shown enlarged, not shrunk away.
convert "$work/noise.png" -crop 80x45+0+0 -scale 1600% "$work/noise.png"
montage "${files[@]}" "$work/green-columns.png" "$work/blue-gradient.png" \
    -geometry 256x144+4+4 -tile 5x2 -background '#303030' "$work/strip.png"
mv "$work/strip.png" docs/patterns.png
kill "$launcher"
"$build/kijelzor" --checkup >/dev/null 2>&1 &
pids+=($!)
sleep 1
xdotool key space
sleep 0.5
xdotool mousemove 300 200 click 1 mousemove 700 300 click 1 mousemove 1023 0
sleep 0.5
import -window root -resize 50% "$work/hint.png"
xdotool key Escape
for _ in $(seq 50); do xdotool search --onlyvisible --name 'eredménye' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 0.5
window=$(xdotool search --onlyvisible --name 'eredménye' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/summary.png"
montage "$work/hint.png" "$work/summary.png" -geometry +4+4 -tile 2x1 -background '#303030' \
    docs/checkup.png
echo "docs/launcher.png, docs/patterns.png and docs/checkup.png written"
