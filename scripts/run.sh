#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calendar.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec ./"${MORVANE_BUILD_DIR:-build}"/bin/morvane
