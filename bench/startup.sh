#!/usr/bin/env bash
# Start-up of the window against its floor and a peer, as a user on a desktop
# sees it: one Xvfb kept warm by a client connected through the whole run (a
# desktop session always has one, so no program pays for the server's first
# setup), starts interleaved, medians, ratios from the same run.
#   bench/startup.sh [BUILD-FOLDER] [RUNS]
# Start is the time until the window is mapped and its contents first drawn
# (bench/first_map.py): a program that maps first and draws after is counted
# until it has drawn. Peak memory is VmHWM.
set -euo pipefail
build=${1:-build/default}
runs=${2:-15}
here=$(dirname "$0")

source "$here"/warm_display.sh
install_bench_tools
start_warm_display

measure() { /usr/bin/python3 "$here/first_map.py" "$@" || true; }

# dotwise-search is the same program made to search fontconfig's configuration for its
# font at every start (with FONTCONFIG_FILE set, it keeps no choice between runs):
# what the kept choice saves, measured in the same run.
names=(dotwise dotwise-search bare-sdl galculator)
patterns=('^Dotwise' '^Dotwise' '^Bare SDL window' 'alculator')
commands=("$build/dotwise --platform gui" "env FONTCONFIG_FILE=/etc/fonts/fonts.conf $build/dotwise --platform gui" "$build/bench/bare_sdl_window" "galculator")
# One start of each first, so that all find the disk and font caches warm.
for i in 0 1 2 3; do measure "${patterns[$i]}" ${commands[$i]} >/dev/null; done
for _ in $(seq "$runs"); do
  for i in 0 1 2 3; do measure "${patterns[$i]}" ${commands[$i]} >>"$work/${names[$i]}"; done
done

printf '%-12s %12s %14s\n' program "start (ms)" "peak (KiB)"
declare -A start peak
for name in "${names[@]}"; do
  start[$name]=$(cut -d' ' -f1 "$work/$name" | median)
  peak[$name]=$(cut -d' ' -f2 "$work/$name" | median)
  printf '%-12s %12s %14s\n' "$name" "${start[$name]}" "${peak[$name]}"
done
awk -v d="${start[dotwise]}" -v s="${start[dotwise-search]}" -v b="${start[bare-sdl]}" -v g="${start[galculator]}" -v dm="${peak[dotwise]}" -v gm="${peak[galculator]}" 'BEGIN {
  printf "start:  dotwise / bare SDL window %.2f, dotwise / galculator %.2f\n", d / b, d / g
  printf "        searching the font every start / bare SDL window %.2f\n", s / b
  printf "memory: dotwise / galculator %.2f\n", dm / gm
}'
echo "(medians of $runs interleaved starts each)"
