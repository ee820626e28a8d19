#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Kijelzor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# kijelzor-render as its users call it, well and badly. The pictures
# themselves are checked by the unit tests; here, what the command line adds.
set -uo pipefail
render=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pixel() { convert "$1" -crop "1x1+$2+0" -depth 8 txt:- | sed -n 's/^[^(]*(\([0-9,]*\)).*/\1/p'; }

# --list: one test a line, a tab, its Hungarian name; every one renders W x H RGB pixels.
"$render" --list >"$work/list" || fail "--list"
grep -qP '^gray-columns\tSzürke oszlopok$' "$work/list" && grep -qP '^pure-green\tTiszta zöld$' "$work/list" || fail "--list: $(head -c 300 "$work/list")"
[ "$(wc -l <"$work/list")" = 22 ] || fail "--list has $(wc -l <"$work/list") tests"
for t in $(cut -f1 "$work/list"); do
    "$render" "$t" --size 61x47 -o "$work/$t.png" || fail "$t did not render"
    [ "$(identify -format '%w %h %[channels]' "$work/$t.png")" = "61 47 srgb" ] || fail "$t: not 61 x 47 RGB"
done
[ "$(pixel "$work/pure-red.png" 60) $(pixel "$work/pure-green.png" 0) $(pixel "$work/pure-blue.png" 30)" = \
    "255,0,0 0,255,0 0,0,255" ] || fail "the pure colour fields"
# --all: every test as it is written alone, one line each; status 1 and one line when it cannot.
"$render" --all "$work/all/new" --size 61x47 >"$work/out" && [ "$(wc -l <"$work/out")" = 22 ] &&
    cmp -s "$work/all/new/noise.png" "$work/noise.png" || fail "--all"
"$render" --all "$work/noise.png" 2>"$work/err"; [ $? = 1 ] && [ "$(wc -l <"$work/err")" = 1 ] || fail "--all into a file"
"$render" bleeding --size 16384x2 -o "$work/wide.png" || fail "16384 on a side refused"
"$render" gray-gradient -o "$work/default.png" && [ "$(identify -format '%w %h' "$work/default.png")" = "1920 1080" ] ||
    fail "default size"
"$render" gray-columns --columns 10 --channel red --size 100x10 -o "$work/red.png" &&
    "$render" gray-columns --channel green --size 160x10 -o "$work/green.png" &&
    [ "$(pixel "$work/red.png" 5) $(pixel "$work/red.png" 95) $(pixel "$work/green.png" 5)" = "230,0,0 0,0,0 0,240,0" ] ||
    fail "10 red columns, 16 green ones by default"
"$render" --help | grep -q 'Usage: kijelzor-render' && [ "$("$render" --version)" = "kijelzor-render 1.05" ] ||
    fail "--help or --version"

# Bad usage: status 2, one line on stderr that says what is wrong, nothing written.
while IFS='|' read -r expect args; do
    status=0
    eval "\"\$render\" $args -o \"\$work/x.png\"" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" = 2 ] && [ "$(wc -l <"$work/err")" = 1 ] && grep -q -- "$expect" "$work/err" && [ ! -s "$work/out" ] ||
        fail "status $status for '$args': $(cat "$work/err")"
done <<'CASES'
unknown test 'plaid'|plaid
no test given|
malformed size|white --size 19x20x30
malformed size|white --size 19x20abc
malformed size|white --size +19x20
zero side|white --size 0x10
above 16384|white --size 10x16385
unknown option|white --colour red
more than one test|white black
Nem megfelelő érték|gray-columns --columns 7.99
Nem megfelelő érték|gray-columns --columns 256.5
unknown channel 'purple'|gray-columns --channel purple
applies to gray-columns only|gray-gradient --columns 10
CASES
"$render" white 2>"$work/err"; [ $? = 2 ] && grep -q "no output file" "$work/err" || fail "no output file"
[ ! -e "$work/x.png" ] || fail "a file was written despite bad usage"

# An output that cannot be written: status 1, one line, nothing left behind.
mkdir "$work/dir.png"
for out in "$work/missing/out.png" "$work/dir.png"; do
    status=0
    "$render" white --size 8x8 -o "$out" 2>"$work/err" || status=$?
    [ "$status" = 1 ] && [ "$(wc -l <"$work/err")" = 1 ] || fail "status $status writing $out"
done
[ -z "$(ls "$work/dir.png")" ] && [ ! -e "$work/missing" ] || fail "something was left behind"
[ "$failures" = 0 ] && echo "exporter: all checks passed"
