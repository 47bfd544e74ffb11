#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and
# UndefinedBehaviorSanitizer in ./build-sanitize (or $MORVANE_SANITIZE_DIR)
# and runs the whole suite there, end-to-end runs and fuzz harnesses
# included. Any report of either sanitizer ends the process that made it, so
# its test fails. -O1 keeps the build and the runs quick enough for CI.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${MORVANE_SANITIZE_DIR:-build-sanitize}
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
  # The shared precompiled headers: their defines and the build's own
  # time macros do not make two compilations differ.
  export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Warnings are the normal build's business: some only appear with the
# sanitizers' instrumentation and say nothing about the code.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DMORVANE_SANITIZE=ON -DMORVANE_WERROR=OFF \
  -DMORVANE_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/sanitizer/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" "$@"
