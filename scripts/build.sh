#!/usr/bin/env bash
# Configures and builds a Release tree in ./build (or $MORVANE_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${MORVANE_BUILD_DIR:-build}
launcher=()
if command -v ccache >/dev/null; then
  # Paths relative to the tree, so clones and work trees share the cache.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
  # The shared precompiled headers: their defines and the build's own
  # time macros do not make two compilations differ.
  export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
