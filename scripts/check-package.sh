#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a build directory and checks it: lintian
# finds no error and no warning, the desktop entry and the AppStream metadata
# validate, the manual pages render without a warning, and the end-to-end tests
# pass against the packaged program, started as its menu entry starts it. In CI
# (CI=true) the package is installed with apt, tested there and removed;
# elsewhere it is unpacked into a scratch folder and tested there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/kijelzor_*_*.deb | head -n 1)
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Depends Recommends
lintian --pedantic --fail-on error,warning "$deb"

desktop-file-validate resources/hu.kijelzor.Kijelzor.desktop
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net resources/hu.kijelzor.Kijelzor.metainfo.xml
fi

# The command the menu entry runs (not its actions').
exec_line=$(sed -n '/^\[Desktop Entry\]/,/^\[/ s/^Exec=//p' resources/hu.kijelzor.Kijelzor.desktop)

if [ "${CI:-}" = true ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$(realpath "$deb")" >/dev/null
    trap '"${sudo[@]}" apt-get remove -y -qq kijelzor >/dev/null' EXIT
    root=/
else
    root=$(mktemp -d)
    trap 'rm -rf "$root"' EXIT
    dpkg-deb -x "$deb" "$root"
fi
[ -e "$root/usr/share/icons/hicolor/48x48/apps/hu.kijelzor.Kijelzor.png" ] || { echo "no icon"; exit 1; }
for page in kijelzor kijelzor-render; do
    warnings=$(LC_ALL=C.UTF-8 man --warnings=w -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page(1): $warnings"; exit 1; }
done
tests/e2e/launcher.sh "$root/usr/bin/$exec_line"
tests/e2e/timing.sh "$root/usr/bin/$exec_line" "$build/tests/put-edid"
echo "package: all checks passed"
