#!/usr/bin/env bash
# What the screen readers' bridge costs, and that it costs nothing to those
# who do not use one: window starts in a D-Bus session with the desktop's
# accessibility bus running, as on any desktop, with the bus's IsEnabled
# off and on, against the bridge decided away without asking the bus
# (DOTWISE_ACCESSIBILITY=0) and against galculator (GTK) with it on. One
# Xvfb kept warm, starts interleaved, medians, ratios from the same run.
#   bench/accessibility_cost.sh [BUILD-FOLDER] [RUNS]
# Start is until the window is mapped and first drawn (bench/first_map.py);
# peak memory is VmHWM. Then, with both running, a screen reader's question's
# round trip over the bus (bench/atspi_round_trip.py), in interleaved batches.
set -euo pipefail
build=$(cd "${1:-build/default}" && pwd)
runs=${2:-11}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DOTWISE_IN_SESSION:-}" ]; then
  source "$here"/warm_display.sh
  need=()
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || need+=(python3-pyatspi)
  command -v dbus-run-session >/dev/null || need+=(dbus)
  [ -x /usr/libexec/at-spi-bus-launcher ] || need+=(at-spi2-core)
  install_bench_tools "${need[@]}"
  DOTWISE_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$build" "$runs" 2> >(grep -v '^dbus-daemon\|^SpiRegistry' >&2)
fi

source "$here"/warm_display.sh
start_warm_display
unset DOTWISE_ACCESSIBILITY NO_AT_BRIDGE

enabled() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled "variant:boolean:$1" >/dev/null
}
measure() { /usr/bin/python3 "$here/first_map.py" "$@" || true; }

names=(decided-off bus-off bus-on galculator-on)
run() {
  case $1 in
    decided-off) enabled false; DOTWISE_ACCESSIBILITY=0 measure '^Dotwise' "$build/dotwise" --platform gui ;;
    bus-off) enabled false; measure '^Dotwise' "$build/dotwise" --platform gui ;;
    bus-on) enabled true; measure '^Dotwise' "$build/dotwise" --platform gui ;;
    galculator-on) enabled true; measure 'alculator' galculator ;;
  esac
}
declare -A start peak
run_interleaved "$runs"
awk -v d="${start[decided-off]}" -v o="${start[bus-off]}" -v n="${start[bus-on]}" -v g="${start[galculator-on]}" \
    -v dm="${peak[decided-off]}" -v om="${peak[bus-off]}" -v nm="${peak[bus-on]}" -v gm="${peak[galculator-on]}" 'BEGIN {
  printf "asking the bus:   start %.2f, memory %.2f (bus off / decided off)\n", o / d, om / dm
  printf "the bridge:       start %.2f, memory %.2f (bus on / bus off)\n", n / o, nm / om
  printf "against GTK:      start %.2f, memory %.2f (dotwise / galculator, both on)\n", n / g, nm / gm
}'
echo "(medians of $runs interleaved starts each)"

enabled true
"$build/dotwise" --platform gui 2>/dev/null &
dotwise=$!
galculator 2>/dev/null &
peer=$!
trap 'kill $dotwise $peer $keeper $xvfb 2>/dev/null; rm -rf "$work"' EXIT
/usr/bin/python3 "$here/atspi_round_trip.py" Dotwise galculator >"$work/round-trip"
awk '{ms[$1] = $2} END {
  printf "a question over the bus: dotwise %.3f ms, galculator %.3f ms, ratio %.2f\n", ms["Dotwise"], ms["galculator"], ms["Dotwise"] / ms["galculator"]
}' "$work/round-trip"
