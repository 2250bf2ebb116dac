#!/usr/bin/env bash
# A person's session on a real window: Xvfb, the program started with no
# --platform (it must choose the window), xdotool for mouse and keys, xclip
# for the system clipboard, and the driver channel to read the fields back.
set -euo pipefail
dotwise=${1:?usage: window_session_test.sh PATH-TO-DOTWISE PATH-TO-X11-PEER}
peer=${2:?usage: window_session_test.sh PATH-TO-DOTWISE PATH-TO-X11-PEER}
for tool in Xvfb xdotool xclip; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
cleanup() {
  exec 7>&- 2>/dev/null || true
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "${manager:-}" ] && kill "$manager" 2>/dev/null || true
  [ -n "${stuck:-}" ] && kill "$stuck" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAILED: $*"; cat "$work/errors" 2>/dev/null; exit 1; }
source "$(dirname "$0")/session_lib.sh"
start_xvfb

# A peer program in the background, once it says it is in place.
start_peer() {
  "$peer" "$@" >"$work/peer.out" 2>&1 &
  peer_pid=$!
  for _ in $(seq 50); do grep -q ready "$work/peer.out" 2>/dev/null && return; sleep 0.1; done
  fail "x11_peer $1 did not start"
}
start_app() {
  : >"$work/answers"
  "$dotwise" --driver <"$work/commands" >"$work/answers" 2>"$work/errors" &
  app=$!
  open_driver
  for _ in $(seq 100); do xdotool search --name '^Dotwise' >/dev/null 2>&1 && break; sleep 0.1; done
  xdotool search --name '^Dotwise' >/dev/null || fail "no window appeared"
  # Keys go where the keyboard is: found is not yet focused, on a slow machine.
  timeout 5 xdotool windowfocus --sync "$(xdotool search --name '^Dotwise' | head -n 1)" 2>/dev/null || true
}
# The program ends on its own within a second, with status 0.
expect_exit() {
  for _ in $(seq 10); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "$1 did not end the program within a second"
  wait "$app" || fail "$1: the program exited with status $?"
  app=""
  exec 7>&-
  echo "ok: $1 ends the program"
}
# A click has reached the field once the focus is there (its select-all comes with it).
settle() { eventually "the focus in $1" "ask focused" "$1"; }
menu_open() { [ "$(ask openmenu)" != none ] && echo open || echo closed; }

start_peer manager
manager=$peer_pid
start_app

expect "start value of Y" "$(ask 'text 1001')" '"720"'
# Tools that read only WM_NAME get the caption in a type that carries Chinese.
expect "WM_NAME" "$("$peer" name "$(xdotool search --name '^Dotwise' | head -n 1)")" "COMPOUND_TEXT Dotwise - 像素密度与容量计算 (Dotwise 开发组, 2026)"
ask "settext 1001 1080" >/dev/null
xdotool mousemove $(ask "point 1000") click 1
settle 1000
xdotool type --delay 30 1920
eventually "PPI for 1920 x 1080 at 4.5 inches" "ask 'text 1005'" '"489"'
expect "PPC" "$(ask 'text 1006')" '"192"'
# Frames redraw only what changed; what the window shows must still be all of it.
expect "pixels left behind by the typing" "$(ask stale)" 0

xdotool mousemove $(ask "point 1005") click 1
settle 1005
xdotool key ctrl+a ctrl+c
eventually "PPI copied to the system clipboard" "xclip -o -selection clipboard 2>/dev/null" "489"
# Other programs' mistakes stay theirs: requests from a window destroyed at
# once and from one that never was. A paste after them is served in order,
# so the program has met both by then.
"$peer" impatient >/dev/null || fail "x11_peer impatient"
eventually "the clipboard served after requests from windows that are gone" "xclip -o -selection clipboard 2>/dev/null" "489"
expect "X after requests from windows that are gone" "$(ask 'text 1000')" '"1920"'

printf 1200 | xclip -i -selection clipboard
xdotool mousemove $(ask "point 1001") click 1
settle 1001
xdotool key ctrl+v
eventually "Y pasted from the system clipboard" "ask 'text 1001'" '"1200"'
expect "PPI after the paste" "$(ask 'text 1005')" '"503"'

