#!/usr/bin/env bash
# Builds the game (installing what is missing when run as root) and starts it. The configure
# and build steps are quiet when they succeed; when one fails, its output is shown and the
# script ends with that step's status.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}"

# Runs a command with its output held back; prints the output only if the command fails.
quietly() {
    local output status=0
    output=$("$@" 2>&1) || status=$?
    if [ "$status" -ne 0 ]; then
        printf '%s\n' "$output" >&2
        exit "$status"
    fi
}

quietly cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=OFF \
    -DTARNWICK_BENCH=OFF
quietly ninja -C build tarnwick
exec build/tarnwick
