#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in a build folder of its own and runs each of them, from its seed
# corpus in tests/fuzz/corpus/<target>, for a bounded time. Fails on any finding: a crash, a
# sanitizer report, a difference from a reference, or an input that takes longer than 10 s.
# What a run learns stays in the build folder: <build>/fuzz-corpus (inputs worth keeping) and
# <build>/fuzz-findings (the input of each finding, to replay with <build>/tests/fuzz/<target> FILE).
# Usage: tools/fuzz.sh [build-folder]   (default: build-fuzz; SCARABO_FUZZ_DIR too)
#   FUZZ_SECONDS  time per target (default 60); a longer run: FUZZ_SECONDS=3600 tools/fuzz.sh
#   FUZZ_JOBS     targets run at once (default: the number of processors)
# Run it as root, or as a user who may use sudo, unless the packages are already installed.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

source tools/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev

build=$(realpath -m "${1:-${SCARABO_FUZZ_DIR:-build-fuzz}}")
seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-$(nproc)}

# The word processor and the benchmarks have nothing to fuzz; leaving them out keeps the build short.
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSCARABO_FUZZ=ON -DSCARABO_WORD_BACKEND=none -DSCARABO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target fuzz_targets -j "$jobs"

# One target: its corpus in the build folder grows from the seeds, which stay as they are.
run_target() {
    local target=$1
    local corpus=$build/fuzz-corpus/$target findings=$build/fuzz-findings/$target
    mkdir -p "$corpus" "$findings"
    if "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "$repo/tests/fuzz/corpus/$target" \
        >"$build/fuzz-$target.log" 2>&1; then
        echo "fuzz: $target: $(grep -o 'Done [0-9]* runs' "$build/fuzz-$target.log"), no findings"
    else
        echo "fuzz: $target: FINDING (log: $build/fuzz-$target.log, input in $findings)" >&2
        grep -E -m 5 'FINDING|ERROR|SUMMARY|runtime error' "$build/fuzz-$target.log" >&2 || true
        return 1
    fi
}

failed=0
running=()
for seeds in "$repo"/tests/fuzz/corpus/*/; do
    run_target "$(basename "$seeds")" &
    running+=($!)
    if ((${#running[@]} >= jobs)); then
        wait "${running[0]}" || failed=1
        running=("${running[@]:1}")
    fi
done
for pid in "${running[@]}"; do
    wait "$pid" || failed=1
done
exit $failed
