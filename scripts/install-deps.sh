#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages a build (or, with --test, the test suite) needs,
# and only those that are missing, so a second run costs nothing.
set -euo pipefail

run_pkgs=(cmake g++ make pkg-config qt6-base-dev qt6-base-private-dev qt6-qpa-plugins libxcb-screensaver0-dev libxcb-present-dev libxcb-randr0-dev libxcb-shm0-dev libxcb-xfixes0-dev
          libwayland-dev wayland-protocols
          libgl-dev xdg-utils fonts-dejavu-core qt6-translations-l10n)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick
           x11-utils clang libclang-rt-14-dev dpkg-dev desktop-file-utils appstream
           lintian reuse man-db groff-base x11-xserver-utils suckless-tools dbus-daemon jq
           weston qt6-wayland openbox sway grim wtype edid-decode hwdata xtrace)

pkgs=("${run_pkgs[@]}")
[ "${1:-}" = "--test" ] && pkgs+=("${test_pkgs[@]}")

missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
