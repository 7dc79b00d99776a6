#!/usr/bin/env bash
# Installs what is missing, builds DravikProbe and starts it against the virtual ECU.
# The program reads its settings only from param.bin in its working directory, so it
# runs in ./run, where a first param.bin chooses the in-process virtual ECU.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
root="$PWD"
mkdir -p run
cd run
if [ ! -f param.bin ]; then
  name="VIRTUAL-ECU"
  {
    printf 'DP'
    printf "\\x$(printf '%02x' ${#name})"
    printf '%s' "$name"
    head -c $((30 - ${#name})) /dev/zero
    printf '\x07'                 # 9600 bit/s
    printf '\x0a\x00\x00\x00'     # 10 updates a second
    printf '\xff\xff\xff\x00'     # titles white
    printf '\x00\x80\x00\x00'     # scales green
    printf '\xff\x00\x00\x00'     # needles red
    printf '\xff\xff\xff\x00'     # digits white
  } > param.bin
fi
exec "$root/${DP_BUILD_DIR:-build}/app/dravikprobe"
