#!/bin/sh
# The options that print and end need no display: with no platform named and
# no display to find, --help and --version print and exit 0 (an unknown option
# does not stop them), more than two file names is a usage error on stderr with
# exit 2. qlm --version alike.
#   check_options.sh <quillmoor> <qlm> <version>
set -u
quillmoor=$1
qlm=$2
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

bare() { env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$@" > "$scratch/out" 2> "$scratch/err"; }

bare "$quillmoor" --help || fail "--help exited $?: $(cat "$scratch/err")"
grep -q '^Usage: quillmoor \[MODULE \[ROM\]\]' "$scratch/out" || fail "--help printed: $(cat "$scratch/out")"
[ -s "$scratch/err" ] && fail "--help wrote to stderr: $(cat "$scratch/err")"

bare "$quillmoor" --version || fail "--version exited $?"
[ "$(cat "$scratch/out")" = "quillmoor $version" ] || fail "--version printed: $(cat "$scratch/out")"

bare "$quillmoor" --no-such-option --help || fail "an unknown option before --help exited $?"
grep -q '^Usage: quillmoor' "$scratch/out" || fail "an unknown option kept --help from printing"

bare "$quillmoor" -style fusion a.qlm b.rom c
code=$?
[ "$code" -eq 2 ] || fail "three file names exited $code"
[ -s "$scratch/out" ] && fail "three file names wrote to stdout"
grep -q "too many arguments" "$scratch/err" || fail "three file names said: $(cat "$scratch/err")"

bare "$qlm" --version || fail "qlm --version exited $?"
[ "$(cat "$scratch/out")" = "qlm $version" ] || fail "qlm --version printed: $(cat "$scratch/out")"

echo "command-line options: all checks passed"
