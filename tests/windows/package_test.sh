#!/bin/bash
# The Windows download under Wine, as a user would take it: the zip holds the
# stripped program with its README and licence; the installer installs
# silently (/S) with a Start-menu shortcut and an entry among the installed
# programs, the installed program answers, and the silent uninstall leaves
# nothing behind.
#   tests/windows/package_test.sh [BUILD-FOLDER]   (default build/windows, after cpack --preset windows)
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build/windows}" 2>/dev/null && pwd) || { echo "no build folder"; exit 1; }
wine=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || true)
server=$(command -v wineserver || ls /usr/lib/wine/wineserver 2>/dev/null || true)
[ -n "$wine" ] && [ -n "$server" ] || { echo "skipped: no 64-bit Wine (Debian package wine64)"; exit 77; }
zip=$(ls "$build"/dotwise-*-win64.zip 2>/dev/null | head -n 1)
installer=$(ls "$build"/dotwise-*-win64.exe 2>/dev/null | head -n 1)
[ -n "$zip" ] && [ -n "$installer" ] || { echo "skipped: no Windows packages (cpack --preset windows)"; exit 77; }

failed=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; return 1; fi; }

listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
check "the zip holds dotwise.exe, README.txt and LICENSE.txt" '[ "$listing" = "LICENSE.txt README.txt dotwise.exe " ]'
unpacked=$(mktemp -d)
unzip -q "$zip" -d "$unpacked"
check "the zipped program has no debug sections" '! x86_64-w64-mingw32-objdump -h "$unpacked/dotwise.exe" | grep -q "\.debug"'
check "README.txt has Windows line ends" 'grep -q $'"'"'\r$'"'"' "$unpacked/README.txt"'
rm -rf "$unpacked"

export WINEPREFIX="$build/package-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
"$server" -w
trap '"$server" -k >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dotwise'
folder="$WINEPREFIX/drive_c/Program Files/Dotwise"
"$wine" "$installer" /S >/dev/null 2>&1
"$server" -w
for file in dotwise.exe README.txt LICENSE.txt Uninstall.exe; do
  check "installed: $file" '[ -f "$folder/$file" ]'
done
shortcut=$(find "$WINEPREFIX/drive_c" -name 'Dotwise.lnk' -path '*Start Menu*' | head -n 1)
check "a Start-menu shortcut" '[ -n "$shortcut" ]'
entry=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r')
check "listed among the installed programs with its version" 'printf "%s\n" "$entry" | grep -qE "DisplayVersion\s+REG_SZ\s+[0-9]"'
check "and its publisher" 'printf "%s\n" "$entry" | grep -qE "Publisher\s+REG_SZ\s+Dotwise developers"'
answer=$(printf 'focus 1000\ntype 1920\nfocus 1001\ntype 1080\ntext 1005\n' | "$wine" "$folder/dotwise.exe" --driver 2>/dev/null | tr -d '\r' | tail -n 1)
check "the installed program answers 489 for 1920 x 1080 at 4.5 in" '[ "$answer" = "\"489\"" ]'
"$server" -w

# The uninstaller copies itself away and runs from there: wait for it.
"$wine" "C:\\Program Files\\Dotwise\\Uninstall.exe" /S >/dev/null 2>&1
"$server" -w
for _ in $(seq 100); do [ -e "$folder" ] || break; sleep 0.2; done
check "uninstalled: the folder is gone" '[ ! -e "$folder" ]'
check "uninstalled: the shortcut is gone" '[ -z "$(find "$WINEPREFIX/drive_c" -name Dotwise.lnk)" ]'
check "uninstalled: no longer listed" '! "$wine" reg query "$key" >/dev/null 2>&1'
# Uninstalling while the program runs removes nothing, and says so; once it has ended, everything.
"$wine" "$installer" /S >/dev/null 2>&1
"$server" -w
mkfifo "$WINEPREFIX/commands"
"$wine" "$folder/dotwise.exe" --driver <"$WINEPREFIX/commands" >"$WINEPREFIX/answers" 2>/dev/null &
running=$!
exec 8>"$WINEPREFIX/commands"
echo "text 1000" >&8
# Wine starts its server and services anew here, which a busy machine has taken over 20 s to do.
for _ in $(seq 300); do grep -q 1280 "$WINEPREFIX/answers" && break; sleep 0.2; done
check "the installed program runs" 'grep -q 1280 "$WINEPREFIX/answers"' || echo "  its answers: $(head -c 200 "$WINEPREFIX/answers")"
# The uninstaller runs from a copy of itself in Temp: the copy has begun once it is
# written there, and has ended once no process of it is left (the running program
# keeps Wine's server up, so the server cannot tell).
touch "$WINEPREFIX/before-uninstall"
"$wine" "C:\\Program Files\\Dotwise\\Uninstall.exe" /S >/dev/null 2>&1
copied() { find "$WINEPREFIX/drive_c/users" -cnewer "$WINEPREFIX/before-uninstall" -name 'Un*.exe' 2>/dev/null | grep -q .; }
for _ in $(seq 300); do copied && break; sleep 0.1; done
check "the uninstaller's copy ran" copied
for _ in $(seq 200); do pgrep -f '\\Un(_A)?\.exe' >/dev/null || break; sleep 0.1; done
check "uninstalling a running program keeps it listed" '"$wine" reg query "$key" >/dev/null 2>&1'
check "and keeps the program and its shortcut" '[ -f "$folder/dotwise.exe" ] && [ -n "$(find "$WINEPREFIX/drive_c" -name Dotwise.lnk)" ]'
exec 8>&-
wait "$running"
"$wine" "C:\\Program Files\\Dotwise\\Uninstall.exe" /S >/dev/null 2>&1
"$server" -w
for _ in $(seq 100); do [ -e "$folder" ] || break; sleep 0.2; done
check "once it has ended, the uninstall removes it all" '[ ! -e "$folder" ] && ! "$wine" reg query "$key" >/dev/null 2>&1'

# A second install into another folder takes the place of the first: one copy, listed.
"$wine" "$installer" /S >/dev/null 2>&1
"$server" -w
"$wine" "$installer" /S '/D=C:\Elsewhere' >/dev/null 2>&1
"$server" -w
other="$WINEPREFIX/drive_c/Elsewhere"
check "a second install into another folder removes the first" '[ ! -e "$folder" ] && [ -f "$other/dotwise.exe" ]'
check "and is the one listed" '"$wine" reg query "$key" /v UninstallString 2>/dev/null | grep -qi "Elsewhere"'
"$wine" "C:\\Elsewhere\\Uninstall.exe" /S >/dev/null 2>&1
"$server" -w
for _ in $(seq 100); do [ -e "$other" ] || break; sleep 0.2; done
check "and its uninstall leaves nothing" '[ ! -e "$other" ] && ! "$wine" reg query "$key" >/dev/null 2>&1'
[ "$failed" = 0 ] && echo "the Windows download checks passed"
exit $failed
