#!/bin/sh
# Installs the build into a scratch prefix and finds every file where a desktop looks for it: the command
# of the menu entry on the path, its icon in the hicolor theme, the metadata naming the entry, the manual
# page and the default data. Runs the desktop validators when they are installed.
# Usage: check_install.sh <build folder> <scratch folder> <source folder>
set -u
build=$1 scratch=$2 source=$3
prefix=$scratch/prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$scratch"
cmake --install "$build" --prefix "$prefix" >"$scratch.log" 2>&1 || { cat "$scratch.log"; echo "FAIL: install"; exit 1; }
share=$prefix/share
app=org.example.qvmd

desktop=$share/applications/$app.desktop
[ -f "$desktop" ] || fail "no desktop entry at $desktop"
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_cmd" ] || fail "the entry's command '$exec_cmd' is not in $prefix/bin"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon '$icon'"
for size in 16 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon"
        continue
    fi
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
done

metainfo=$share/metainfo/$app.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metadata at $metainfo"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" 2>/dev/null ||
    fail "the metadata does not name the desktop entry"
grep -q '@[A-Z_]*@' "$metainfo" 2>/dev/null && fail "unconfigured value in the metadata"

[ -f "$share/man/man1/QV_md.1.gz" ] || fail "no manual page"
for lang in it en; do
    [ -f "$share/doc/qv-md/manual/$lang/index.html" ] || fail "no user's manual in '$lang'"
done
[ -f "$share/man/man1/qvmd-check.1.gz" ] || fail "no manual page of qvmd-check"
# The installed checker finds its help, and its default data folder is the installed one.
help=$(LANG=C LC_ALL= "$prefix/bin/qvmd-check" --help 2>&1) || fail "qvmd-check --help: exit status $?"
case $help in *Usage:*"$share/qv-md/Data"*) ;; *) fail "qvmd-check --help says: $help" ;; esac
for file in "$source"/data/*; do
    name=$(basename "$file")
    cmp -s "$file" "$share/qv-md/Data/$name" || fail "default data file $name not installed as shipped"
done

if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
        { cat "$scratch/appstream.log"; fail "appstreamcli validate"; }
fi

# The installed program's first start makes the user's data folder and seeds it from the installed defaults.
home=$scratch/home
mkdir -p "$home"
HOME=$home XDG_DATA_HOME= XDG_CONFIG_HOME= XDG_DATA_DIRS=$scratch/none QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/QV_md" >"$scratch/run.log" 2>&1 &
program=$!
user=$home/.local/share/QV_md
seeded() {
    for file in "$source"/data/*; do
        [ -f "$user/Data/$(basename "$file")" ] || return 1
    done
}
for _ in $(seq 300); do
    seeded && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
for file in "$source"/data/*; do
    cmp -s "$file" "$user/Data/$(basename "$file")" || { fail "first start did not seed $(basename "$file")"; break; }
done
[ -d "$user/Logs" ] && [ -d "$user/Backup" ] || fail "first start made no Logs and Backup in $user"
[ -e "$prefix/bin/Data" ] && fail "the installed program used its own folder"

# Uninstalling removes every file the install put down.
cmake -DMANIFEST="$build/install_manifest.txt" -P "$source/cmake/Uninstall.cmake" >/dev/null ||
    fail "uninstall"
left=$(find "$prefix" -type f | head -5)
[ -z "$left" ] || fail "left after uninstall: $left"

if [ "$failures" -eq 0 ]; then
    echo "installed layout: every file where the desktop looks for it"
    rm -rf "$scratch" "$scratch.log"
    exit 0
fi
exit 1
