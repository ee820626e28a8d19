#!/usr/bin/env bash
# Installs the Debian packages the program needs (when missing), builds it
# and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DBUILD_TESTING=OFF
cmake --build build -j "$(nproc)"
exec build/kijelzor "$@"
