#!/usr/bin/env bash
# What an idle program costs: wake-ups (voluntary context switches) and CPU
# time over 10 s, for the window without focus, the window with the keyboard
# and its caret in a field, the terminal back end, and the bare floors beside
# them, all in one run.
#   bench/idle.sh [BUILD-FOLDER] [SECONDS]
set -euo pipefail
build=${1:-build/default}
seconds=${2:-10}
for tool in Xvfb xdotool tmux; do command -v "$tool" >/dev/null || { echo "idle.sh needs $tool" >&2; exit 1; }; done

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
socket="dotwise-idle-$$"
cleanup() { exec 7>&- 2>/dev/null || true; tmux -L "$socket" kill-server 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export LC_ALL=C.UTF-8

# Wake-ups and CPU milliseconds of a process over the measuring time.
idle() {
  local pid=$1 name=$2 w0 w1 c0 c1 ticks
  ticks=$(getconf CLK_TCK)
  w0=$(awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$pid/status"); c0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$seconds"
  w1=$(awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$pid/status"); c1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  printf '%-30s %10s %10s\n' "$name" "$((w1 - w0))" "$(((c1 - c0) * 1000 / ticks))"
}
printf '%-30s %10s %10s\n' "idle for ${seconds} s" "wake-ups" "CPU (ms)"

"$build/bench/bare_sdl_window" &
bare=$!
sleep 1
idle "$bare" "bare SDL window"
kill "$bare"

mkfifo "$work/commands"
"$build/dotwise" --platform gui --driver <"$work/commands" >/dev/null 2>&1 &
app=$!
exec 7>"$work/commands"
sleep 1
idle "$app" "window, focus on a button"
window=$(xdotool search --name '^Dotwise' | head -n 1)
xdotool windowfocus "$window"
echo "focus 1000" >&7
sleep 1
idle "$app" "window, caret in a field"
exec 7>&-

tmux -L "$socket" new-session -d -s idle -x 100 -y 40 "$build/bench/bare_ncurses"
sleep 1
idle "$(tmux -L "$socket" display -p -t idle '#{pane_pid}')" "bare ncurses"
tmux -L "$socket" new-session -d -s app -x 100 -y 40 "env -u DISPLAY $build/dotwise --platform tui"
sleep 1
idle "$(tmux -L "$socket" display -p -t app '#{pane_pid}')" "terminal"
