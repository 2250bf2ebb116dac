#!/bin/bash
# A program that answers every script right, then reports a leak and exits 23:
# the end-to-end runner must fail it (its own test, run by ctest).
#   answer_then_fail.sh PROGRAM [ARGUMENTS...]
"$@"
echo "==1==ERROR: LeakSanitizer: detected memory leaks" >&2
exit 23
