#!/usr/bin/env bash
# Installs everything the tests need (when missing), builds the program and
# the tests, and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build -DBUILD_TESTING=ON
cmake --build build -j "$(nproc)"
ctest --test-dir build --output-on-failure --no-tests=error -j "$(nproc)"
