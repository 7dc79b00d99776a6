#!/usr/bin/env bash
# Configures and builds into ./build (or $DP_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${DP_BUILD_DIR:-build}"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${DP_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
