#!/usr/bin/env bash
# A person's session in a terminal: tmux at 100 x 40 with no display, keys
# sent with send-keys, the screen read with capture-pane.
set -euo pipefail
dotwise=${1:?usage: terminal_session_test.sh PATH-TO-DOTWISE}
command -v tmux >/dev/null || { echo "skipped: tmux is not installed"; exit 77; }
# tmux itself must read and write the screen as UTF-8, whatever locale the machine was left in.
export LC_ALL=C.UTF-8

socket="dotwise-test-$$"
t() { tmux -L "$socket" "$@"; }
modes=$(mktemp)
trap 't kill-server 2>/dev/null || true; rm -f "$modes"' EXIT
screen() { t capture-pane -t app -p; }
fail() { echo "FAILED: $*"; screen; exit 1; }
wait_for() {
  for _ in $(seq 60); do screen | grep -qF -- "$1" && return 0; sleep 0.1; done
  fail "never saw: $1"
}
line_of() { screen | grep -nF -- "$1" | head -n 1 | cut -d: -f1; }
cursor_line() { echo $(( $(t display -p -t app '#{cursor_y}') + 1 )); }
cursor_shown() { t display -p -t app '#{cursor_flag}'; }
# A left click as the terminal reports it (X10 mouse encoding), at a 0-based column and line.
code() { printf "\\$(printf '%03o' "$1")"; }
click() {
  t send-keys -t app -l "$(printf '\033[M'; code 32; code $((33 + $1)); code $((33 + $2)); printf '\033[M'; code 35; code $((33 + $1)); code $((33 + $2)))"
}
rclick() {
  t send-keys -t app -l "$(printf '\033[M'; code 34; code $((33 + $1)); code $((33 + $2)); printf '\033[M'; code 35; code $((33 + $1)); code $((33 + $2)))"
}
wait_gone() {
  for _ in $(seq 30); do screen | grep -qF -- "$1" || return 0; sleep 0.1; done
  fail "still shown: $1"
}
# The 0-based column where a text starts on the screen line holding it.
column_of() {
  local line prefix
  line=$(screen | grep -F -- "$1" | head -n 1)
  prefix=${line%%"$1"*}
  printf '%s' "$prefix" | LC_ALL=C.UTF-8 wc -L
}
# The PPI field's number as the screen shows it, once it settles on the expected value.
expect_ppi() {
  local ppi=""
  for _ in $(seq 30); do
    ppi=$(screen | grep -F "当前屏幕的 PPI" | awk '{print $NF}')
    [ "$ppi" = "$1" ] && break
    sleep 0.1
  done
  [ "$ppi" = "$1" ] || fail "PPI $2: expected $1, saw $ppi"
  echo "ok: PPI $2 = $1"
}
# The hardware cursor, which terminal screen readers follow, stands on TEXT (its first cell).
cursor_on() {
  local want_line want_column
  for _ in $(seq 30); do
    want_line=$(line_of "$1")
    want_column=$(column_of "$1")
    [ "$(cursor_shown)" = 1 ] && [ "$(cursor_line)" = "$want_line" ] && [ "$(t display -p -t app '#{cursor_x}')" = "$want_column" ] && break
    sleep 0.1
  done
  [ "$(cursor_shown)" = 1 ] || fail "$2: the cursor is hidden, expected it on $1"
  [ "$(cursor_line):$(t display -p -t app '#{cursor_x}')" = "$want_line:$want_column" ] ||
    fail "$2: the cursor is at line $(cursor_line), column $(t display -p -t app '#{cursor_x}'), not on $1 ($want_line:$want_column)"
  echo "ok: $2: the cursor is on $1"
}
check_focus() {
  for _ in $(seq 30); do
    [ "$(cursor_shown)" = 1 ] && [ "$(cursor_line)" = "$(line_of "$1")" ] && break
    sleep 0.1
  done
  [ "$(cursor_shown)" = 1 ] || fail "no caret, expected it on the line of $1"
  [ "$(cursor_line)" = "$(line_of "$1")" ] || fail "the caret is on line $(cursor_line), not on the line of $1"
  echo "ok: the focus reaches the field of $1"
}

