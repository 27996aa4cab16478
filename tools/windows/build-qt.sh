#!/bin/sh
# Cross-builds the Qt modules the program uses for 64-bit Windows from Debian's own qt6-base sources,
# into a cache folder that later runs reuse: CACHE/qt6 is the installed Qt, CACHE/qt6/.complete marks it done.
# Usage: build-qt.sh CACHE_DIR [JOBS]
set -eu
cache=$(realpath -m "${1:?cache folder}")
jobs=${2:-$(nproc)}
here=$(cd "$(dirname "$0")" && pwd)
prefix="$cache/qt6"

if [ -f "$prefix/.complete" ]; then
    echo "Qt for Windows: reusing $prefix"
    exit 0
fi
mkdir -p "$cache"

# The sources: a deb-src entry beside each of the machine's own Debian entries (other vendors' archives
# serve no sources, and a failing entry would stop the update).
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        case "$f" in *-qvmd-src.sources) continue ;; esac
        grep -q '^Types: deb$' "$f" && grep -q 'debian-archive-keyring' "$f" || continue
        sed 's/^Types: deb$/Types: deb-src/' "$f" > "${f%.sources}-qvmd-src.sources"
    done
    if [ -f /etc/apt/sources.list ]; then
        grep '^deb .*debian' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/qvmd-src.list || true
    fi
    apt-get update -q
fi

src=$(ls -d "$cache"/src/qt6-base-*/ 2>/dev/null | head -n 1 || true)
if [ -z "$src" ]; then
    rm -rf "$cache/src"
    mkdir -p "$cache/src"
    (cd "$cache/src" && apt-get source -q qt6-base)
    src=$(ls -d "$cache"/src/qt6-base-*/ | head -n 1)
fi

# Only what the program and its tests use. Two traps of 6.4.2's sources: Debian removed the tablet
# headers the Windows plugin includes, and the plugin does not compile without OpenGL (dynamic here).
build="$cache/build"
cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_tabletevent=OFF \
    -DINPUT_openssl=no -DFEATURE_schannel=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_doubleconversion=OFF
cmake --build "$build" --parallel "$jobs"
cmake --install "$build"
touch "$prefix/.complete"
echo "Qt for Windows: installed in $prefix"
