# Shared by the Orca sessions: a blind user's desktop as it is, with Xvfb,
# openbox, the accessibility bus and Orca, whose speech goes only to its debug
# log. What Orca would say is read from the log's SPEECH OUTPUT lines, each
# waited for with a deadline (`hear`). Sourced by a test after `here` is set,
# with the test's arguments; the test then starts what it walks through, with
# its process id in `app`.
for tool in Xvfb xdotool dbus-run-session dbus-send orca openbox; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "skipped: no accessibility bus (at-spi2-core)"; exit 77; }

if [ -z "${DOTWISE_IN_SESSION:-}" ]; then
  DOTWISE_IN_SESSION=1 exec dbus-run-session -- bash "$0" "${ORCA_TEST_ARGS[@]}" 2> >(grep -v '^dbus-daemon\|^SpiRegistry' >&2)
fi

work=$(mktemp -d)
cleanup() {
  # A process started in a session of its own (a browser, with its helpers) ends with its whole group.
  for p in "${app:-}" "${orca:-}" "${wm:-}" "${xvfb:-}" "${server:-}"; do
    [ -n "$p" ] && { kill -- "-$p" 2>/dev/null || kill "$p" 2>/dev/null || true; }
  done
  # What is still ending may write into the scratch folder a moment longer.
  for _ in $(seq 20); do rm -rf "$work" 2>/dev/null && break; sleep 0.1; done
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; tail -n 25 "$work/orca.log" 2>/dev/null | sed "s/^/  log: /"; grep 'SPEECH OUTPUT' "$work/orca.log" 2>/dev/null | tail -n 8 | sed 's/^/  heard: /'; exit 1; }
source "$(dirname "${BASH_SOURCE[0]}")/session_lib.sh"
start_xvfb
unset DOTWISE_ACCESSIBILITY NO_AT_BRIDGE
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
  string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
openbox >/dev/null 2>&1 &
wm=$!
# Orca's settings stay in the scratch folder; with no speech server it speaks only to its log, which it
# is made to write a line at a time (it keeps a file's lines until a block is full), so each utterance
# can be read as it is said.
mkdir -p "$work/home"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" /usr/bin/python3 - "$(command -v orca)" "$work/orca.log" >/dev/null 2>&1 <<'PY' &
import builtins, runpy, sys
orca, log = sys.argv[1], sys.argv[2]
opened = builtins.open
def open_log_by_lines(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode and not args and "buffering" not in kwargs:
        return opened(file, mode, 1, **kwargs)
    return opened(file, mode, *args, **kwargs)
builtins.open = open_log_by_lines
sys.argv = [orca, "--debug-file", log]
runpy.run_path(orca, run_name="__main__")
PY
orca=$!

# Waits up to 30 s for Orca to say something matching a pattern after what it had said before.
spoken=0
hear() {
  for _ in $(seq 300); do
    local at
    at=$(grep 'SPEECH OUTPUT' "$work/orca.log" 2>/dev/null | tail -n +"$((spoken + 1))" | grep -n -m1 -- "$2" | cut -d: -f1 || true)
    if [ -n "$at" ]; then
      spoken=$((spoken + at))
      echo "ok: Orca says $1"
      return
    fi
    kill -0 "$orca" 2>/dev/null || fail "Orca ended"
    sleep 0.1
  done
  fail "Orca did not say $1 in 30 s (${2})"
}
hear "it is on" "Screen reader on"
