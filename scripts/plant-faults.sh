#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Plants the faults of scripts/faults.tsv into the sources one at a time,
# builds, runs the test suite and says which tests caught each fault. A fault
# no test catches is a hole in the suite. Every file is restored when the
# script ends, also when it is interrupted.
#   scripts/plant-faults.sh [-b BUILD_DIR] [-n] [NAME...]   (default: build-faults, all faults)
# The table has one fault a line, tab-separated: name, file, the text to find
# (exactly once), its replacement, and what the fault is; "\n" is a newline.
set -uo pipefail
cd "$(dirname "$0")/.."
build=build-faults
dry=0
while [ $# -gt 0 ]; do
    case "$1" in
    -b) build=$2; shift 2 ;;
    -n) dry=1; shift ;; # only check that every text is found once
    *) break ;;
    esac
done
table=scripts/faults.tsv
jobs=$(nproc)
saved=$(mktemp -d)

restore() {
    for record in "$saved"/*.path; do
        # Not cp -p: the restored file must look newer than the faulty objects.
        [ -e "$record" ] && cat "${record%.path}" >"$(cat "$record")"
    done
    rm -rf "$saved"
}
trap restore EXIT
trap 'exit 130' INT TERM HUP

# The tests that take a minute together run only when the others catch
# nothing; either half stops at its first failure. The whole suite still
# judges every fault it does not stop at.
quick='^(unit|exporter|gui|gui_hidpi|gui_scale_factor|gui_screensaver|screens|end_to_end)$'

# Builds and runs the suite; prints the names of the tests that failed, or
# "build" when the sources do not build.
failing_tests() {
    cmake --build "$build" -j "$jobs" >"$saved/build.log" 2>&1 || { echo build; return; }
    local status=0 names half
    for half in "-R $quick" "-E $quick"; do
        # shellcheck disable=SC2086 # the half's option and its pattern
        ctest --test-dir "$build" -j "$jobs" --timeout 300 --stop-on-failure $half \
            >"$saved/ctest.log" 2>&1 || status=$?
        [ "$status" -eq 0 ] || break
    done
    names=$(sed -n 's/^[[:space:]]*[0-9]* - \([A-Za-z0-9_]*\) (.*/\1/p' "$saved/ctest.log" |
        sort -u | paste -sd, -)
    [ "$status" -eq 0 ] || echo "${names:-ctest}"
}

if [ "$dry" = 0 ]; then
    scripts/install-deps.sh --test
    [ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DBUILD_TESTING=ON >/dev/null
    baseline=$(failing_tests)
    if [ -n "$baseline" ]; then
        echo "the suite fails without any fault planted: $baseline" >&2
        exit 1
    fi
fi

caught=0 missed=0 n=0
while IFS=$'\037' read -r -u 3 name file text replacement what; do
    case "$name" in '' | '#'*) continue ;; esac
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
    text=${text//\\n/$'\n'}
    replacement=${replacement//\\n/$'\n'}
    content=$(cat "$file" && printf x) && content=${content%x}
    rest=${content//"$text"/}
    if [ $(((${#content} - ${#rest}) / ${#text})) -ne 1 ]; then
        echo "$name: the text is not found exactly once in $file" >&2
        exit 1
    fi
    n=$((n + 1))
    [ "$dry" = 1 ] && continue
    cp "$file" "$saved/$n" && echo "$file" >"$saved/$n.path"
    printf '%s' "${content/"$text"/"$replacement"}" >"$file"
    result=$(failing_tests)
    cat "$saved/$n" >"$file" && rm "$saved/$n" "$saved/$n.path"
    case "$result" in
    build) echo "$name: does not build" >&2; exit 1 ;;
    '') missed=$((missed + 1)); result=MISSED ;;
    *) caught=$((caught + 1)) ;;
    esac
    printf '%-20s %-34s %s\n' "$name" "$result" "$what"
done 3< <(tr '\t' '\037' <"$table")
[ "$dry" = 1 ] && { echo "$n faults, each text found once"; exit 0; }
echo "caught $caught of $((caught + missed))"
[ "$missed" -eq 0 ]
