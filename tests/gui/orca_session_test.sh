#!/usr/bin/env bash
# A blind user's session with Orca, the desktop's screen reader, as it is:
# Xvfb, openbox, the accessibility bus, Orca with its speech going only to its
# debug log, and the keyboard. What Orca would say is read from the log's
# SPEECH OUTPUT lines, each waited for with a deadline.
#   orca_session_test.sh PATH-TO-DOTWISE
set -euo pipefail
dotwise=${1:?usage: orca_session_test.sh PATH-TO-DOTWISE}
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool dbus-run-session dbus-send orca openbox; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "skipped: no accessibility bus (at-spi2-core)"; exit 77; }

if [ -z "${DOTWISE_IN_SESSION:-}" ]; then
  DOTWISE_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v '^dbus-daemon\|^SpiRegistry' >&2)
fi

work=$(mktemp -d)
cleanup() {
  for p in "${app:-}" "${orca:-}" "${wm:-}" "${xvfb:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; tail -n 25 "$work/orca.log" 2>/dev/null | sed "s/^/  log: /"; grep 'SPEECH OUTPUT' "$work/orca.log" 2>/dev/null | tail -n 8 | sed 's/^/  heard: /'; exit 1; }
source "$here/session_lib.sh"
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
"$dotwise" --platform gui 2>"$work/errors" &
app=$!
for _ in $(seq 100); do xdotool search --name '^Dotwise' >/dev/null 2>&1 && break; sleep 0.1; done
xdotool search --name '^Dotwise' >/dev/null || fail "no window appeared"
# The dialog is heard as it opens, with no key pressed: the window, then the control with the focus.
hear "the dialog's name and role as it opens" "Dotwise - .*dialog"
hear "the button with the focus" "确定 push button"
xdotool key Tab
hear "the button Tab moves to" "取消 push button"
xdotool key Tab
hear "the key it heard" "'tab "
hear "a field by its label, role and value" "矩阵的 X 方向像素(Pixel): entry 1280"
# Typing: each key echoed, and the results it changed heard once, when the typing pauses.
xdotool type 1920
hear "a typed key" "'1 "
hear "the last typed key" "'0 "
hear "the new PPI and PPC once the typing paused" "PPI .*: 455, .*PPC .*: 179"
xdotool key BackSpace
hear "Backspace" "'backspace "
hear "the results of the last key" "PPI .*: 165, .*PPC .*: 64"
# Each change of the results was heard once, however many keys made it ("Where Am I" says them again).
said=$(grep 'SPEECH OUTPUT' "$work/orca.log" | grep -c "PPI [^:]*: [0-9]" || true)
[ "$said" = 2 ] || fail "the results were said $said times for two pauses"
echo "ok: the results were said once for each pause in typing"
# Orca's "Where Am I" key is Orca's: it tells where the focus is, and the dialog stays.
xdotool key KP_Enter
hear "where the focus is" "矩阵的 X 方向像素(Pixel): entry 192"
kill -0 "$app" 2>/dev/null && xdotool search --name '^Dotwise' >/dev/null || fail "KP_Enter closed the dialog"
# A message box is an alert whose text is read, and closing it brings the dialog back.
xdotool key F1
hear "the message box as an alert" "alert "
hear "the message's text" "本程序没有帮助文件。"
hear "its button" "确定 push button"
xdotool key Return
hear "the field the focus went back to" "矩阵的 X 方向像素(Pixel): entry"
# A badge's message, reached by the mouse where the reader says the badge is.
read -r x y < <(/usr/bin/python3 - <<'PY'
import pyatspi
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == "Dotwise":
        for child in app[0]:
            if child.name == "手工制作的印章":
                x, y, w, h = child.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                print(x + w // 2, y + h // 2)
PY
)
[ -n "${y:-}" ] || fail "the seal badge is not on the bus"
xdotool mousemove "$x" "$y" click 1
hear "a badge's message box" "alert "
hear "the badge's message" "手工制作印章1998"
xdotool key Return
kill "$app"
wait "$app" 2>/dev/null || true
app=""
! grep -q . "$work/errors" || fail "the program complained: $(head -n 3 "$work/errors")"
