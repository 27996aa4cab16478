#!/bin/sh
# Runs the core's Windows tests under Wine, without a display.
# Usage: run-tests.sh BUILD_DIR QT_PREFIX [gtest arguments...]
set -eu
build=$(realpath "${1:?build folder}")
qt=$(realpath "${2:?Qt for Windows}")
shift 2
tests="$build/tests/qvmd_core_tests.exe"
[ -f "$tests" ] || { echo "run-tests: $tests not built" >&2; exit 1; }

# A prefix of its own, made once per build folder (the first start takes a while).
export WINEPREFIX="$build/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -d "$WINEPREFIX" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver --wait || true
fi

# Qt's and MinGW's libraries are found through the path, as Windows finds them.
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
export WINEPATH="$(winepath -w "$qt/bin");$(winepath -w "$runtime");$(winepath -w "$(realpath "$pthread")")"

# Without a filter of the caller's, the cases the build lists as Linux-only are left out.
skip=$(cat "$build/tests/posix-only-cases.txt" 2>/dev/null || true)
case " $* " in
*--gtest_filter=*) ;;
*) [ -n "$skip" ] && set -- "--gtest_filter=-$skip" "$@" ;;
esac

cd "$build/tests"
status=0
wine "$tests" "$@" || status=$?
wineserver --wait || true
exit $status
