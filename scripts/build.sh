#!/usr/bin/env bash
# Configures and builds into ./build (or $DP_BUILD_DIR). Extra arguments go to cmake's
# configure step; ccache is used when it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${DP_BUILD_DIR:-build}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${DP_BUILD_TYPE:-RelWithDebInfo}" "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
