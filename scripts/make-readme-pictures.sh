#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the README's pictures from a build: docs/launcher.png, a screenshot of
# the launcher under Xvfb, and docs/patterns.png, the patterns as the exporter
# draws them. Needs Xvfb, xdotool, x11-utils and ImageMagick (scripts/test.sh
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
pids+=($!)
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
echo "docs/launcher.png and docs/patterns.png written"
