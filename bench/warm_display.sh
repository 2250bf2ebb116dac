# Sourced by the window benchmarks: an Xvfb of their own, kept warm by a
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
