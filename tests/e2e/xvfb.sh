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

# Xvfb with one screen of $1 (WxH) pixels on a display it finds free, which
# becomes ours; Xvfb itself takes the display, so tests may run side by side.
start_xvfb() {
    local number=$work/display-$RANDOM
    Xvfb -displayfd 3 -screen 0 "${1}x24" -noreset -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    pids+=($!)
    eventually grep -q . "$number" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$number")"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# The screen's colours at the given x,y points, in one line.
pixels() {
    import -window root "$work/shot.png"
    for at in "$@"; do
        convert "$work/shot.png" -crop "1x1+${at%,*}+${at#*,}" -depth 8 txt:- | sed -n 's/^[^(]*(\([0-9,]*\)).*/\1/p'
    done | paste -sd' ' -
}
shows() { [ "$(pixels "${@:2}")" = "$1" ]; }
