#!/usr/bin/env bash
# Runs every fuzz harness for longer than the test suite does, in the
# sanitizer build (./build-sanitize or $MORVANE_SANITIZE_DIR, built here when
# needed): $1 seconds each (default 600), with a random seed unless
# $MORVANE_FUZZ_SEED is set. Inputs that fail are saved in
# <build>/fuzz-crashes; replay one with
#   <build>/fuzz/fuzz_<name> --runs 0 <build>/fuzz-crashes/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
build_dir=${MORVANE_SANITIZE_DIR:-build-sanitize}
seed=${MORVANE_FUZZ_SEED:-$RANDOM$RANDOM}
harnesses=(filter_language legacy_cal_ini settings_text code_page log_lines date_format ics_import)

if [[ ! -f $build_dir/build.ninja ]]; then
  # Configured as scripts/test-sanitized.sh does; only the harnesses are built.
  launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DMORVANE_SANITIZE=ON -DMORVANE_WERROR=OFF \
    -DMORVANE_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build_dir" --parallel "${MORVANE_JOBS:-$(nproc)}" --target "${harnesses[@]/#/fuzz_}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/sanitizer/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=Asia/Tokyo
failed=0
for name in "${harnesses[@]}"; do
  echo "== $name, $seconds s, seed $seed"
  "$build_dir/fuzz/fuzz_$name" --runs 1000000000 --seconds "$seconds" --seed "$seed" \
    --max-len 65536 --crash-dir "$build_dir/fuzz-crashes" "tests/fuzz/corpus/$name" || failed=1
done
exit $failed
