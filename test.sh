#!/usr/bin/env bash
# Builds the game and its tests (installing what is missing when run as root) and runs every
# test: unit and scenario tests, end-to-end tests on the real binary, and the benchmarks'
# byte targets.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build=${TARNWICK_BUILD_DIR:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_WERROR=ON \
    ${TARNWICK_CMAKE_ARGS:-} >/dev/null
ninja -C "$build" -j2
ctest --test-dir "$build" -j2 --output-on-failure
