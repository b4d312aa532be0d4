#!/usr/bin/env bash
# Installs what is missing, builds Qostrel in Release with Debian's hardening
# flags and makes the .deb; prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake ninja-build g++ qt6-base-dev libicu-dev dpkg-dev file >&2
build=build-deb
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQOSTREL_TESTS=OFF -DQOSTREL_BENCHMARK=OFF >&2
cmake --build "$build" >&2
rm -f "$build"/qostrel_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$PWD/$build"/qostrel_*.deb
