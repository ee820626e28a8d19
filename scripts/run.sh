#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the program needs (when missing), builds it
# and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DBUILD_TESTING=OFF
cmake --build build -j "$(nproc)"
exec build/kijelzor "$@"
