# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end tests share, sourced with the program as $1: a scratch
# folder, failing with a message, polling, and an Xvfb or a sway display.
# As given, links and all: an installed program finds its folder through them.
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
pids=()
trap 'kill -CONT "${pids[@]}" 2>/dev/null; kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Polls `condition` for up to five seconds.
eventually() { for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done; return 1; }
# Whether the number $1 lies between $2 and $3, both counted.
within() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }'; }
# The data of the checkup's report page $1.
report_json() { sed -n '/<script type="application\/json" id="kijelzor-report">/,/<\/script>/p' "$1" | sed '1d;$d'; }
# Runs a command in the background as one of ours; $pid is its process.
background() { "$@" & pid=$!; pids+=($pid); }
stop() { kill "$1"; wait "$1" 2>/dev/null || true; }

# Xvfb with one screen of $1 (WxH) pixels, and the options after it, on a
# display it finds free, which becomes ours; Xvfb itself takes the display, so
# tests may run side by side.
start_xvfb() {
    local number=$work/display-$RANDOM
    Xvfb -displayfd 3 -screen 0 "${1}x24" -noreset -nolisten tcp "${@:2}" 3>"$number" >/dev/null 2>&1 &
    pids+=($!)
    eventually grep -q . "$number" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$number")"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# A headless sway with one output of $1 (WxH) pixels at scale $2, which
# becomes our display. sway refuses to run as root: then it runs as a user of
# its own, made when missing, and root reaches its socket all the same.
start_sway() {
    local user=() runtime=$work/sway-$RANDOM
    if [ "$(id -u)" = 0 ]; then
        id kijelzor-test >/dev/null 2>&1 || useradd --system --no-create-home \
            --shell /usr/sbin/nologin kijelzor-test
        user=(runuser -u kijelzor-test --)
        chmod 711 "$work"
    fi
    mkdir -m 700 "$runtime"
    echo "output HEADLESS-1 resolution $1 scale $2" >"$runtime/config"
    [ ${#user[@]} = 0 ] || chown -R kijelzor-test "$runtime"
    "${user[@]}" env -i PATH="$PATH" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless \
        WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$runtime/config" >"$work/sway.log" 2>&1 &
    pids+=($!)
    ready() { compgen -G "$runtime/wayland-*[0-9]" && compgen -G "$runtime/sway-ipc.*.sock"; }
    eventually ready >/dev/null || fail "sway did not start: $(cat "$work/sway.log")"
    export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=wayland
    WAYLAND_DISPLAY=$(basename "$(compgen -G "$runtime/wayland-*[0-9]" | head -1)")
    SWAYSOCK=$(compgen -G "$runtime/sway-ipc.*.sock" | head -1)
    export WAYLAND_DISPLAY SWAYSOCK
    unset DISPLAY
    wayland_leaks
}

# A headless weston of $1 (WxH) units, with the options after it, which
# becomes our display.
start_weston() {
    export XDG_RUNTIME_DIR=$work/weston-$RANDOM WAYLAND_DISPLAY=kijelzor-$$-$RANDOM QT_QPA_PLATFORM=wayland
    mkdir -m 700 "$XDG_RUNTIME_DIR" "$work/shots"
    background weston --backend=headless-backend.so --use-pixman --width="${1%x*}" \
        --height="${1#*x}" --socket="$WAYLAND_DISPLAY" --idle-time=0 "${@:2}" >"$work/weston.log" 2>&1
    eventually test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start: $(cat "$work/weston.log")"
    unset DISPLAY
    wayland_leaks
}
# A program that ends by itself on Wayland ends Qt's Wayland client too, whose
# leaks the sanitizer's suppressions know only by a whole stack.
wayland_leaks() { export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}fast_unwind_on_malloc=0"; }

# The screen in $work/shot.png.
shot() {
    if [ -n "${SWAYSOCK:-}" ]; then
        grim -o HEADLESS-1 "$work/shot.png"
    elif [ "${QT_QPA_PLATFORM:-}" = wayland ]; then
        rm -f "$work/shots/"*.png
        (cd "$work/shots" && weston-screenshooter >/dev/null 2>&1) && mv "$work/shots/"*.png "$work/shot.png"
    else
        import -window root "$work/shot.png"
    fi
}

# The screen's colours at the given x,y points, in one line.
pixels() {
    shot
    for at in "$@"; do
        convert "$work/shot.png" -alpha off -crop "1x1+${at%,*}+${at#*,}" -depth 8 txt:- | sed -n 's/^[^(]*(\([0-9,]*\)).*/\1/p'
    done | paste -sd' ' -
}
shows() { [ "$(pixels "${@:2}")" = "$1" ]; }
