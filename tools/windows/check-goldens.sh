#!/bin/sh
# Runs the Windows qvmd-check.exe under Wine on every golden folder of the checker's tests and compares
# what it writes, byte for byte, with what the Linux checker was recorded writing.
# Usage: check-goldens.sh PORTABLE_FOLDER
set -eu
folder=$(realpath "${1:?portable folder}")
source=$(cd "$(dirname "$0")/../.." && pwd)
cases="$source/tests/fixtures/check"
export WINEPREFIX="$folder/../wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
scratch=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$scratch"' EXIT

failures=0
for case in "$cases"/*/; do
    name=$(basename "$case")
    [ -d "$case/expected" ] || continue
    out="$scratch/$name"
    # The recorded reports are Italian, the in-process default; the program would follow the system.
    args="--lang it $(cat "$case/args" 2>/dev/null || true)"
    status=0
    # shellcheck disable=SC2086
    wine "$folder/qvmd-check.exe" $args --data "$(winepath -w "$cases/data")" --out "$(winepath -w "$out")" \
        "$(winepath -w "$case/logs")" >"$scratch/$name.log" 2>&1 || status=$?
    problems=""
    [ "$status" = "$(cat "$case/expected/exit")" ] || problems="exit status $status"
    for expected in "$case"/expected/*; do
        file=$(basename "$expected")
        [ "$file" = exit ] && continue
        cmp -s "$expected" "$out/$file" || problems="$problems $file"
    done
    for written in "$out"/*; do
        [ -d "$written" ] && [ "$(basename "$written")" = certificates ] && continue
        [ -e "$case/expected/$(basename "$written")" ] || problems="$problems extra:$(basename "$written")"
    done
    # Certificates are PDFs: the same words in the same order, read back as the tests read them (Windows
    # sets each line a few points lower, by its own font metrics).
    for recorded in "$case"/pdf/*.txt; do
        [ -f "$recorded" ] || continue
        pdf="$out/certificates/$(basename "$recorded" .txt).pdf"
        cut -d' ' -f3- "$recorded" >"$scratch/recorded-words"
        if [ ! -f "$pdf" ] ||
            ! "$source/tools/windows/certificate-words.py" "$pdf" | cut -d' ' -f3- | cmp -s - "$scratch/recorded-words"; then
            problems="$problems certificates/$(basename "$pdf")"
        fi
    done
    if [ -z "$problems" ]; then
        echo "same  $name"
    else
        echo "DIFF  $name:$problems"
        failures=$((failures + 1))
    fi
done
wineserver --wait 2>/dev/null || true
[ "$failures" -eq 0 ] && echo "Every golden folder byte-identical" || { echo "$failures folder(s) differ"; exit 1; }
