# Sourced by the window benchmarks: the packages they run, an Xvfb of their own, kept warm by a
# client connected through the whole run (a desktop session always has one,
# so no program pays for the server's first setup), in a scratch folder that
# is also HOME, so no program finds saved settings. Sets `work`, DISPLAY and
# HOME, and removes everything on exit.
start_warm_display() {
  work=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$work/display")"
  export HOME="$work"
  /usr/bin/python3 -c 'from Xlib import display; import time; d = display.Display(); d.sync(); time.sleep(100000)' &
  keeper=$!
  trap 'kill $keeper $xvfb 2>/dev/null; rm -rf "$work"' EXIT
}

# The median of the numbers on standard input, one a line.
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# Installs what every window benchmark runs (galculator, the peer; Xvfb; the
# Xlib client library that times the windows), and the packages named.
install_bench_tools() {
  local need=("$@")
  command -v galculator >/dev/null || need+=(galculator)
  command -v Xvfb >/dev/null || need+=(xvfb)
  /usr/bin/python3 -c 'import Xlib' 2>/dev/null || need+=(python3-xlib)
  if [ ${#need[@]} -gt 0 ]; then
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
  fi
}

# Runs each case of `names` once to warm the caches, then RUNS times in turn
# (each case's answers in $work/CASE, "start peak" a line, from a function
# `run CASE`), and prints each case's medians; fills `start` and `peak`.
run_interleaved() {
  local runs=$1 name
  for name in "${names[@]}"; do run "$name" >/dev/null; done
  for _ in $(seq "$runs"); do
    for name in "${names[@]}"; do run "$name" >>"$work/$name"; done
  done
  printf '%-15s %12s %14s\n' case "start (ms)" "peak (KiB)"
  for name in "${names[@]}"; do
    start[$name]=$(cut -d' ' -f1 "$work/$name" | median)
    peak[$name]=$(cut -d' ' -f2 "$work/$name" | median)
    printf '%-15s %12s %14s\n' "$name" "${start[$name]}" "${peak[$name]}"
  done
}
