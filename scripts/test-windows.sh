#!/usr/bin/env bash
# Cross-builds the core and its tests for Windows and runs them under Wine:
# the code page 936 backend, and every golden file byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake ninja-build g++-mingw-w64-x86-64-posix wine64 libgtest-dev
build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DQOSTREL_UI=OFF -DQOSTREL_BENCHMARK=OFF -DQOSTREL_WERROR=ON
cmake --build "$build" --target qostrel_core_tests
export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(dpkg -L wine64 | grep -x '.*/wine/wine64')
"$wine" "$build/tests/qostrel_core_tests.exe"
