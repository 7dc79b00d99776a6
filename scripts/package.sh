#!/usr/bin/env bash
# Builds a release of the program alone (no tests, no benchmarks) and packs it as a
# .deb in build-package/; prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
DP_BUILD_DIR=build-package DP_BUILD_TYPE=Release scripts/build.sh -DDP_BUILD_TESTS=OFF -DDP_BUILD_BENCH=OFF
(cd build-package && cpack -G DEB >/dev/null)
ls "$PWD"/build-package/dravikprobe_*.deb
