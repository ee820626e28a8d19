#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fractional scale factors: the test screen shows every physical pixel of the
# exporter's picture, also while it draws, on Xvfb and on a headless weston
# whose output scale is 2. Usage: scaling.sh KIJELZOR KIJELZOR-RENDER
set -euo pipefail
. "$(dirname "$0")/xvfb.sh" "$1"
. "$(dirname "$0")/pictures.sh" "$2"

pictures=(gray-columns noise white)
screen_size 1366x768 "${pictures[@]}"
start_xvfb $size
for factor in 1.1 1.25 1.75; do
    check_midway "at $factor" QT_SCALE_FACTOR=$factor
    check_drawn "at $factor" noise QT_SCALE_FACTOR=$factor
done
# 1745 logical pixels at 1.1 are 1919.5 physical ones: Qt painted 1919.
screen_size 1920x1080 "${pictures[@]}"
start_xvfb $size
check_drawn "at 1.1" white QT_SCALE_FACTOR=1.1

# A window manager sizes a full-screen window to the screen, 731.4 logical
# pixels wide at 1.75, which Qt rounds to 731: 1279 pixels. Openbox takes
# windows only once it has started, which it tells by running a command.
screen_size 1280x720 "${pictures[@]}"
start_xvfb $size
background openbox --startup "touch $work/openbox-ready" >/dev/null 2>&1
eventually test -e "$work/openbox-ready" || fail "openbox did not start"
check_drawn "at 1.75" white QT_SCALE_FACTOR=1.75
# Qt's backing store reaches only as far as its window, which must cover the
# monitor; the pixmaps' window covers the X window whatever Qt's size.
check_drawn "at 1.75 through Qt" white QT_SCALE_FACTOR=1.75 KIJELZOR_PRESENTER=qt

# Weston's output scale multiplies Qt's factor after Qt has rounded to its
# own units: 683 x 384 units at scale 2 are 1366 x 768 pixels.
screen_size 1366x768 "${pictures[@]}"
start_weston $((width / 2))x$((height / 2)) --scale=2 --debug
# The canvas's own surface at Qt's factors on top, and Qt's buffers where they
# hold (the last columns of 1.333 and 1.75 they never reach).
for factor in 1.333 1.75; do check_drawn "at 2 × $factor" gray-columns QT_SCALE_FACTOR=$factor; done
check_drawn "at 2 × 1.25 through Qt" gray-columns QT_SCALE_FACTOR=1.25 KIJELZOR_PRESENTER=qt
echo "scaling: all checks passed"
