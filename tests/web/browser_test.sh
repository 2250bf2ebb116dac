#!/bin/bash
# The page in a real browser: Debian's Chromium, headless, driven over the
# DevTools protocol by puppeteer-core (from npm; it downloads no browser).
# Runs the end-to-end scripts through window.dotwise.driver, types with the
# browser's own keys, compares a screenshot of the dialog with the Linux
# window's, and uses the page as people meet it (a phone, high zoom, inputs in
# the address, failures to load, Orca).
#   tests/web/browser_test.sh [SITE-FOLDER [LINUX-PROGRAM]]   (default build/web/site)
# Exits 77, with the reason, where the browser or the page is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
site=${1:-$here/../../build/web/site}
linux=${2:-}
chromium=${CHROMIUM:-/usr/bin/chromium}
[ -x "$chromium" ] || { echo "skipped: no Chromium (Debian package chromium)"; exit 77; }
command -v node >/dev/null || { echo "skipped: no Node.js"; exit 77; }
[ -f "$site/index.html" ] || { echo "skipped: no page (cmake --preset web && cmake --build --preset web)"; exit 77; }
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
    (cd "$here" && npm ci --no-audit --no-fund --loglevel=error) || { echo "FAILED: npm could not install puppeteer-core"; exit 1; }
fi
export CHROMIUM=$chromium
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
node "$here/run_scripts.mjs" "$site" --skip "$here/known_web_differences.txt" || failed=1
node "$here/page_test.mjs" "$site" "$work/page.png" || failed=1
node "$here/page_uses_test.mjs" "$site" || failed=1
# With Orca, where the desktop's screen reader is installed.
bash "$here/orca_page_test.sh" "$site"
case $? in 0) ;; 77) echo "the page with Orca: skipped" ;; *) failed=1 ;; esac
if [ -n "$linux" ] && [ -f "$work/page.png" ]; then
    # The Linux window's picture of the same state: the fields as at start, the focus on OK.
    printf 'settext 1000 1280\nsettext 1001 720\nsettext 1004 4.5\nfocus 1\nscreenshot %s\n' "$work/window.png" | "$linux" --platform headless >/dev/null
    /usr/bin/python3 "$here/same_picture.py" "$work/page.png" "$work/window.png" || failed=1
    # On a system with no Chinese font the page brings its own copy of the dialog's face: the
    # same dialog, its text drawn from the face's outlines where the window draws its 12-pixel
    # bitmaps (without it, the dialog is 610 pixels wide, its labels empty boxes).
    if [ -f "$site/dotwise-song-cjk.woff2" ]; then
        mkdir -p "$work/fonts"
        printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>%s</cachedir></fontconfig>\n' \
            "$work/fonts/cache" > "$work/fonts/fonts.conf"
        FONTCONFIG_FILE="$work/fonts/fonts.conf" node "$here/page_shot.mjs" "$site" "$work/page-own-font.png" || failed=1
        echo -n "with no Chinese font on the system: "
        /usr/bin/python3 "$here/same_picture.py" "$work/page-own-font.png" "$work/window.png" 0.15 || failed=1
    else
        echo "note: the page has no font of its own (fontTools was missing at build time); not tried without a Chinese font"
    fi
fi
exit $failed
