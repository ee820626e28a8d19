#!/usr/bin/env bash
# kijelzor-render as its users call it, well and badly.
set -uo pipefail

render=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/^[^(]*(\([0-9,]*\)).*/\1/p'; }

tests=(white black gray light-gray red green blue gray-columns gray-gradient dark-tones
       light-tones uniformity bleeding noise)

# --list: one test a line, a tab, its Hungarian name.
"$render" --list >"$work/list" || fail "--list failed"
[ "$(cut -f1 "$work/list" | tr '\n' ' ')" = "${tests[*]} " ] || fail "--list names: $(cut -f1 "$work/list" | tr '\n' ' ')"
grep -qP '^gray-columns\tSzürke oszlopo$' "$work/list" || fail "--list tool tip of gray-columns"
grep -qP '^bleeding\tHáttérvilágítás kisugárzása$' "$work/list" || fail "--list tool tip of bleeding"
[ "$(grep -cP '^[a-z-]+\t.+$' "$work/list")" = 14 ] || fail "--list format"
"$render" --help | grep -q 'Usage: kijelzor-render' || fail "--help"

# Every test writes exactly W x H RGB pixels.
for t in "${tests[@]}"; do
    "$render" "$t" --size 61x47 -o "$work/$t.png" || { fail "$t did not render"; continue; }
    info=$(identify -format '%w %h %[channels]' "$work/$t.png")
    [ "$info" = "61 47 srgb" ] || fail "$t: $info"
done
[ "$(convert "$work/white.png" -format '%k' info:)" = 1 ] && [ "$(pixel "$work/white.png" 0 0)" = 255,255,255 ] ||
    fail "white is not all white"
[ "$(pixel "$work/noise.png" 0 0) $(pixel "$work/noise.png" 1 0)" = "149,149,149 0,0,0" ] ||
    fail "noise lattice"
"$render" gray-gradient -o "$work/default.png" || fail "default size"
[ "$(identify -format '%w %h' "$work/default.png")" = "1920 1080" ] || fail "default size is not 1920x1080"
"$render" bleeding --size 16384x2 -o "$work/wide.png" || fail "16384 on a side refused"

# The option dialogs' variants.
"$render" gray-columns --columns 10 --channel red --size 100x10 -o "$work/red10.png" || fail "red columns"
[ "$(pixel "$work/red10.png" 5 5) $(pixel "$work/red10.png" 95 5)" = "230,0,0 0,0,0" ] ||
    fail "10 red columns: $(pixel "$work/red10.png" 5 5) ... $(pixel "$work/red10.png" 95 5)"
"$render" gray-columns --channel green --size 160x10 -o "$work/green16.png" || fail "green columns"
[ "$(pixel "$work/green16.png" 5 5)" = "0,240,0" ] || fail "16 green columns by default"
"$render" gray-columns --columns 12.5 --size 100x10 -o "$work/frac.png" || fail "a fractional count"
"$render" gray-gradient --channel blue --size 64x48 -o "$work/blue.png" || fail "blue gradient"
[ "$(convert "$work/blue.png" -format '%[fx:maxima.r] %[fx:maxima.g] %[fx:maxima.b>0.9]' info:)" = "0 0 1" ] ||
    fail "the blue gradient is not in blue alone"

# Bad usage: status 2 and one line that says what is wrong.
bad_usage() {
    local expect=$1; shift
    local status=0
    "$render" "$@" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 2 ] || fail "status $status, not 2, for: $*"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line on stderr for: $*"
    grep -q -- "$expect" "$work/err" || fail "for '$*' stderr says: $(cat "$work/err")"
    [ ! -s "$work/out" ] || fail "output on stdout for: $*"
}
bad_usage "unknown test 'plaid'" plaid -o "$work/x.png"
bad_usage "no test given" -o "$work/x.png"
bad_usage "no output file" white
bad_usage "-o needs a value" white -o
bad_usage "malformed size" white --size 1920 -o "$work/x.png"
bad_usage "malformed size" white --size 19x20x30 -o "$work/x.png"
bad_usage "malformed size" white --size -5x10 -o "$work/x.png"
bad_usage "malformed size" white --size x -o "$work/x.png"
bad_usage "zero side" white --size 0x10 -o "$work/x.png"
bad_usage "above 16384" white --size 16385x10 -o "$work/x.png"
bad_usage "above 16384" white --size 10x9999999 -o "$work/x.png"
bad_usage "unknown option" white --colour red -o "$work/x.png"
bad_usage "more than one test" white black -o "$work/x.png"
for count in 7.99 256.5 300 0 -16 abc ""; do
    bad_usage "Nem megfelelő érték" gray-columns --columns "$count" -o "$work/x.png"
done
bad_usage "unknown channel 'purple'" gray-columns --channel purple -o "$work/x.png"
bad_usage "applies to gray-columns only" gray-gradient --columns 10 -o "$work/x.png"
bad_usage "applies to gray-columns and gray-gradient only" noise --channel red -o "$work/x.png"
[ ! -e "$work/x.png" ] || fail "a file was written despite bad usage"

# An output that cannot be written: status 1, one line, nothing left behind.
unwritable() {
    local status=0
    "$render" white --size 8x8 -o "$1" 2>"$work/err" || status=$?
    [ "$status" -eq 1 ] || fail "status $status, not 1, writing $1"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line on stderr writing $1"
}
unwritable "$work/missing/dir/out.png"
unwritable "$work/white.png/out.png"
mkdir "$work/dir.png" && unwritable "$work/dir.png"
[ -z "$(ls "$work/dir.png")" ] || fail "something was left in $work/dir.png"
[ ! -e "$work/missing" ] || fail "a directory was created"

if [ "$failures" -ne 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "exporter: all checks passed"
