#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DDP_WERROR=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${DP_BUILD_DIR:-build}" --output-on-failure -j2
