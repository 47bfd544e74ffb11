#!/usr/bin/env bash
# Configures and builds a Release tree in ./build (or $MORVANE_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${MORVANE_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_WERROR=ON >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
