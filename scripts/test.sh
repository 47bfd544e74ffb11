#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest; then
# the same suite again in a build with the address and undefined-behaviour
# sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --test-dir "${MORVANE_BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)"
bash scripts/test-sanitized.sh
