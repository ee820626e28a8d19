# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end tests share, sourced with the program as $1: a scratch
# folder, failing with a message, polling, and an Xvfb display.
# As given, links and all: an installed program finds its folder through them.
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
pids=()
trap 'kill -CONT "${pids[@]}" 2>/dev/null; kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Polls `condition` for up to five seconds.
eventually() { for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done; return 1; }

# Xvfb with one screen of $1 (WxH) pixels on a free display, which becomes ours.
start_xvfb() {
    local n=91
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${1}x24" -noreset -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=":$n"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    eventually xdpyinfo >/dev/null 2>&1
}

# The screen's colours at the given x,y points, in one line.
pixels() {
    import -window root "$work/shot.png"
    for at in "$@"; do
        convert "$work/shot.png" -crop "1x1+${at%,*}+${at#*,}" -depth 8 txt:- | sed -n 's/^[^(]*(\([0-9,]*\)).*/\1/p'
    done | paste -sd' ' -
}
shows() { [ "$(pixels "${@:2}")" = "$1" ]; }
