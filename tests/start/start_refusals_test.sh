#!/usr/bin/env bash
# The command line, and what the program does where it cannot run as asked: no
# display, a terminal that cannot show it, input that ends at once, output that
# cannot be written.
# Each case must end quickly with one clear line, never hang or spin.
set -uo pipefail
dotwise=${1:?usage: start_refusals_test.sh PATH-TO-DOTWISE}
command -v script >/dev/null || { echo "skipped: script(1) is not installed"; exit 77; }
export LC_ALL=C.UTF-8
passed=0 failed=0
err=$(mktemp) && trap 'rm -f "$err" "$err.tty"' EXIT

# expect NAME STATUS PATTERN COMMAND...: the command ends within 5 s with STATUS,
# and its standard error is one line matching PATTERN (or empty for "").
expect() {
  local name=$1 status=$2 pattern=$3; shift 3
  timeout 5 "$@" >/dev/null 2>"$err"
  local got=$?
  local lines; lines=$(grep -c '' "$err")
  if [ "$got" != "$status" ]; then
    echo "FAILED: $name: exit $got, expected $status"; cat "$err"; failed=$((failed + 1)); return
  fi
  if [ -n "$pattern" ] && { [ "$lines" != 1 ] || ! grep -qE -- "$pattern" "$err"; }; then
    echo "FAILED: $name: expected one line matching '$pattern', got:"; cat "$err"; failed=$((failed + 1)); return
  fi
  echo "ok: $name"; passed=$((passed + 1))
}

nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR)
expect "window without a display" 2 "no display could be opened.*--platform" "${nodisplay[@]}" "$dotwise" --platform gui
expect "window with a stale DISPLAY" 2 "no display could be opened.*--platform" env -u WAYLAND_DISPLAY DISPLAY=:97 "$dotwise" --platform gui
expect "window that would fall back to an invisible driver" 2 "no display could be opened" env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR=/tmp "$dotwise" --platform gui
expect "automatic choice with a stale DISPLAY and no terminal" 2 "no display could be opened.*headless" env -u WAYLAND_DISPLAY DISPLAY=:97 "$dotwise"
expect "an empty --platform= value" 2 "takes gui, tui or headless" "$dotwise" --platform=
expect "an unknown option" 2 "unknown option '--bogus'; see dotwise --help" "$dotwise" --bogus
for scale in 9 abc 0.3 1.5x ""; do
  expect "DOTWISE_SCALE='$scale'" 2 "DOTWISE_SCALE must be a number from 0.5 to 8, not '$scale'" env DOTWISE_SCALE="$scale" "$dotwise" --platform headless
done
expect "--driver with the terminal" 2 "--driver reads standard input" "$dotwise" --driver --platform tui
expect "--help" 0 "" "$dotwise" --help
"$dotwise" --help | grep -q "DOTWISE_LOCALE_SGROUPING" || { echo "FAILED: --help names no environment"; failed=$((failed + 1)); }
expect "--version" 0 "" "$dotwise" --version
[ "$("$dotwise" --version)" = "Dotwise 1.0.0.1" ] || { echo "FAILED: --version says $("$dotwise" --version)"; failed=$((failed + 1)); }
for option in --help --version; do
  expect "$option into a full disk" 1 "cannot write to standard output" sh -c "'$dotwise' $option >/dev/full"
done
expect "terminal back end writing to a file" 2 "standard output is not a terminal" "$dotwise" --platform tui
# In a terminal made by script(1), which reports the program's status; the one line goes to a file.
expect "a dumb terminal" 2 "" script -qec "env TERM=dumb '$dotwise' --platform tui 2>'$err.tty'" /dev/null
grep -q "cannot move the cursor" "$err.tty" || { echo "FAILED: a dumb terminal: no reason given"; cat "$err.tty"; failed=$((failed + 1)); }
expect "an unknown terminal type" 2 "" script -qec "env TERM=no-such-terminal '$dotwise' --platform tui 2>'$err.tty'" /dev/null
grep -q "is not known" "$err.tty" || { echo "FAILED: an unknown terminal type: no reason given"; cat "$err.tty"; failed=$((failed + 1)); }
long_term=$(printf 'x%.0s' $(seq 5000))
expect "a TERM of 5000 characters" 2 "" script -qec "env TERM=$long_term '$dotwise' --platform tui 2>'$err.tty'" /dev/null
grep -q "TERM names no terminal type (a name of 5000 characters)" "$err.tty" || { echo "FAILED: a TERM of 5000 characters: $(cut -c1-200 "$err.tty")"; failed=$((failed + 1)); }
expect "terminal input that ends at once" 0 "" script -qec "env TERM=xterm-256color '$dotwise' --platform tui </dev/null" /dev/null
expect "driver output that cannot be written" 1 "cannot write" sh -c "printf 'state\n' | '$dotwise' --platform headless >/dev/full"

# A damaged installation: a module missing, or cut short, is named with every place tried.
install=$(mktemp -d) && trap 'rm -rf "$err" "$err.tty" "$install"' EXIT
cp "$dotwise" "$install/dotwise"
module_dir=$(dirname "$dotwise")
expect "the window module missing" 1 "cannot load the window back end: the installation is incomplete: $install/dotwise-window.so: no such file; .*dotwise-window.so: no such file" \
  env DISPLAY=:97 "$install/dotwise" --platform gui
head -c 20000 "$module_dir/dotwise-window.so" >"$install/dotwise-window.so"
expect "the window module cut short" 1 "cannot load the window back end: the installation is damaged: $install/dotwise-window.so: the file is cut short" \
  env DISPLAY=:97 "$install/dotwise" --platform gui
head -c 3500 "$module_dir/dotwise-terminal.so" >"$install/dotwise-terminal.so"
expect "the terminal module cut short" 1 "" script -qec "env TERM=xterm-256color '$install/dotwise' --platform tui 2>'$err.tty'" /dev/null
grep -q "cannot load the terminal back end: the installation is damaged: .*cut short" "$err.tty" || { echo "FAILED: a cut-short terminal module: no reason given"; cat "$err.tty"; failed=$((failed + 1)); }

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
