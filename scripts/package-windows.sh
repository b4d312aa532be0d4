#!/usr/bin/env bash
# Installs what is missing, builds qostrel.exe in Release with the mingw-w64
# toolchain and makes the zip operators download. Beside it: the zip's
# .sha256 and SHA256SUMS.txt, the SHA-256 of the qostrel.exe inside it, which
# operators compare with certutil. Prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake ninja-build g++-mingw-w64-x86-64-posix unzip >&2
# The zip stores 使用说明.txt's name as UTF-8, with the zip's UTF-8 flag, only
# under a UTF-8 locale; a fresh root shell has none set. C.UTF-8 is always there.
export LC_ALL=C.UTF-8
build=build-windows-zip
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DQOSTREL_TESTS=OFF -DQOSTREL_BENCHMARK=OFF >&2
cmake --build "$build" >&2
rm -f "$build"/qostrel-*-win64.zip "$build"/qostrel-*-win64.zip.sha256 "$build"/SHA256SUMS.txt
(cd "$build" && cpack -G ZIP >&2)
zip=$(ls "$PWD/$build"/qostrel-*-win64.zip)
echo "$(unzip -p "$zip" qostrel.exe | sha256sum | cut -d' ' -f1)  qostrel.exe" >"$build/SHA256SUMS.txt"
echo "$zip"
