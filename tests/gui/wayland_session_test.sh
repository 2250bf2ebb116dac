#!/usr/bin/env bash
# A person's session on a Wayland compositor: Weston, with the program started
# with no X display and no --platform (it must choose a native Wayland window).
# Weston's headless back end offers no seat, on which SDL 2.26 crashes while it
# starts, so Weston runs in a window of its own on Xvfb instead, and the
# program is its Wayland client. The driver channel types and reads the fields back.
set -euo pipefail
dotwise=${1:?usage: wayland_session_test.sh PATH-TO-DOTWISE}
for tool in Xvfb weston; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
cleanup() {
  exec 7>&- 2>/dev/null || true
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "${weston:-}" ] && kill "$weston" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; grep -v '^\[' "$work/errors" 2>/dev/null | tail -n 10; tail -n 10 "$work/weston.log" 2>/dev/null; exit 1; }

source "$(dirname "$0")/session_lib.sh"
start_xvfb

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=x11-backend.so --use-pixman --socket=wayland-test --idle-time=0 --width=1200 --height=760 --no-config >"$work/weston.log" 2>&1 &
weston=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-test" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/wayland-test" ] || fail "Weston did not start"

# The client's protocol log shows the window is Wayland's own, not an X one.
env -u DISPLAY WAYLAND_DISPLAY=wayland-test WAYLAND_DEBUG=client "$dotwise" --driver <"$work/commands" >"$work/answers" 2>"$work/errors" &
app=$!
open_driver


expect "the dialog is up" "$(ask 'dialogs')" "102"
grep -q 'xdg_toplevel@[0-9]*\.set_title' "$work/errors" || fail "no Wayland top-level window was made"
echo "ok: the window is a Wayland top-level"
ask "settext 1001 1080" >/dev/null
ask "focus 1000" >/dev/null
expect "X is selected when it takes the focus" "$(ask 'sel 1000')" "0 4"
# Input comes through the driver: in this setup Weston takes keys on its X window
# but gives no Wayland client the keyboard focus, so xdotool's keys reach nobody.
ask "type 1920" >/dev/null
eventually "PPI for 1920 x 1080 at 4.5 inches" "ask 'text 1005'" '"489"'
expect "pixels left behind by the typing" "$(ask stale)" 0
ask "screenshot $work/shown.png" >/dev/null
[ -s "$work/shown.png" ] || fail "no screenshot"
echo "key Escape" >&7
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Escape did not end the program"
wait "$app" || fail "the program exited with an error"
app=""
echo "1 passed, 0 failed"
