#!/usr/bin/env bash
# Builds everything into ./build-asan with AddressSanitizer and
# UndefinedBehaviorSanitizer (leak checks included) and runs every test there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRAVIK_SANITIZE=ON "$@"
cmake --build build-asan --parallel "$(nproc)"
ctest --test-dir build-asan --output-on-failure --timeout 1200