# At the start the focus is on 确定: the button shows it in reverse video, and the X field,
# whose text is selected but which has no focus, shows no selection; in 256, 8 and no colours.
# (tmux writes each cell's look as SGR codes; 7 is reverse, 37;44 white on blue, the look of a selection.)
for term in tmux-256color xterm xterm-mono; do
  t new-session -d -s look -x 100 -y 40 "env -u DISPLAY -u WAYLAND_DISPLAY TERM=$term '$dotwise'"
  for _ in $(seq 60); do t capture-pane -t look -p | grep -qF "[>确定<]" && break; sleep 0.1; done
  looks=$(t capture-pane -t look -p -e)
  t kill-session -t look
  x_line=$(printf '%s\n' "$looks" | grep -F "X 方向像素")
  x_field=${x_line##*"(Pixel):"}
  x_field=${x_field%%1280*}
  ok_button=${x_line%%"[>确定<]"*}
  ok_button=${ok_button##* }
  case "$x_field" in *"[7m"*|*";7m"*|*"37m"*"44m"*) fail "$term: the X field looks selected without the focus: $(printf '%q' "$x_field")";; esac
  case "$ok_button" in *"[7m"*|*";7m"*|*"[7;"*|*";7;"*) ;; *) fail "$term: the focused 确定 is not in reverse video: $(printf '%q' "$ok_button")";; esac
  echo "ok: $term shows the focus on 确定 and no selection in X"
  # Disabled text looks different from enabled text even with neither colours nor dim text.
  if [ "$term" = xterm-mono ]; then
    enabled=$(printf '%s\n' "$looks" | grep -F "X 方向像素")
    disabled=$(printf '%s\n' "$looks" | grep -F "X 方向长度")
    case "${enabled%%矩阵*}" in *"[1m"*|*"[1;"*) ;; *) fail "xterm-mono: an enabled label is not bold: $(printf '%q' "$enabled")";; esac
    case "${disabled%%矩阵*}" in *"[1m"*|*"[1;"*) fail "xterm-mono: a disabled label looks like an enabled one: $(printf '%q' "$disabled")";; esac
    echo "ok: xterm-mono tells disabled text from enabled text"
  fi
done

# States in text as well as looks, as a monochrome terminal or a reader of the screen's text needs
# them: a disabled field dotted, a disabled radio button dashed, and a mark before the focused
# field that follows the focus.
t new-session -d -s marks -x 100 -y 40 "env -u DISPLAY -u WAYLAND_DISPLAY TERM=xterm-mono '$dotwise'"
for _ in $(seq 60); do t capture-pane -t marks -p | grep -qF "[>确定<]" && break; sleep 0.1; done
marks=$(t capture-pane -t marks -p)
printf '%s\n' "$marks" | grep -F "X 方向长度" | grep -qF "··" || fail "xterm-mono: the disabled field is not dotted: $(printf '%s\n' "$marks" | grep -F 'X 方向长度')"
printf '%s\n' "$marks" | grep -qF "(-) 周长" || fail "xterm-mono: the disabled radio button has no dash"
! printf '%s\n' "$marks" | grep -qF "›" || fail "xterm-mono: a field is marked focused while 确定 has the focus"
t send-keys -t marks Tab Tab
for _ in $(seq 30); do t capture-pane -t marks -p | grep -qF "(Pixel): ›1280" && break; sleep 0.1; done
t capture-pane -t marks -p | grep -qF "(Pixel): ›1280" || fail "xterm-mono: no mark before the focused X field: $(t capture-pane -t marks -p | grep -F 'X 方向像素')"
t send-keys -t marks Tab
for _ in $(seq 30); do t capture-pane -t marks -p | grep -qF "(Pixel): ›720" && break; sleep 0.1; done
t capture-pane -t marks -p | grep -qF "(Pixel): ›720" || fail "xterm-mono: the mark did not follow the focus to Y"
[ "$(t capture-pane -t marks -p | grep -cF "›")" = 1 ] || fail "xterm-mono: more than one field is marked focused"
t kill-session -t marks
echo "ok: xterm-mono shows disabled fields and radio buttons, and the focused field, in text"

