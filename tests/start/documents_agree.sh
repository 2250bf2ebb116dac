#!/usr/bin/env bash
# --help, the manual page and the README name the same environment variables:
# each variable one of them names in its environment section, the others name too.
#   documents_agree.sh PATH-TO-DOTWISE
set -uo pipefail
dotwise=${1:?usage: documents_agree.sh PATH-TO-DOTWISE}
top=$(cd "$(dirname "$0")/../.." && pwd)
names() { grep -oE '\b([A-Z][A-Z0-9]*(_[A-Z0-9]+)+|DISPLAY|TERM|LANG|LANGUAGE)\b' | sort -u; }
help=$("$dotwise" --help | sed -n '/^Environment:/,/^Exit status/p' | names)
manual=$(sed -n '/^\.SH ENVIRONMENT/,/^\.SH EXIT/p' "$top/res/desktop/dotwise.1" | names)
readme=$(sed -n '/^## The environment/,/^## /p' "$top/README.md" | names)
[ -n "$help" ] && [ -n "$manual" ] && [ -n "$readme" ] || { echo "FAILED: an environment section was not found"; exit 1; }
all=$(printf '%s\n' "$help" "$manual" "$readme" | sort -u)
failed=0
for variable in $all; do
  missing=""
  grep -qx "$variable" <<<"$help" || missing+=" --help"
  grep -qx "$variable" <<<"$manual" || missing+=" dotwise(1)"
  grep -qx "$variable" <<<"$readme" || missing+=" README.md"
  [ -z "$missing" ] || { echo "FAILED: $variable is not named in:$missing"; failed=1; }
done
[ "$failed" = 0 ] && echo "ok: --help, dotwise(1) and the README name the same $(wc -l <<<"$all") variables"
exit $failed
