#!/bin/sh
# The same keystrokes typed into the Linux program and into the Windows one under Wine, each on a virtual
# display of its own and in a portable folder of the same files, with the same frozen clock: the files
# they write must be byte-identical. Typed: the log opened, a duplicate refused, three roster stations
# written, a blank Enter, a fourth station written.
# Usage: compare-with-linux.sh LINUX_PROGRAM WINDOWS_PORTABLE_FOLDER OUT
set -eu
linux=$(realpath "${1:?Linux QV_md}")
windows=$(realpath "${2:?Windows portable folder}")
out=$(realpath -m "${3:?output folder}")
source=$(cd "$(dirname "$0")/../.." && pwd)
drive=${QVMD_DRIVE:-$source/../shared/tools/drive}
rm -rf "$out"
mkdir -p "$out"
export QVMD_FIXED_CLOCK=2026-05-01T10:11:12
export WINEPREFIX="$windows/../wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# A registered Lady station with its log in use holding four contacts, in English.
layout() {
    f=$1
    mkdir -p "$f/Data" "$f/Logs" "$f/Backup"
    cp "$source"/data/* "$f/Data/"
    printf '%s\r\n' 1000 >"$f/Data/Lang.dat"
    printf '%s\r\n' 1 1 5QV123 "MARIA GRAZIA DELL'ORTO" 01/05/2026 >"$f/Data/Prime.dat"
    printf '%s\r\n' 1 5QV123_MD_L_2026.Log L N 2026 5QV123 "MARIA GRAZIA DELL'ORTO" 5 QV 123 1 >"$f/Data/Use.dat"
    printf '%s\r\n' '##L' '#5QV123' "#MARIA GRAZIA DELL'ORTO" '#N' '#1' '#01/05/2026' '#5' '#QV' '#123' '#2026' '#LOG' \
        '1>5>1QV408>SARA FERRE>H>Canada>01/05/2026 08:12:40>N>' \
        '2>9>3QV2567>CATERINA BIANCHI>H>Agalega & St. Brandon>01/05/2026 09:31:05>N>' \
        '3>4>9QV467>MAITE PERO>L>Andaman & Nicobar Islands>01/05/2026 10:02:17>N>' \
        '4>12>4QV1919>G. DE ROSSI>H>Aland Islands>01/05/2026 11:45:51>N>' >"$f/Logs/5QV123_MD_L_2026.Log"
    printf '%s\r\n' 5 3 1 4 0 >"$f/Logs/Log.dat"
}

# Roster stations, so that a Find fills name and category and Enter in the received number writes.
stations=$(grep -ah '^[0-9]*QV[0-9]*>' "$source/data/Lady.dat" "$source/data/Hunter.dat" | grep -v '^5QV123>' |
    cut -d'>' -f1 | head -n 4)
script="$out/keys.txt"
{
    echo "wait ^Marigold 120"
    echo "sleep 2"
    echo "key space"
    echo "wait Log..Station 60"
    echo "sleep 2"
    echo "type 3"
    echo "key Return"
    echo "type 2567"
    echo "sleep 1"
    echo "key Escape"
    n=0
    for station in $stations; do
        n=$((n + 1))
        [ "$n" = 4 ] && { echo "key Return"; echo "sleep 1"; }
        echo "type ${station%%QV*}"
        echo "key Return"
        echo "type ${station#*QV}"
        echo "key Return"
        echo "sleep 1"
        echo "type $((n + 6))"
        echo "key Return"
        echo "sleep 2"
    done
    echo "shot written"
    echo "alive"
} >"$script"

layout "$out/linux"
cp "$linux" "$out/linux/QV_md"
"$drive" "$out/linux-run" -- "$out/linux/QV_md" <"$script"

mkdir -p "$out/windows"
cp -r "$windows"/. "$out/windows"
layout "$out/windows"
"$drive" "$out/windows-run" -- wine "$out/windows/QV_md.exe" <"$script"
wineserver -k 2>/dev/null || true

status=0
for file in Logs/5QV123_MD_L_2026.Log Logs/Log.dat Data/Use.dat Data/Prime.dat Data/Lang.dat; do
    if cmp -s "$out/linux/$file" "$out/windows/$file"; then
        echo "same  $file"
    else
        echo "DIFF  $file"
        status=1
    fi
done
lines=$(($(wc -l <"$out/linux/Logs/5QV123_MD_L_2026.Log") - 15))
echo "contacts written by the keystrokes: $lines"
[ "$lines" -ge 4 ] || { echo "fewer contacts than typed"; status=1; }
exit $status
