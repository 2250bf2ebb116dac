#!/usr/bin/env bash
# What reading the desktop's scale and drawing at it cost: window starts with
# the scale decided outright (DOTWISE_SCALE=1, nothing read), read from the
# desktop and found to be 1 (no Xft.dpi, then Xft.dpi 96), and read as 2
# (Xft.dpi 192, four times the pixels), against the bare SDL window (the
# floor) and galculator (GTK) at 96 and 192. One Xvfb kept warm, starts
# interleaved, medians, ratios from the same run. Then which of GLib and
# D-Bus each has loaded once its window is up, with no session bus.
#   bench/scale_cost.sh [BUILD-FOLDER] [RUNS]
# Start is until the window is mapped and first drawn (bench/first_map.py);
# peak memory is VmHWM.
set -euo pipefail
build=$(cd "${1:-build/default}" && pwd)
runs=${2:-11}
here=$(cd "$(dirname "$0")" && pwd)

source "$here"/warm_display.sh
install_bench_tools
start_warm_display
unset DOTWISE_SCALE GDK_SCALE DBUS_SESSION_BUS_ADDRESS
export DOTWISE_ACCESSIBILITY=0 DOTWISE_CONTRAST=normal

# The X resource database, as a desktop session sets it.
resources() {
  /usr/bin/python3 -c 'import sys; from Xlib import display, Xatom
d = display.Display(); d.screen().root.change_property(Xatom.RESOURCE_MANAGER, Xatom.STRING, 8, sys.argv[1].encode()); d.sync()' "$1"
}
measure() { /usr/bin/python3 "$here/first_map.py" "$@" || true; }

names=(decided-1 desktop-none desktop-96 desktop-192 bare-sdl galculator-96 galculator-192)
run() {
  case $1 in
    decided-1) resources ""; DOTWISE_SCALE=1 measure '^Dotwise' "$build/dotwise" --platform gui ;;
    desktop-none) resources ""; measure '^Dotwise' "$build/dotwise" --platform gui ;;
    desktop-96) resources $'Xft.dpi:\t96\n'; measure '^Dotwise' "$build/dotwise" --platform gui ;;
    desktop-192) resources $'Xft.dpi:\t192\n'; measure '^Dotwise' "$build/dotwise" --platform gui ;;
    bare-sdl) resources ""; measure '^Bare SDL window' "$build/bench/bare_sdl_window" ;;
    galculator-96) resources $'Xft.dpi:\t96\n'; measure 'alculator' galculator ;;
    galculator-192) resources $'Xft.dpi:\t192\n'; measure 'alculator' galculator ;;
  esac
}
declare -A start peak
run_interleaved "$runs"
awk -v d="${start[decided-1]}" -v n="${start[desktop-none]}" -v s="${start[desktop-96]}" -v t="${start[desktop-192]}" \
    -v b="${start[bare-sdl]}" -v g="${start[galculator-96]}" -v h="${start[galculator-192]}" \
    -v dm="${peak[decided-1]}" -v nm="${peak[desktop-none]}" -v sm="${peak[desktop-96]}" -v tm="${peak[desktop-192]}" \
    -v gm="${peak[galculator-96]}" -v hm="${peak[galculator-192]}" 'BEGIN {
  printf "reading the desktop, scale 1:  start %.2f / %.2f, memory %.2f / %.2f (no Xft.dpi / Xft.dpi 96, each over decided)\n", n / d, s / d, nm / dm, sm / dm
  printf "scale 2 over scale 1:          start %.2f, memory %.2f (galculator: %.2f, %.2f)\n", t / s, tm / sm, h / g, hm / gm
  printf "against the floor:             start %.2f (desktop-96 / bare SDL window)\n", s / b
  printf "against GTK:                   start %.2f at 96, %.2f at 192 (dotwise / galculator)\n", s / g, t / h
}'
echo "(medians of $runs interleaved starts each)"

# Libraries loaded once the window is up, with no session bus: reading the
# settings must bring in neither GLib nor D-Bus beyond what SDL itself loads.
resources $'Xft.dpi:\t96\n'
for program in "$build/bench/bare_sdl_window" "$build/dotwise --platform gui"; do
  $program >/dev/null 2>&1 &
  pid=$!
  sleep 1.5
  loaded=$(grep -o 'lib\(glib\|gio\|gobject\|dbus\)-[^ ]*\.so' /proc/$pid/maps | sort -u | tr '\n' ' ')
  kill $pid 2>/dev/null; wait $pid 2>/dev/null || true
  printf '%-34s %s\n' "${program#$build/}:" "${loaded:-none of GLib or D-Bus}"
done
