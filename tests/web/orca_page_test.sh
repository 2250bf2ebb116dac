#!/usr/bin/env bash
# The page as a blind user meets it: Chromium on a desktop with Orca, the
# keyboard alone. Orca reads the page as it loads; Tab goes into the dialog,
# each field is heard by its label, role and value, typing is echoed, the
# results are heard once typing pauses, and a message box is read.
#   orca_page_test.sh SITE-FOLDER
set -euo pipefail
site=$(cd "${1:?usage: orca_page_test.sh SITE-FOLDER}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
chromium=${CHROMIUM:-/usr/bin/chromium}
[ -x "$chromium" ] || { echo "skipped: no Chromium (Debian package chromium)"; exit 77; }
ORCA_TEST_ARGS=("$@")
source "$here/../gui/orca_lib.sh"

port=$((20000 + RANDOM % 20000))
(cd "$site" && exec python3 -m http.server --bind 127.0.0.1 "$port") >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do
  python3 -c "import urllib.request, sys; urllib.request.urlopen(sys.argv[1])" "http://127.0.0.1:$port/index.html" 2>/dev/null && break
  sleep 0.1
done
# No sandbox where the tests run as root; no first-run or translation prompts, which a person would have dismissed.
setsid "$chromium" --no-sandbox --force-renderer-accessibility --user-data-dir="$work/profile" --no-first-run --disable-gpu \
  --disable-features=Translate --window-size=800,700 "http://127.0.0.1:$port/index.html?lang=zh" >/dev/null 2>&1 &
app=$!
hear "the page as it loads" "Finished loading Dotwise"
xdotool key Tab
hear "the button Tab moved to in the dialog" "取消 push button"
xdotool key Tab
hear "a field by its label, role and value" "矩阵的 X 方向像素(Pixel): entry 1280"
xdotool type 1920
hear "a typed key" "'1 "
hear "the last typed key" "'0 "
hear "the new results once the typing paused" "PPI .*: 455, .*PPC .*: 179"
xdotool key Tab
hear "the next field" "矩阵的 Y 方向像素(Pixel): entry 720"
xdotool key F1
hear "the message box's text" "本程序没有帮助文件。"
hear "its button" "确定 push button"
xdotool key Return
hear "the field the focus went back to" "矩阵的 Y 方向像素(Pixel): entry"
