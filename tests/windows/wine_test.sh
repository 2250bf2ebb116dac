#!/bin/bash
# The Windows build under Wine: a fresh prefix with the null graphics driver,
# one wineserver kept for the run, the end-to-end scripts (less the known
# Wine differences), the badges' icons through the platform's own
# CreateIconFromResourceEx, what a screen reader reads through MSAA, the
# dialog at 144 and 192 dpi, and, given the Linux program, random driver
# sessions on both builds compared answer by answer; the resources in English
# under an English locale and in Chinese under a Chinese one.
#   tests/windows/wine_test.sh [BUILD-FOLDER [LINUX-PROGRAM]]   (default build/windows)
# DOTWISE_SESSIONS sets how many random sessions run (300 by default).
# Wine runs as a Chinese user's Windows would, with LANG=zh_CN.UTF-8, when
# that locale is generated (see the README).
# Exits 77, with the reason, where Wine or the Windows build is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build/windows}" 2>/dev/null && pwd) || build=""
wine=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || true)
server=$(command -v wineserver || ls /usr/lib/wine/wineserver 2>/dev/null || true)
if [ -z "$wine" ] || [ -z "$server" ]; then
    echo "skipped: no 64-bit Wine (Debian package wine64)"
    exit 77
fi
if [ -z "$build" ] || [ ! -f "$build/dotwise.exe" ]; then
    echo "skipped: no Windows build (cmake --preset windows && cmake --build --preset windows)"
    exit 77
fi

linux=${2:-}
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The system's own texts (the edit's context menu) follow the Unix locale.
if locale -a 2>/dev/null | grep -qix 'zh_CN.utf-\?8'; then
    export LANG=zh_CN.UTF-8
else
    echo "note: the locale zh_CN.UTF-8 is not generated; Wine's own texts are in English"
fi
rm -rf "$WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
# The processes the boot started took the default driver: the setting counts from the next start.
"$server" -w
# One server for the whole run, so that each start is cheap.
setsid "$server" -p </dev/null >/dev/null 2>&1 &
trap '"$server" -k >/dev/null 2>&1' EXIT

failed=0
version=$("$wine" "$build/dotwise.exe" --version | tr -d '\r')
if [ "$version" = "Dotwise $(sed -n 's/^project(Dotwise VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")" ]; then
    echo "ok: --version says $version"
else
    echo "FAILED: --version says '$version'"
    failed=1
fi
# A write that fails is an error, not a success.
for option in --version --help; do
    if "$wine" "$build/dotwise.exe" "$option" >/dev/full 2>/dev/null; then
        echo "FAILED: $option into a full disk exited 0"
        failed=1
    else
        echo "ok: $option into a full disk exits with an error"
    fi
done
# A Windows program's lines end in CR LF; its own exit status counts, not the filter's.
windows_lines() {
    "$@" | tr -d '\r'
    return "${PIPESTATUS[0]}"
}
windows_lines "$wine" "$build/badge_icon_check.exe" || failed=1
# What a screen reader reads through MSAA, from a process of its own.
(cd "$build" && windows_lines timeout 120 "$wine" accessible_probe.exe dotwise.exe) || failed=1
# The display's scale (LogPixels): the dialog laid out from dialog units at it,
# within its font's rounding, and the badges drawn at it, to the pixel.
sizes() {
    printf 'rect dialog\nrect 1017\nrect 1018\nrect 1019\nquit\n' | "$wine" "$build/dotwise.exe" --driver | tr -d '\r' | awk 'NF == 4 { printf "%s %s ", $3, $4 }'
}
set_dpi() { "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
set_dpi 96
base=$(sizes)
for dpi in 144 192; do
    set_dpi "$dpi"
    scaled=$(sizes)
    verdict=$(awk -v f="$dpi" -v base="$base" -v scaled="$scaled" 'BEGIN {
        n = split(base, b, " "); m = split(scaled, s, " "); if (n != 8 || m != 8) { print "no answer"; exit }
        for (i = 1; i <= n; i++) { want = b[i] * f / 96; slack = i <= 2 ? want * 0.05 : 0.5
            if (s[i] < want - slack || s[i] > want + slack) { print "size " i " is " s[i] ", not " want; exit } }
        print "ok" }')
    if [ "$verdict" = ok ]; then
        echo "ok: at $dpi dpi the dialog and badges are ${scaled% } (at 96: ${base% })"
    else
        echo "FAILED: at $dpi dpi: $verdict (sizes ${scaled% }; at 96: ${base% })"
        failed=1
    fi
done
set_dpi 96
"$here/../e2e/run_scripts.sh" --skip "$here/known_wine_differences.txt" -- "$wine" "$build/dotwise.exe" --driver || failed=1
# The platform's loader picks the resources in the user's language: English for
# an English user, Chinese for a Chinese one, with nothing in the program choosing.
for setting in "en_US.UTF-8|Dotwise - Pixel Density and Capacity (Dotwise team, 2026)|OK" \
               "zh_CN.UTF-8|Dotwise - 像素密度与容量计算 (Dotwise 开发组, 2026)|确定"; do
    IFS='|' read -r locale caption ok <<<"$setting"
    if ! locale -a 2>/dev/null | grep -qix "${locale%.UTF-8}.utf-\?8"; then
        echo "note: the locale $locale is not generated; the resources' language under it is not checked"
        continue
    fi
    labels=$(printf 'labels\n' | LANG=$locale "$wine" "$build/dotwise.exe" --driver 2>/dev/null | tr -d '\r' | head -n 2 | tr '\n' '|')
    if [ "$labels" = "caption \"$caption\"|1 \"$ok\"|" ]; then
        echo "ok: under LANG=$locale the dialog is \"$caption\""
    else
        echo "FAILED: under LANG=$locale the dialog says: $labels"
        failed=1
    fi
done
if [ -n "$linux" ]; then
    python3 "$here/random_sessions.py" --count "${DOTWISE_SESSIONS:-300}" \
        -- --first "$linux" --platform headless --second "$wine" "$build/dotwise.exe" --driver || failed=1
fi
exit $failed
