#!/bin/bash
# Runs the end-to-end driver scripts in this folder against a program and
# compares its answers, line by line, with the expected ones beside each
# script (SCRIPT.out). The same scripts and answers serve every build.
#   tests/e2e/run_scripts.sh [--update] [--skip LIST] -- PROGRAM [ARGUMENTS...]
# --update writes the answers instead of checking them; --skip names a file
# of "SCRIPT: reason" lines, scripts not to run on this build.
# A script's "#env NAME VALUE" lines set its environment. A program that
# answers right but exits with a status other than 0, or writes to standard
# error anything but the script's "#stderr TEXT" lines, has failed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
update=0
skip=""
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    case "$1" in
        --update) update=1 ;;
        --skip) skip=$2; shift ;;
        *) echo "usage: run_scripts.sh [--update] [--skip LIST] -- PROGRAM [ARGUMENTS...]" >&2; exit 2 ;;
    esac
    shift
done
[ "${1:-}" = "--" ] && shift
[ $# -gt 0 ] || { echo "run_scripts.sh: no program to run" >&2; exit 2; }

passed=0 failed=0 skipped=0
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for script in "$here"/*.txt; do
    name=$(basename "$script" .txt)
    if [ -n "$skip" ] && reason=$(grep -m1 "^$name:" "$skip"); then
        echo "skipped: $name (${reason#*: })"
        skipped=$((skipped + 1))
        continue
    fi
    vars=()
    while read -r _ var value; do vars+=("$var=$value"); done < <(grep '^#env ' "$script")
    actual=$(env "${vars[@]}" "$@" < "$script" 2>"$errors" | tr -d '\r'; exit "${PIPESTATUS[0]}")
    status=$?
    if [ "$update" = 1 ]; then
        printf '%s\n' "$actual" > "$here/$name.out"
        continue
    fi
    unexpected=$(tr -d '\r' <"$errors" | grep -vxF -f <(sed -n 's/^#stderr //p' "$script"; echo '#stderr') || true)
    if [ "$actual" = "$(cat "$here/$name.out")" ] && [ "$status" = 0 ] && [ -z "$unexpected" ]; then
        echo "ok: $name"
        passed=$((passed + 1))
    else
        echo "FAILED: $name"
        diff <(cat "$here/$name.out") <(printf '%s\n' "$actual") | sed 's/^/    /'
        [ "$status" = 0 ] || echo "    the program exited with status $status"
        [ -z "$unexpected" ] || printf '    on standard error:\n%s\n' "$(printf '%s\n' "$unexpected" | head -n 5 | sed 's/^/      /')"
        failed=$((failed + 1))
    fi
done
[ "$update" = 1 ] && { echo "answers written"; exit 0; }
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
