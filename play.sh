#!/usr/bin/env bash
# Builds the game (installing what is missing when run as root) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=OFF \
    -DTARNWICK_BENCH=OFF >/dev/null
ninja -C build tarnwick >/dev/null
exec build/tarnwick