# A picture on the clipboard: nothing is pasted, least of all what the program copied before.
printf '\211PNG\r\n' | xclip -i -selection clipboard -t image/png
xdotool mousemove $(ask "point 1000") click 1
settle 1000
# A 7 typed after the paste replaces the selection the paste left: anything pasted would stand before it.
xdotool key ctrl+v
xdotool type 7
eventually "X after a paste of a picture, then 7" "ask 'text 1000'" '"7"'
ask "settext 1000 1920" >/dev/null

# An owner that never answers: the menu opens, a paste pastes nothing, and the owner keeps the clipboard.
start_peer stuck "$work/lost"
stuck=$peer_pid
xdotool mousemove $(ask "point 1004") click 3
eventually "the field's menu opens while the owner never answers" menu_open open
expect "pixels left behind by a context menu opened with the mouse" "$(ask stale)" 0
xdotool key Escape
eventually "Escape closes the menu" menu_open closed
expect "pixels left behind by a context menu closed with Escape" "$(ask stale)" 0
xdotool mousemove $(ask "point 1000") click 1
settle 1000
xdotool key ctrl+v
xdotool type 7
eventually "X after a paste from an owner that never answers, then 7" "ask 'text 1000'" '"7"'
ask "settext 1000 1920" >/dev/null
[ -e "$work/lost" ] && fail "the clipboard was taken from an owner that did not answer"
echo "ok: the owner that never answered still owns the clipboard"
kill "$stuck"
stuck=""
# An owner whose targets name atoms that do not exist: the menu still reads the
# one it knows, and the program goes on.
start_peer madeup
stuck=$peer_pid
ask "rclick 1004" >/dev/null
expect "paste offered by an owner that names made-up atoms" "$(ask 'menu 粘贴')" "ok"
expect "the diagonal after a paste of nothing" "$(ask 'text 1004')" '"4.5"'
kill "$stuck"
stuck=""
# The same menu opened by the driver is drawn, and so is what it covered once an item is chosen.
ask "rclick 1004" >/dev/null
expect "pixels left behind by a context menu opened by the driver" "$(ask stale)" 0
ask "key A" >/dev/null
expect "pixels left behind by a context menu closed by its mnemonic" "$(ask stale)" 0

# Editing keys from the keyboard, the caret behind the pasted 1200.
xdotool mousemove $(ask "point 1001") click 1
settle 1001
xdotool key End
xdotool key Left Left BackSpace
eventually "PPI after Left, Left and Backspace took the 2 out of 1200" "ask 'text 1005'" '"427"'
xdotool key End shift+Home
xdotool type --delay 30 1080
eventually "PPI after End, Shift+Home and 1080 typed over the selection" "ask 'text 1005'" '"489"'
expect "pixels left behind by the editing keys" "$(ask stale)" 0

# The system menu from the keyboard, and the About box it opens.
xdotool key alt+space
eventually "Alt+Space opens the system menu" menu_open open
xdotool key a
eventually "Alt+Space, A opens the About box" "ask 'dialogs'" "102 100"
xdotool key Return
eventually "Enter closes the About box" "ask 'dialogs'" "102"
expect "pixels left behind by the About box" "$(ask stale)" 0

# A message box a driver command brings up is answered at once, as in the other back ends.
ask "click 1017" >/dev/null
eventually "the badge's message box reported" "grep -q '^messagebox ' '$work/answers' && echo reported" reported
expect "dialogs after the driver's click on a badge" "$(ask dialogs)" "102"

# What was copied last outlives the program, in the clipboard manager's keeping.
xdotool mousemove $(ask "point 1005") click 1
settle 1005
xdotool key ctrl+a ctrl+c
eventually "PPI copied again" "xclip -o -selection clipboard 2>/dev/null" "489"
xdotool key Escape
expect_exit "Escape"
expect "the copied PPI after the program ended" "$(timeout 5 xclip -o -selection clipboard 2>/dev/null)" "489"

# A termination request ends menus and closes every dialog, whatever is open.
start_app
xdotool key alt+space
eventually "Alt+Space opens the system menu" menu_open open
kill -TERM "$app"
expect_exit "SIGTERM with the system menu open"

start_app
xdotool mousemove $(ask "point 1004") click 3
eventually "a right click opens the field's menu" menu_open open
kill -TERM "$app"
expect_exit "SIGTERM with a context menu open"

# A job of its own, as from an interactive shell: a background job of a script ignores SIGINT.
set -m
start_app
set +m
xdotool key alt+space
eventually "Alt+Space opens the system menu" menu_open open
xdotool key a
eventually "the About box opens" "ask 'dialogs'" "102 100"
kill -INT "$app"
expect_exit "SIGINT with the About box open"

