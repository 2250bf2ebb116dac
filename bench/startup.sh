#!/usr/bin/env bash
# Start-up time to the first frame and peak memory of dotwise against
# galculator, in one run on Xvfb: medians of several starts, and the ratios.
#   bench/startup.sh [PATH-TO-DOTWISE] [RUNS]
set -euo pipefail
dotwise=${1:-build/default/dotwise}
runs=${2:-9}

need=()
command -v galculator >/dev/null || need+=(galculator)
command -v Xvfb >/dev/null || need+=(xvfb)
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || need+=(python3-xlib)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export HOME="$work"   # no saved settings for either program

# One start: milliseconds until the window is mapped, and VmHWM in KiB.
measure() { /usr/bin/python3 "$(dirname "$0")/first_map.py" "$@" || true; }

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# One start of each first, so that both find the font and library caches warm.
measure '^Dotwise' "$dotwise" >/dev/null
measure 'alculator' galculator >/dev/null
for i in $(seq "$runs"); do
  measure '^Dotwise' "$dotwise" >>"$work/dotwise"
  measure 'alculator' galculator >>"$work/galculator"
done

dt=$(cut -d' ' -f1 "$work/dotwise" | median); dm=$(cut -d' ' -f2 "$work/dotwise" | median)
gt=$(cut -d' ' -f1 "$work/galculator" | median); gm=$(cut -d' ' -f2 "$work/galculator" | median)
printf '%-12s %12s %14s\n' program "start (ms)" "peak (KiB)"
printf '%-12s %12s %14s\n' dotwise "$dt" "$dm" galculator "$gt" "$gm"
awk -v a="$dt" -v b="$gt" -v c="$dm" -v d="$gm" 'BEGIN { printf "ratio        %12.2f %14.2f   (dotwise / galculator, medians of the runs)\n", a / b, c / d }'
