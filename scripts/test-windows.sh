#!/usr/bin/env bash
# Cross-builds Qostrel for Windows and runs its tests under Wine: the core with
# the code page 936 backend and every golden file byte for byte, the windows'
# behaviour, and the real Win32 windows, which need an X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake ninja-build g++-mingw-w64-x86-64-posix wine64 libgtest-dev xvfb xauth
build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DQOSTREL_BENCHMARK=OFF -DQOSTREL_WERROR=ON
cmake --build "$build"
export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(dpkg -L wine64 | grep -x '.*/wine/wine64')
wineserver=$(dpkg -L wine64 | grep -x '.*/wine/wineserver64')
# Each run starts its own wineserver: a client that meets the last run's
# server on its way out fails (recvmsg: Connection reset by peer).
"$wine" "$build/tests/qostrel_core_tests.exe"
"$wineserver" -k 2>/dev/null || true
"$wine" "$build/tests/qostrel_behaviour_tests.exe"
# Wine's desktop process outlives a run and keeps the display it started on:
# end it, so that the windows open on this X server.
"$wineserver" -k 2>/dev/null || true
xvfb-run -a sh -c '"$0" "$1"; status=$?; "$2" -k; exit $status' "$wine" "$build/tests/qostrel_win32_tests.exe" "$wineserver"
size=$(stat -c %s "$build/src/ui/win32/qostrel.exe")
echo "qostrel.exe: $size bytes"
((size <= 2 * 1024 * 1024))