start_app
xdotool mousemove $(ask "point 1004") click 3
eventually "a right click opens the field's menu" menu_open open
"$peer" close "$(xdotool search --name '^Dotwise' | head -n 1)" >/dev/null
expect_exit "the window manager's close with a context menu open"
# The desktop's own scale: Xft.dpi in the X resource database, with no variable set.
for setting in "192 918x843" "144 690x633" "96 459x422"; do
  set -- $setting
  "$peer" resources "$(printf 'Xft.dpi:\t%s\n' "$1")" >/dev/null
  start_app
  size=$(xdotool search --name '^Dotwise' getwindowgeometry | sed -n 's/.*Geometry: //p')
  expect "the window's size with Xft.dpi $1" "$size" "$2"
  kill -TERM "$app"
  expect_exit "SIGTERM"
done
# Everything scales: at 1.5, 2 and 3 the badges' pictures and the radio marks are
# drawn that much larger than at 1 (within a pixel of rounding), and at 1 they are
# the size they always were.
if /usr/bin/python3 -c 'import PIL' 2>/dev/null; then
  for setting in "1 32x15 27x48 28x28 12x12" "1.5" "2" "3"; do
    set -- $setting
    scale=$1
    DOTWISE_SCALE=$scale start_app
    client=$(ask "rect dialog" | cut -d' ' -f3,4)
    read -r rx ry _ rh <<<"$(ask 'rect 1014')"
    ask "screenshot $work/scale$scale.png" >/dev/null
    sizes=$(/usr/bin/python3 "$(dirname "$0")/shot_measure.py" sizes "$work/scale$scale.png" $client \
              $(ask 'rect 1017') $(ask 'rect 1018') $(ask 'rect 1019') "$rx" "$ry" "$rh" "$rh" | tr ' \n' 'x ')
    sizes=${sizes% }
    if [ "$scale" = 1 ]; then
      expect "the badges' and a radio mark's drawn sizes at scale 1" "$sizes" "${*:2}"
      base=$sizes
    else
      verdict=$(awk -v s="$scale" -v base="$base" -v got="$sizes" 'BEGIN {
        gsub("x", " ", base); gsub("x", " ", got); n = split(base, b, " "); split(got, g, " ")
        for (i = 1; i <= n; i++) if (g[i] < b[i] * s - 1 || g[i] > b[i] * s + 1) { print "not " s " times " base; exit }
        print "scaled" }')
      expect "the badges and a radio mark at scale $scale ($sizes)" "$verdict" "scaled"
    fi
    kill -TERM "$app"
    expect_exit "SIGTERM"
  done
else
  echo "note: no Python imaging library (python3-pil): the screenshots at each scale are not measured"
fi
# A scale that makes the window larger than the screen: its top-left corner stays on it.
DOTWISE_SCALE=8 start_app
expect "the top-left corner of a window larger than the screen" \
  "$(xdotool search --name '^Dotwise' getwindowgeometry | sed -n 's/.*Position: \([-0-9]*\),\([-0-9]*\).*/\1 \2/p')" "0 0"
kill -TERM "$app"
expect_exit "SIGTERM"
# The desktop's high-contrast theme: disabled text in the scheme's readable green, and no change left behind.
GTK_THEME=HighContrast start_app
expect "a disabled label's colour under the desktop's high contrast" "$(ask 'color 1002')" "#00FF00"
expect "pixels left behind under high contrast" "$(ask stale)" 0
if /usr/bin/python3 -c 'import PIL' 2>/dev/null; then
  # The dialog's face, a field's inside and a button's lit edge, as the scheme has them.
  ask "screenshot $work/contrast.png" >/dev/null
  read -r fx fy _ <<<"$(ask 'rect 1000')"
  read -r bx by _ <<<"$(ask 'rect 1')"
  expect "the face, a field and a button's edge under high contrast" \
    "$(/usr/bin/python3 "$(dirname "$0")/shot_measure.py" pixels "$work/contrast.png" $(ask "rect dialog" | cut -d' ' -f3,4) 1 1 $((fx + 2)) $((fy + 9)) "$bx" "$by" | tr '\n' ' ')" \
    "#000000 #000000 #FFFFFF "
fi
kill -TERM "$app"
expect_exit "SIGTERM"
echo "1 passed, 0 failed"
