#!/usr/bin/env bash
# A blind user's session with Orca, the desktop's screen reader, as it is:
# Xvfb, openbox, the accessibility bus, Orca with its speech going only to its
# debug log, and the keyboard. What Orca would say is read from the log's
# SPEECH OUTPUT lines, each waited for with a deadline.
#   orca_session_test.sh PATH-TO-DOTWISE
set -euo pipefail
dotwise=${1:?usage: orca_session_test.sh PATH-TO-DOTWISE}
here=$(cd "$(dirname "$0")" && pwd)
ORCA_TEST_ARGS=("$@")
source "$here/orca_lib.sh"
"$dotwise" --platform gui 2>"$work/errors" &
app=$!
for _ in $(seq 100); do xdotool search --name '^Dotwise' >/dev/null 2>&1 && break; sleep 0.1; done
xdotool search --name '^Dotwise' >/dev/null || fail "no window appeared"
# The dialog is heard as it opens, with no key pressed: the window, then the control with the focus.
hear "the dialog's name and role as it opens" "Dotwise - .*dialog"
hear "how its menu, with the About box, is reached" "F10"
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
# The results are said when typing pauses, not at each key: five keys, fewer sayings, none the same
# as the one before. (A machine slow enough to pause mid-word may say a figure on the way; "Where Am
# I" says them again.)
results=$(grep 'SPEECH OUTPUT' "$work/orca.log" | grep -o "PPI [^:]*: [0-9].*" || true)
said=$(printf '%s\n' "$results" | grep -c . || true)
told=$(printf '%s\n' "$results" | uniq | grep -c . || true)
[ "$said" -lt 5 ] || fail "the results were said $said times for five keys"
[ "$told" = "$said" ] || fail "a figure was said twice running: $results"
echo "ok: the results were said $said times for five keys, each once"
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
