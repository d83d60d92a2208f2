#!/usr/bin/env bash
# Builds and runs every test twice: in the normal build, then under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh --all build -DTESSALY_WERROR=ON
(cd build && ctest --output-on-failure -j "$(nproc)")

scripts/build.sh --all build-asan -DTESSALY_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DTESSALY_WERROR=ON
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure -j "$(nproc)")
