#!/usr/bin/env bash
# Instructions per digit typed into the diagonal, end to end: the headless
# program under callgrind, once focusing the diagonal and typing N digits,
# once focusing it and typing none; the difference divided by N. Everything
# a key costs is in it: the driver reading the line, the queue, the dialog
# manager, the field, and the dialog's recalculation.
#   bench/digit_instructions.sh [BUILD-FOLDER] [N]
set -euo pipefail
build=${1:-build/default}
n=${2:-8}
command -v valgrind >/dev/null || { echo "digit_instructions.sh needs valgrind" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
count() {
  { echo "focus 1004"; for ((i = 0; i < $1; i++)); do echo "type 7"; done; } >"$work/in"
  valgrind --tool=callgrind --callgrind-out-file="$work/out" "$build/dotwise" --platform headless --driver <"$work/in" >/dev/null 2>"$work/log"
  sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/log"
}
none=$(count 0)
typed=$(count "$n")
echo "start and exit: $none instructions; with $n digits: $typed"
echo "per digit: $(((typed - none) / n)) instructions"
