#!/usr/bin/env bash
# What typing costs, against a peer in the same run: the window and galculator
# on one Xvfb kept warm by a connected client, each typing five digits and
# erasing them again six times over (60 keys), the programs taking turns.
# Per key: the program's CPU time, and the rectangles it pushed to the screen
# with their share of its window. Medians and the CPU ratio.
#   bench/keystrokes.sh [BUILD-FOLDER] [ROUNDS]
set -euo pipefail
build=${1:-build/default}
rounds=${2:-5}
here=$(dirname "$0")
command -v galculator >/dev/null && command -v Xvfb >/dev/null && /usr/bin/python3 -c 'import Xlib' 2>/dev/null ||
  { echo "keystrokes.sh needs galculator, xvfb and python3-xlib (bench/startup.sh installs them)" >&2; exit 1; }

source "$here"/warm_display.sh
start_warm_display

typed="1 2 3 4 5 BackSpace BackSpace BackSpace BackSpace BackSpace"
keys="$typed $typed $typed $typed $typed $typed"
for _ in $(seq "$rounds"); do
  # Four tabs from the OK button reach the diagonal, the numeric field.
  /usr/bin/python3 "$here/keystrokes.py" '^Dotwise' "Tab Tab Tab Tab" "$keys" -- "$build/dotwise" --platform gui >>"$work/dotwise"
  /usr/bin/python3 "$here/keystrokes.py" 'alculator' "" "$keys" -- galculator >>"$work/galculator"
done
/usr/bin/python3 - "$work/dotwise" "$work/galculator" "$rounds" <<'PY'
import json, statistics, sys
rows = {name: [json.loads(line) for line in open(path)] for name, path in (("dotwise", sys.argv[1]), ("galculator", sys.argv[2]))}
median = {name: {key: statistics.median(r[key] for r in runs) for key in runs[0]} for name, runs in rows.items()}
print(f"{'program':<12} {'CPU/key (ms)':>13} {'rects/key':>10} {'window share/key':>17}")
for name, m in median.items():
    print(f"{name:<12} {m['cpu_ms_per_key']:>13.2f} {m['rects_per_key']:>10.1f} {m['damaged_share_per_key']:>17.3f}")
print(f"CPU per key: dotwise / galculator {median['dotwise']['cpu_ms_per_key'] / median['galculator']['cpu_ms_per_key']:.2f}")
print(f"(medians of {sys.argv[3]} rounds of 60 keys each, the programs taking turns)")
PY
