#!/usr/bin/env bash
# A person's session on a real window: Xvfb, the program started with no
# --platform (it must choose the window), xdotool for mouse and keys, xclip
# for the system clipboard, and the driver channel to read the fields back.
set -euo pipefail
dotwise=${1:?usage: window_session_test.sh PATH-TO-DOTWISE}
for tool in Xvfb xdotool xclip; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
cleanup() {
  exec 7>&- 2>/dev/null || true
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAILED: $*"; cat "$work/errors"; exit 1; }
source "$(dirname "$0")/session_lib.sh"
start_xvfb

"$dotwise" --driver <"$work/commands" >"$work/answers" 2>"$work/errors" &
app=$!
open_driver
settle() { sleep 0.3; ask "sel 1000" >/dev/null; }

for _ in $(seq 100); do xdotool search --name '^Dotwise' >/dev/null 2>&1 && break; sleep 0.1; done
xdotool search --name '^Dotwise' >/dev/null || fail "no window appeared"

expect "start value of Y" "$(ask 'text 1001')" '"720"'
ask "settext 1001 1080" >/dev/null
xdotool mousemove $(ask "point 1000") click 1
settle
xdotool type --delay 30 1920
eventually "PPI for 1920 x 1080 at 4.5 inches" "ask 'text 1005'" '"489"'
expect "PPC" "$(ask 'text 1006')" '"192"'
# Frames redraw only what changed; what the window shows must still be all of it.
expect "pixels left behind by the typing" "$(ask stale)" 0

xdotool mousemove $(ask "point 1005") click 1
settle
xdotool key ctrl+a ctrl+c
eventually "PPI copied to the system clipboard" "xclip -o -selection clipboard 2>/dev/null" "489"

printf 1200 | xclip -i -selection clipboard
xdotool mousemove $(ask "point 1001") click 1
settle
xdotool key ctrl+v
eventually "Y pasted from the system clipboard" "ask 'text 1001'" '"1200"'
expect "PPI after the paste" "$(ask 'text 1005')" '"503"'

# Editing keys from the keyboard: the caret is behind the pasted 1200.
xdotool key Left Left BackSpace
eventually "PPI after Left, Left and Backspace took the 2 out of 1200" "ask 'text 1005'" '"427"'
xdotool key End shift+Home
xdotool type --delay 30 1080
eventually "PPI after End, Shift+Home and 1080 typed over the selection" "ask 'text 1005'" '"489"'
expect "pixels left behind by the editing keys" "$(ask stale)" 0

# The system menu from the keyboard, and the About box it opens.
xdotool key alt+space
sleep 0.3
xdotool key a
eventually "Alt+Space, A opens the About box" "ask 'dialogs'" "102 100"
xdotool key Return
eventually "Enter closes the About box" "ask 'dialogs'" "102"
expect "pixels left behind by the About box" "$(ask stale)" 0

xdotool key Escape
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Escape did not end the program"
wait "$app" || fail "the program exited with an error"
app=""
echo "1 passed, 0 failed"
