#!/usr/bin/env bash
# Configures and builds into a folder (default: build); extra arguments go to CMake.
#
#   build.sh [--all] [DIR] [CMAKE ARGUMENTS...]
#
# Builds the two programs with their kits and the sound module, which is all the demo and the
# package need; with --all, the tests and benchmarks too.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(--target tessaly tallyfold)
if [[ "${1:-}" == "--all" ]]; then
    targets=()
    shift
fi
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
