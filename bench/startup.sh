#!/usr/bin/env bash
# Start-up time to the first frame and peak memory of dotwise against
# galculator, in one run on Xvfb: medians of several starts, and the ratios.
#   bench/startup.sh [PATH-TO-DOTWISE] [RUNS]
set -euo pipefail
dotwise=${1:-build/default/dotwise}
runs=${2:-9}

need=()
command -v galculator >/dev/null || need+=(galculator)
for tool in Xvfb xdotool; do command -v "$tool" >/dev/null || need+=(xvfb xdotool); done
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

# One start: milliseconds until a visible window with the name exists, and VmHWM in KiB.
measure() {
  local name=$1; shift
  local start end pid hwm
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 </dev/null &
  pid=$!
  for _ in $(seq 2000); do
    xdotool search --onlyvisible --name "$name" >/dev/null 2>&1 && break
    sleep 0.005
  done
  end=$(date +%s%N)
  sleep 0.5
  # A start that failed to show a window counts for nothing.
  if ! hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null) || [ -z "$hwm" ]; then
    echo "$name: a start failed" >&2
    return 0
  fi
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$(( (end - start) / 1000000 )) $hwm"
}

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
