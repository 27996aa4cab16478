#!/bin/sh
# The Windows installer tried under Wine on a virtual display, as an operator would meet it: a silent
# install, the installed program started (its first start seeds the user's data folder), a second copy
# refused while the first runs, a copy killed while holding the guard not locking out the next, an install
# over the installed one, and an uninstall that leaves the user's files. Screenshots go to OUT.
# Usage: check-installer.sh INSTALLER OUT
set -eu
installer=$(realpath "${1:?installer}")
out=$(realpath -m "${2:?output folder}")
mkdir -p "$out"
rm -f "$out"/*.png

export WINEPREFIX="$out/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"

xvfb=""
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    true
}
trap cleanup EXIT
for d in $(seq 190 220); do [ -e "/tmp/.X$d-lock" ] || { display=$d; break; }; done
Xvfb ":$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"
unset QT_QPA_PLATFORM

failures=0
check() {
    if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

wineboot --init >/dev/null 2>&1 || true
wineserver --wait || true
drive_c="$WINEPREFIX/drive_c"
user_data=$(find "$drive_c/users" -maxdepth 3 -type d -path '*/AppData/Local' | head -n 1)/QV_md
installed="$drive_c/Program Files/QV_md"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QV_md'

# A visible window whose title matches, within the seconds given.
window() {
    for _ in $(seq $(($2 * 10))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

start_program() {
    (cd "$drive_c" && exec wine "C:\\Program Files\\QV_md\\bin\\QV_md.exe" >>"$out/program.log" 2>&1) &
    app=$!
}

echo "Installing silently"
wine "$installer" /S
wineserver --wait || true
check "the program is under Program Files" '[ -f "$installed/bin/QV_md.exe" ] && [ -f "$installed/bin/Qt6Core.dll" ]'
check "the defaults are kept apart from the program" '[ -f "$installed/share/qv-md/Data/Lang.dat" ] && [ ! -e "$installed/bin/Data" ]'
check "the Start menu has the program" 'ls "$menu"/QV_md*.lnk >/dev/null 2>&1'
check "Apps & features lists name, version and publisher" \
    'wine reg query "$key" 2>/dev/null | tr -d "\r" | grep -q "Publisher.*QV radio group" &&
     wine reg query "$key" 2>/dev/null | tr -d "\r" | grep -q "DisplayVersion.*[0-9]"'

echo "Starting the installed program"
start_program
first=$(window "^(QV_md|Marigold Day)$" 90 || true)
sleep 2
import -window root "$out/first-start.png"
check "the first start shows a window" '[ -n "$first" ]'
check "the first start seeded the user's data folder" '[ -f "$user_data/Data/Lang.dat" ] && [ -d "$user_data/Logs" ]'

echo "A second copy while the first runs"
(cd "$drive_c" && exec wine "C:\\Program Files\\QV_md\\bin\\QV_md.exe" >>"$out/program.log" 2>&1) &
second=$!
sleep 8
import -window root "$out/second-copy.png"
kill "$second" 2>/dev/null || true

echo "A copy killed while it holds the guard"
kill -9 "$app" 2>/dev/null || true
wineserver -k 2>/dev/null || true
wineserver --wait 2>/dev/null || true
app=""
start_program
again=$(window "^(QV_md|Marigold Day)$" 90 || true)
check "the next start is not locked out" '[ -n "$again" ]'
sleep 2
import -window root "$out/after-kill.png"
kill "$app" 2>/dev/null || true
wineserver -k 2>/dev/null || true
app=""

# The operator's own files, which neither an update nor an uninstall may touch.
printf '1\r\n' >"$user_data/Logs/Keep.Log"
echo "Installing over the installed program"
wine "$installer" /S
wineserver --wait || true
check "an install over it keeps the user's files" '[ -f "$user_data/Logs/Keep.Log" ] && [ -f "$installed/bin/QV_md.exe" ]'

echo "Uninstalling silently"
wine "$installed/Uninstall.exe" /S
wineserver --wait || true
sleep 3
check "the program is gone" '[ ! -e "$installed/bin" ] && [ ! -e "$installed/Uninstall.exe" ]'
check "the Start menu entry is gone" '! ls "$menu"/QV_md*.lnk >/dev/null 2>&1'
check "Apps & features no longer lists it" '! wine reg query "$key" >/dev/null 2>&1'
check "the user's files stay" '[ -f "$user_data/Logs/Keep.Log" ] && [ -f "$user_data/Data/Lang.dat" ]'

echo "Screenshots in $out"
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "All installer checks passed"
