#!/usr/bin/env bash
# A person's session on a Wayland compositor: Weston, with the program started
# with no X display and no --platform (it must choose a native Wayland window).
# Weston's headless back end offers no seat, on which SDL 2.26 crashes while it
# starts, so Weston runs in a window of its own on Xvfb instead, and the
# program is its Wayland client. The driver channel types and reads the fields back.
# A second Weston scales its output by 2, as on a dense screen.
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
# Weston with its output at SCALE, on a socket of that name.
start_weston() {
  weston --backend=x11-backend.so --use-pixman --socket="wayland-$1" --idle-time=0 --width=600 --height=500 --scale="$1" --no-config >"$work/weston.log" 2>&1 &
  weston=$!
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-$1" ] && break; sleep 0.1; done
  [ -S "$XDG_RUNTIME_DIR/wayland-$1" ] || fail "Weston did not start"
}
# The client's protocol log shows what the window is made of.
start_app() {
  : >"$work/answers"
  env -u DISPLAY -u DOTWISE_SCALE -u GDK_SCALE WAYLAND_DISPLAY="wayland-$1" WAYLAND_DEBUG=client "$dotwise" --driver <"$work/commands" >"$work/answers" 2>"$work/errors" &
  app=$!
  open_driver
}
end_app() {
  echo "key Escape" >&7
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "Escape did not end the program"
  wait "$app" || fail "the program exited with an error"
  app=""
  exec 7>&-
}

start_weston 1
start_app 1


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
end_app
kill "$weston"; wait "$weston" 2>/dev/null || true

# An output at scale 2, and no setting of ours: the window is drawn in the output's
# own pixels, twice the dialog's size at 1, in buffers that say so.
start_weston 2
start_app 2
expect "the dialog's client area on a 2x output" "$(ask 'rect dialog')" "0 0 906 795"
ask "settext 1001 1080" >/dev/null
ask "focus 1000" >/dev/null
ask "type 1920" >/dev/null
eventually "PPI typed on a 2x output" "ask 'text 1005'" '"489"'
expect "pixels left behind on a 2x output" "$(ask stale)" 0
end_app
grep -q 'wl_surface@[0-9]*\.set_buffer_scale(2)' "$work/errors" || fail "the window's buffers are not marked as of scale 2"
grep -q 'create_buffer(new id wl_buffer@[0-9]*, [0-9]*, 918, 84[34],' "$work/errors" || fail "no buffer of the window's size in the output's pixels (918 wide)"
echo "ok: the window's buffers are 918 pixels wide at scale 2"
echo "1 passed, 0 failed"
