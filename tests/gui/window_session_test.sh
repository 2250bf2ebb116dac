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

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

mkfifo "$work/commands"
"$dotwise" --driver <"$work/commands" >"$work/answers" 2>"$work/errors" &
app=$!
exec 7>"$work/commands"

# One command, one answer line: wait for the line count to grow.
ask() {
  local before
  before=$(wc -l <"$work/answers")
  echo "$1" >&7
  for _ in $(seq 100); do
    [ "$(wc -l <"$work/answers")" -gt "$before" ] && break
    sleep 0.05
  done
  tail -n 1 "$work/answers"
}
settle() { sleep 0.3; ask "sel 1000" >/dev/null; }
fail() { echo "FAILED: $*"; cat "$work/errors"; exit 1; }
expect() { [ "$2" = "$3" ] || fail "$1: expected $3, got $2"; echo "ok: $1 = $2"; }
# Input goes through the X server at its own pace: ask again until the answer comes or time is up.
eventually() {
  local what=$1 command=$2 wanted=$3 got=""
  for _ in $(seq 50); do
    got=$(eval "$command")
    [ "$got" = "$wanted" ] && break
    sleep 0.1
  done
  expect "$what" "$got" "$wanted"
}

for _ in $(seq 100); do xdotool search --name '^Dotwise' >/dev/null 2>&1 && break; sleep 0.1; done
xdotool search --name '^Dotwise' >/dev/null || fail "no window appeared"

expect "start value of Y" "$(ask 'text 1001')" '"720"'
ask "settext 1001 1080" >/dev/null
xdotool mousemove $(ask "point 1000") click 1
settle
xdotool type --delay 30 1920
eventually "PPI for 1920 x 1080 at 4.5 inches" "ask 'text 1005'" '"489"'
expect "PPC" "$(ask 'text 1006')" '"192"'

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

xdotool key Escape
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Escape did not end the program"
wait "$app" || fail "the program exited with an error"
app=""
echo "1 passed, 0 failed"
