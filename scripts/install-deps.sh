#!/usr/bin/env bash
# Installs the Debian 12 packages DravikProbe builds, tests and runs with; skips what is there.
set -euo pipefail
pkgs=(cmake g++ ninja-build dpkg-dev qt6-base-dev qt6-serialport-dev libqcustomplot-dev libgl-dev
      qt6-svg-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-texgyre fonts-dejavu
      clang libclang-rt-14-dev)  # clang and its runtimes: the fuzz targets (libFuzzer)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