# A terminal that claims to be an xterm inside tmux: Home comes as ESC [ 1 ~, which the
# description does not name. It must move the caret, not close the dialog; and a sequence
# nobody knows is dropped whole.
t new-session -d -s keys -x 100 -y 40 "env -u DISPLAY -u WAYLAND_DISPLAY TERM=xterm-256color '$dotwise'; echo EXITED \$?; sleep 30"
for _ in $(seq 60); do t capture-pane -t keys -p | grep -qF "[>确定<]" && break; sleep 0.1; done
t send-keys -t keys Tab Tab 19 Home
t send-keys -t keys -l "$(printf '\033[99;7~')"
t send-keys -t keys 5
for _ in $(seq 30); do t capture-pane -t keys -p | grep -qE "\(Pixel\):[ ›]+519 " && break; sleep 0.1; done
t capture-pane -t keys -p | grep -qF "EXITED" && fail "Home or an unknown sequence closed the dialog"
t capture-pane -t keys -p | grep -qE "\(Pixel\):[ ›]+519 " || fail "Home did not move the caret to the start of 19: $(t capture-pane -t keys -p | grep -F 'X 方向')"
echo "ok: Home as ESC [ 1 ~ moves the caret, and an unknown sequence is dropped whole"
# A mouse report far outside any screen is no mouse at all: the typing goes on where it was.
t send-keys -t keys -l "$(printf '\033[<0;2147483647;2147483647M\033[<0;2147483647;2147483647m')"
t send-keys -t keys 7
for _ in $(seq 30); do t capture-pane -t keys -p | grep -qE "\(Pixel\):[ ›]+5719 " && break; sleep 0.1; done
t capture-pane -t keys -p | grep -qF "EXITED" && fail "a mouse report with huge coordinates ended the program"
t capture-pane -t keys -p | grep -qE "\(Pixel\):[ ›]+5719 " || fail "typing after a huge mouse report: $(t capture-pane -t keys -p | grep -F 'X 方向')"
t kill-session -t keys
echo "ok: a mouse report with huge coordinates is dropped"

# A stop and fg from an interactive shell: the shell turns bracketed paste off when it takes
# the terminal back, so the program must turn it on again, or a pasted newline would press 确定.
t new-session -d -s job -x 100 -y 40 "env -u DISPLAY -u WAYLAND_DISPLAY TERM=tmux-256color PS1='$ ' bash --norc -i"
t pipe-pane -t job "cat >>'$modes'"
t send-keys -t job "'$dotwise'; echo EXITED \$?" Enter
for _ in $(seq 60); do t capture-pane -t job -p | grep -qF "[>确定<]" && break; sleep 0.1; done
t send-keys -t job Tab Tab
# The program is the child the pane's shell started; no other run of the same build is signalled.
shell=$(t display -p -t job '#{pane_pid}')
pid=""
for _ in $(seq 30); do pid=$(pgrep -P "$shell" || true); [ -n "$pid" ] && break; sleep 0.1; done
[ -n "$pid" ] || fail "cannot find the program's process"
: >"$modes"
# In raw mode Ctrl+Z is a key (the fields' undo): a stop comes as a signal, as from a job-control shell.
kill -TSTP "$pid"
for _ in $(seq 30); do t capture-pane -t job -p | grep -qF "Stopped" && break; sleep 0.1; done
grep -qF "$(printf '\033[?2004l')" "$modes" || fail "bracketed paste was left on at the stop"
grep -qF "$(printf '\033[?1002l')" "$modes" || fail "mouse reporting was left on at the stop"
: >"$modes"
t send-keys -t job fg Enter
for _ in $(seq 60); do t capture-pane -t job -p | grep -qF "[确定]" && break; sleep 0.1; done
t capture-pane -t job -p | grep -qF "X 方向像素" || fail "the dialog was not drawn again after fg"
for _ in $(seq 30); do grep -qF "$(printf '\033[?2004h')" "$modes" && break; sleep 0.1; done
t set-buffer "88
"
t paste-buffer -p -t job
for _ in $(seq 30); do t capture-pane -t job -p | grep -qE "\(Pixel\):[ ›]+88 " && break; sleep 0.1; done
t capture-pane -t job -p | grep -qF "EXITED" && fail "a paste after fg pressed 确定 and closed the calculator"
t capture-pane -t job -p | grep -qE "\(Pixel\):[ ›]+88 " || fail "the paste after fg did not reach X"
echo "ok: after a stop and fg the modes are on again, and a paste stays a paste"

# A signal that ends the program puts the terminal back: its own screen, a cursor, no mouse reports.
kill -USR1 "$pid"
for _ in $(seq 30); do t capture-pane -t job -p | grep -qF "EXITED" && break; sleep 0.1; done
[ "$(t display -p -t job '#{alternate_on}')" = 0 ] || fail "SIGUSR1 left the terminal in the program's screen"
[ "$(t display -p -t job '#{cursor_flag}')" = 1 ] || fail "SIGUSR1 left the cursor hidden"
[ "$(t display -p -t job '#{mouse_any_flag}#{mouse_button_flag}#{mouse_standard_flag}')" = 000 ] || fail "SIGUSR1 left mouse reporting on"
t kill-session -t job
echo "ok: SIGUSR1 restores the terminal"

