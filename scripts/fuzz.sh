#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz and runs each named target for the given
# number of seconds (default 60) on a copy of its seed corpus and of the inputs of its earlier
# findings. A finding (crash, sanitizer report, leak, or an input running over 10 s) is saved
# in build-fuzz/findings/ and makes the script fail.
# Usage: scripts/fuzz.sh [seconds] [target... | all | fast]
#   fuzz_program   the whole program on the test console (the default)
#   fuzz_storage   the settings and records formats
#   fuzz_render    the screen model, the view and the renderer against the strict terminal
#   fuzz_keys      the real terminal's key input: its sequences, the escape delay, the queue
#   fuzz_encoding  the output encoder, UTF-8 to GBK and GB18030
#   fast           the four above: each runs over a thousand inputs a second
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages cmake ninja-build clang libclang-rt-14-dev libasound2-dev
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_program)
elif [ "${targets[0]}" = all ]; then
    targets=(fuzz_program fuzz_storage fuzz_render fuzz_keys fuzz_encoding)
elif [ "${targets[0]}" = fast ]; then
    targets=(fuzz_storage fuzz_render fuzz_keys fuzz_encoding)
fi
build=${TARNWICK_FUZZ_BUILD_DIR:-build-fuzz}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTARNWICK_FUZZ=ON -DTARNWICK_TESTS=OFF -DTARNWICK_BENCH=OFF -DTARNWICK_WERROR=ON >/dev/null
ninja -C "$build" -j2 "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
findings="$build/findings"
mkdir -p "$findings"
for target in "${targets[@]}"; do
    # Each target's seeds, and the prefix of its findings' inputs (fuzz_program's have none).
    case "$target" in
        fuzz_program)
            seeds=tests/fuzz/corpus
            findings_named=(! -name 'storage-*' ! -name 'render-*' ! -name 'keys-*' ! -name 'encoding-*') ;;
        fuzz_storage) seeds=tests/fuzz/corpus_storage findings_named=(-name 'storage-*') ;;
        fuzz_render) seeds=tests/fuzz/corpus_render findings_named=(-name 'render-*') ;;
        fuzz_keys) seeds=tests/fuzz/corpus_keys findings_named=(-name 'keys-*') ;;
        fuzz_encoding) seeds=tests/fuzz/corpus_encoding findings_named=(-name 'encoding-*') ;;
        *) echo "unknown fuzz target: $target" >&2; exit 2 ;;
    esac
    dict=()
    if [ -f "tests/fuzz/$target.dict" ]; then
        dict=(-dict="tests/fuzz/$target.dict")
    fi
    # The fuzzer adds what it finds to its working corpus; the seeds in the tree stay as they are.
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    cp "$seeds"/* "$corpus"/
    find tests/fuzz_regressions/inputs -type f ! -name '.*' "${findings_named[@]}" \
        -exec cp {} "$corpus"/ \;
    echo "== $target, $seconds s =="
    "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "${dict[@]}" -artifact_prefix="$findings/" \
        "$corpus"
done
