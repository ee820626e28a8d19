#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs everything the tests need (when missing), then builds and runs the
# whole suite three ways: as users get it; under AddressSanitizer and
# UndefinedBehaviorSanitizer; and the libFuzzer targets, half a minute each. Then
# it builds the Debian package and tests the program as packaged.
#   scripts/test.sh --quick   only the first, for a quick look while working
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
jobs=$(nproc)
# Each part says when it starts, so that a run shows where its time goes.
part() { echo "== $1 (at $SECONDS s)"; }

suite() { # build directory, then CMake options
    local dir=$1
    shift
    cmake -S . -B "$dir" -DBUILD_TESTING=ON "$@"
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs"
}

part "the test suite"
suite build
[ "${1:-}" = "--quick" ] && { part "done"; exit 0; }

part "the license of every file"
reuse lint >/dev/null || { reuse lint; exit 1; }

part "the Debian package"
scripts/check-package.sh build

part "the test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
suite build-sanitize -DKIJELZOR_SANITIZE=ON

part "fuzzing"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKIJELZOR_FUZZ=ON
cmake --build build-fuzz -j "$jobs" --target fuzz_raster fuzz_edid
ctest --test-dir build-fuzz --output-on-failure --no-tests=error -V | grep -E 'stat::|Test *#|tests passed|FAILED|ERROR'
part "done"
