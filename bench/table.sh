#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the drawing benchmark on one core and prints the README's table.
# Usage: bench/table.sh [build-dir]
set -euo pipefail
build=${1:-build}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
taskset -c 1 "$build/kijelzor-bench" --benchmark_color=false >"$out" 2>/dev/null
# Lines read: NAME TIME UNIT CPU UNIT ITERATIONS [counter=value ...]
awk '
    $1 ~ /^ghosting-frame\// {
        split($1, part, "/")
        ghost[part[2]] = ($3 == "ms") ? $2 : ($3 == "us") ? $2 / 1000 : $2 / 1000000
    }
    $1 ~ /^(draw|slices|qpainter)\// {
        split($1, part, "/")
        kind = part[1]; test = part[2]; size = part[3]
        ms = ($3 == "ms") ? $2 : ($3 == "us") ? $2 / 1000 : $2 / 1000000
        if (kind == "draw") { draw[test, size] = ms; if (!(test in seen)) { order[++n] = test; seen[test] = 1 } }
        if (kind == "qpainter") qpainter[size] = ms
        for (i = 7; i <= NF; i++) if ($i ~ /^longest_slice_ms=/) {
            v = substr($i, 18); scale = 1
            if (v ~ /u$/) { scale = 0.001; sub(/u$/, "", v) }
            if (v ~ /m$/) { scale = 0.000001; sub(/m$/, "", v) }
            slice[test, size] = v * scale
        }
    }
    END {
        print "| test | 1920 × 1080 | 3840 × 2160 | longest slice at 3840 × 2160 |"
        print "|---|---:|---:|---:|"
        for (i = 1; i <= n; i++) {
            t = order[i]
            printf "| %s | %.1f ms | %.1f ms | %.2f ms |\n", t, draw[t, "1920x1080"], draw[t, "3840x2160"], slice[t, "3840x2160"]
        }
        printf "| gray-gradient with QPainter | %.1f ms | %.1f ms | |\n", qpainter["1920x1080"], qpainter["3840x2160"]
        print ""
        print "| ghosting frame at 3840 × 2160 | time to compose |"
        print "|---|---:|"
        printf "| whole screen: raster, picture, marker | %.2f ms |\n", ghost["whole-screen"]
        printf "| one frame of 120 steps: where the marker was and is | %.4f ms |\n", ghost["marker-moved"]
    }' "$out"
