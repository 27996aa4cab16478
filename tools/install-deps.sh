#!/bin/sh
# Installs the Debian packages given as arguments when any is missing; without root, prints the line to run.
missing=""
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root:"
    echo "  apt-get update && apt-get install -y$missing"
    exit 1
fi
echo "Installing:$missing"
apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
