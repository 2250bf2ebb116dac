# Shared by the window session tests: an Xvfb of their own, and the driver
# channel of a program started with --driver. Sourced after `work` (a scratch
# folder) and `fail` are defined.

# Starts Xvfb and exports its DISPLAY; its process id is in `xvfb`. The server
# writes its display number once it takes clients (-displayfd): until then
# nothing may connect, and a server that never gets there fails the test.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do
    grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null && break
    kill -0 "$xvfb" 2>/dev/null || fail "Xvfb did not start: $(tail -n 1 "$work/xvfb.log")"
    sleep 0.1
  done
  grep -q '^[0-9][0-9]*$' "$work/display" || fail "Xvfb did not report a display in 10 s"
  export DISPLAY=":$(cat "$work/display")"
  # What the program keeps between runs (its font choice) stays in the scratch folder.
  export XDG_CACHE_HOME="$work/cache"
  mkfifo "$work/commands"
}

# After the program was started reading "$work/commands" and writing
# "$work/answers", with its process id in `app`: opens the channel.
open_driver() { exec 7>"$work/commands"; }

# One command, one answer line: waits for the line count to grow, and fails
# the test when no answer comes in 5 s (never hands back an older answer).
ask() {
  local before
  before=$(wc -l <"$work/answers")
  echo "$1" >&7
  for _ in $(seq 100); do
    [ "$(wc -l <"$work/answers")" -gt "$before" ] && { tail -n 1 "$work/answers"; return; }
    kill -0 "$app" 2>/dev/null || fail "the program ended"
    sleep 0.05
  done
  fail "no answer to '$1' in 5 s"
}
expect() { [ "$2" = "$3" ] || fail "$1: expected $3, got $2"; echo "ok: $1 = $2"; }
# Input goes through a server at its own pace: asks again until the answer comes or time is up.
eventually() {
  local what=$1 command=$2 wanted=$3 got=""
  for _ in $(seq 50); do
    got=$(eval "$command") || true
    [ "$got" = "$wanted" ] && break
    sleep 0.1
  done
  expect "$what" "$got" "$wanted"
}
