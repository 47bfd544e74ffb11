#!/usr/bin/env bash
# Builds and runs every benchmark; figures go to stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build_dir=${MORVANE_BUILD_DIR:-build}
# The helpers beside them (data file writer, bare calendar) are not benchmarks.
for bench in "$build_dir"/benchmarks/*_benchmark; do
  [[ -f $bench && -x $bench ]] || continue
  echo "== $(basename "$bench")"
  "$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
for script in benchmarks/*.sh; do
  [[ -f $script ]] || continue
  echo "== $(basename "$script")"
  bash "$script" "$build_dir"
done
