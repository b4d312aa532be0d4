#!/usr/bin/env bash
# Installs what is missing, builds Qostrel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake ninja-build g++ qt6-base-dev libicu-dev fonts-wqy-microhei
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DQOSTREL_TESTS=OFF -DQOSTREL_BENCHMARK=OFF
cmake --build build-run --target qostrel
exec ./build-run/src/qostrel
