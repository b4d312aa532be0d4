#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UBSan and warnings as errors, runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake ninja-build g++ qt6-base-dev libicu-dev libgtest-dev libbenchmark-dev
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQOSTREL_SANITIZE=ON -DQOSTREL_WERROR=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure
