#!/usr/bin/env bash
# A screen reader's session on the window: Xvfb, a D-Bus session with the
# accessibility bus switched on (as a desktop does when Orca runs), and
# AT-SPI's own client library reading and driving the program. Then the
# same start with accessibility off must not load the bridge at all.
#   screen_reader_session_test.sh PATH-TO-DOTWISE
set -euo pipefail
dotwise=${1:?usage: screen_reader_session_test.sh PATH-TO-DOTWISE}
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "skipped: no accessibility bus (at-spi2-core)"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: no pyatspi (python3-pyatspi)"; exit 77; }

# Everything below runs inside a session bus of its own.
if [ -z "${DOTWISE_IN_SESSION:-}" ]; then
  DOTWISE_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v '^dbus-daemon\|^SpiRegistry' >&2)
fi

work=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "${portal:-}" ] && kill "$portal" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; cat "$work/errors" 2>/dev/null; exit 1; }
source "$here/session_lib.sh"
start_xvfb
unset DOTWISE_ACCESSIBILITY NO_AT_BRIDGE

set_enabled() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled "variant:boolean:$1" >/dev/null
}
start_app() {
  "$dotwise" --platform gui 2>"$work/errors" &
  app=$!
  for _ in $(seq 100); do xdotool search --name '^Dotwise' >/dev/null 2>&1 && break; sleep 0.1; done
  xdotool search --name '^Dotwise' >/dev/null || fail "no window appeared"
}
stop_app() { kill "$app"; wait "$app" 2>/dev/null || true; app=""; }
bridge_loaded() { grep -c 'dotwise-atspi\.so\|libatk-1\.0' "/proc/$app/maps" || true; }

# Off: the desktop has its accessibility bus, but no screen reader asked for it.
set_enabled false
start_app
[ "$(bridge_loaded)" = 0 ] || fail "the bridge was loaded with accessibility off"
echo "ok: with accessibility off, neither the bridge nor ATK is loaded"
stop_app

set_enabled true
start_app
# The bridge may come after the window: the program asks the bus while its window maps.
for _ in $(seq 100); do [ "$(bridge_loaded)" != 0 ] && break; sleep 0.1; done
[ "$(bridge_loaded)" != 0 ] || fail "the bridge was not loaded with accessibility on"
echo "ok: with accessibility on, the bridge is loaded"
/usr/bin/python3 "$here/screen_reader_client.py" || fail "the screen reader's checks"
stop_app
! grep -q . "$work/errors" || fail "the program complained: $(head -n 3 "$work/errors")"
echo "ok: no complaints"

# The desktop's settings portal says the user chose high contrast: the colours follow.
colour() { printf 'color 1000\nquit\n' | "$dotwise" --platform gui --driver 2>>"$work/errors" | sed -n 1p; }
[ "$(colour)" = "#000000" ] || fail "the classic colours without a portal"
/usr/bin/python3 "$here/fake_settings_portal.py" >"$work/portal" &
portal=$!
for _ in $(seq 50); do grep -q ready "$work/portal" && break; sleep 0.1; done
grep -q ready "$work/portal" || fail "the settings portal did not start"
[ "$(colour)" = "#FFFFFF" ] || fail "high contrast from the settings portal: $(colour)"
echo "ok: the settings portal's high contrast is followed"
[ "$(DOTWISE_CONTRAST=normal colour)" = "#000000" ] || fail "DOTWISE_CONTRAST=normal over the portal"
echo "ok: DOTWISE_CONTRAST=normal keeps the classic colours"

# A contrast value the portal may add later means no preference, as it documents.
kill "$portal"
wait "$portal" 2>/dev/null || true
for value in 2 4294967295; do
  /usr/bin/python3 "$here/fake_settings_portal.py" "$value" >"$work/portal" &
  portal=$!
  for _ in $(seq 50); do grep -q ready "$work/portal" && break; sleep 0.1; done
  grep -q ready "$work/portal" || fail "the settings portal did not start"
  [ "$(colour)" = "#000000" ] || fail "the portal's contrast $value taken as high contrast"
  echo "ok: the portal's contrast $value keeps the classic colours"
  kill "$portal"
  wait "$portal" 2>/dev/null || true
done
portal=""

# A session bus that takes connections and never answers (its daemon stopped):
# the window comes all the same, and says once why it goes on without the bus.
/usr/bin/python3 -c '
import socket, sys
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen(64)
print("ready", flush=True)
held = []
while True:
    held.append(s.accept()[0])
' "$work/hung-bus" >"$work/hung" &
portal=$!
for _ in $(seq 50); do grep -q ready "$work/hung" && break; sleep 0.1; done
answer=$(printf 'focus 1001\ntype 1080\ntext 1005\nquit\n' | DBUS_SESSION_BUS_ADDRESS="unix:path=$work/hung-bus" DOTWISE_ACCESSIBILITY=0 DOTWISE_CONTRAST=normal \
           timeout 30 "$dotwise" --platform gui --driver 2>"$work/hung-errors") || fail "the program with a hung session bus: status $?"
[ "$(printf '%s' "$answer" | sed -n 3p)" = '"372"' ] || fail "PPI with a hung session bus: $answer"
[ "$(cat "$work/hung-errors")" = "dotwise: the session bus does not answer; going on without it" ] || fail "said with a hung bus: $(cat "$work/hung-errors")"
echo "ok: a hung session bus holds nothing up, and is named once"
