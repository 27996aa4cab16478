#!/bin/sh
# Makes the locales given as arguments (e.g. it_IT.UTF-8) when the system lacks them; without root, prints
# the line to run. The screen-reader tests speak Italian through one.
missing=""
for l in "$@"; do
    short=$(echo "$l" | sed 's/\.UTF-8$/.utf8/')
    locale -a 2>/dev/null | grep -qix "$short" || missing="$missing $l"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing locales. Run as root:"
    for l in $missing; do echo "  localedef -i ${l%%.*} -c -f UTF-8 $l"; done
    exit 1
fi
for l in $missing; do
    echo "Making locale $l"
    localedef -i "${l%%.*}" -c -f UTF-8 "$l" || exit 1
done
