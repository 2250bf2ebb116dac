#!/bin/bash
# Every static's text fits its rectangle, in each language, in the main dialog
# and the About box: measured on a picture of them drawn with the window's
# font, as a reader would see them cut.
#   tests/gui/labels_fit_test.sh PROGRAM [PICTURE-FOLDER]
# The pictures (main-zh.png, about-en.png, ...) are kept in PICTURE-FOLDER
# when one is given. Exits 77 without the Python imaging library.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
/usr/bin/python3 -c 'import PIL' 2>/dev/null || { echo "skipped: no Python imaging library (python3-pil)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pictures=${2:-$work}
failed=0
# The commands that open each dialog.
declare -A open=([main]="" [about]=$'key Alt+Space\nkey A')
for language in zh en; do
    for dialog in main about; do
        setting=$([ "$language" = zh ] && echo C || echo en)
        run() { printf '%s\n%s\n' "${open[$dialog]}" "$1" | LANGUAGE=$setting "$program" --platform headless | tail -n +$(($([ -n "${open[$dialog]}" ] && echo 2 || echo 0) + 1)); }
        labels=$(run labels)
        count=$(($(printf '%s\n' "$labels" | wc -l) - 2))
        [ "$count" -gt 0 ] || { echo "FAILED: no labels in the $dialog dialog ($language): $labels"; failed=1; continue; }
        picture="$pictures/$dialog-$language.png"
        commands="screenshot $picture"$'\n'"shotclient"
        for n in $(seq "$count"); do commands+=$'\n'"labelbox $n"; done
        answers=$(run "$commands")
        origin=$(printf '%s\n' "$answers" | sed -n 2p)
        boxes=$(printf '%s\n' "$answers" | tail -n "$count")
        verdicts=$(/usr/bin/python3 "$here/shot_measure.py" cut "$picture" $origin $(printf '%s\n' "$boxes" | sed 's/ button$/ skip/') | tr '\n' '|')
        IFS='|' read -ra verdict <<<"$verdicts"
        mapfile -t texts < <(printf '%s\n' "$labels" | sed -n "2,$((count + 1))p")
        mapfile -t aligns < <(printf '%s\n' "$boxes" | awk '{print $5}')
        cut=0
        for i in $(seq 0 $((count - 1))); do
            [ "${aligns[$i]}" = button ] && continue
            if [ "${verdict[$i]}" != ok ]; then
                echo "FAILED: ${texts[$i]} in the $dialog dialog ($language): ${verdict[$i]}"
                cut=1 failed=1
            fi
        done
        [ "$cut" = 0 ] && echo "ok: every static of the $dialog dialog ($language) fits"
    done
done
exit $failed
