#!/usr/bin/env bash
# Builds the fuzz target with clang in build-fuzz and runs it for the given number of seconds
# (default 60) on a copy of the seed corpus and of the inputs of earlier findings. A finding
# (crash, sanitizer report, leak, or an input running over 10 s) is saved in build-fuzz/findings/
# and makes the script fail.
# Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages cmake ninja-build clang libclang-rt-14-dev libasound2-dev
seconds=${1:-60}
build=${TARNWICK_FUZZ_BUILD_DIR:-build-fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTARNWICK_FUZZ=ON -DTARNWICK_TESTS=OFF -DTARNWICK_BENCH=OFF >/dev/null
ninja -C "$build" -j2 fuzz_program

# The fuzzer adds what it finds to its working corpus; the seeds in the tree stay as they are.
corpus="$build/corpus"
findings="$build/findings"
mkdir -p "$corpus" "$findings"
cp tests/fuzz/corpus/* "$corpus"/
find tests/fuzz_regressions/inputs -type f ! -name '.*' -exec cp {} "$corpus"/ \;

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$build/tests/fuzz/fuzz_program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -dict=tests/fuzz/fuzz_program.dict -artifact_prefix="$findings/" \
    "$corpus"