t new-session -d -s app -x 100 -y 40 "env -u DISPLAY -u WAYLAND_DISPLAY TERM=tmux-256color '$dotwise'; echo EXITED \$?; sleep 30"
wait_for "Dotwise - "
wait_for "[>确定<]"
cursor_on "确定<]" "at the start"

# Tab follows the template: 确定, 取消, X, Y, diagonal, PPI, PPC, the capacity output and input.
t send-keys -t app Tab
cursor_on "取消" "after Tab"
t send-keys -t app Tab
check_focus "X 方向像素"
t send-keys -t app 1920 Tab
check_focus "Y 方向像素"
t send-keys -t app 1080 Tab
check_focus "对角线长度"
t send-keys -t app Tab
check_focus "当前屏幕的 PPI"
t send-keys -t app Tab
check_focus "当前屏幕的 PPC"
t send-keys -t app Tab Tab
check_focus "实际 G 数"
t send-keys -t app Tab Tab
cursor_on "取消" "Tab past the last field to the buttons"

expect_ppi 489 "for 1920 x 1080 at 4.5 inches"

# The mouse: a click into Y selects it, and typing replaces it.
click "$(column_of 1080)" $(( $(line_of "Y 方向像素") - 1 ))
check_focus "Y 方向像素"
t send-keys -t app 720
expect_ppi 455 "after a click into Y and 720 typed"

# Editing keys as the terminal sends them: the caret is behind 720.
t send-keys -t app Left Left BSpace
expect_ppi 426 "after Left, Left and Backspace took the 7 out of 720"
t send-keys -t app End S-Home 1080
expect_ppi 489 "after End, Shift+Home and 1080 typed over the selection"

# A paste from the terminal arrives whole, bracketed, into the focused field.
click "$(column_of 1920)" $(( $(line_of "X 方向像素") - 1 ))
check_focus "X 方向像素"
t send-keys -t app -l "$(printf '\033[200~1366\033[201~')"
expect_ppi 386 "after 1366 was pasted into X"

# The right button opens a field's context menu; Escape closes it.
rclick "$(column_of 1366)" $(( $(line_of "X 方向像素") - 1 ))
wait_for "全选(A)"
t send-keys -t app Escape
wait_gone "全选(A)"
echo "ok: a right click opens the context menu and Escape closes it"
# The keyboard's way to the same menu: Shift+F10, which terminals send as F22.
t send-keys -t app S-F10
wait_for "全选(A)"
t send-keys -t app Escape
wait_gone "全选(A)"
echo "ok: Shift+F10 opens the field's menu"

# The system menu's mark on the caption line, and an item chosen with the mouse.
click "$(column_of "[≡]")" $(( $(line_of "[≡]") - 1 ))
wait_for "关于 Dotwise(A)"
click "$(column_of "关于 Dotwise(A)")" $(( $(line_of "关于 Dotwise(A)") - 1 ))
wait_for "Dotwise 1.0 版"
t send-keys -t app Enter
wait_gone "Dotwise 1.0 版"
echo "ok: the caption's mark opens the system menu and a click chooses About"

t send-keys -t app M-Space
wait_for "关于 Dotwise(A)"
cursor_on "移动(M)" "in the system menu"
t send-keys -t app Down Down
cursor_on "关闭(C)" "on the item Down highlights"
t send-keys -t app Up
cursor_on "移动(M)" "on the item Up highlights"
t send-keys -t app a
wait_for "Dotwise 1.0 版"
cursor_on "确定<]  " "in the About box"
t send-keys -t app Enter
wait_gone "Dotwise 1.0 版"
t send-keys -t app M-Space
wait_for "关于 Dotwise(A)"
t send-keys -t app a
wait_for "Dotwise 1.0 版"
t send-keys -t app Enter
for _ in $(seq 30); do screen | grep -qF "Dotwise 1.0 版" || break; sleep 0.1; done
screen | grep -qF "Dotwise 1.0 版" && fail "Enter did not close the About box"
echo "ok: Alt+Space, A opens the About box and Enter closes it"

t send-keys -t app F2
wait_for "关于 Dotwise(A)"
t send-keys -t app Escape
echo "ok: F2 opens the system menu too"

# The close box: pressed and released on the [×] of the caption line.
close_column=$(( $(column_of "[×]") + 1 ))
click "$close_column" $(( $(line_of "[×]") - 1 ))
wait_for "EXITED 0"
[ "$(t display -p -t app '#{alternate_on}')" = 0 ] || fail "the terminal was left in the program's screen"
echo "ok: the close box ends the program and the terminal is restored"
echo "1 passed, 0 failed"
