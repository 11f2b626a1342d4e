#!/usr/bin/env bash
# Builds everything into ./build-asan with AddressSanitizer and
# UndefinedBehaviorSanitizer (leak checks included) and runs every test there.
# The benchmarks are built too (not run), so that they keep compiling.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRAVIK_SANITIZE=ON -DPRAVIK_BUILD_BENCH=ON "$@"
cmake --build build-asan --parallel "$(nproc)"
ctest --test-dir build-asan --output-on-failure --timeout 1200
