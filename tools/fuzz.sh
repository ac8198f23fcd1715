#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in a build folder of its own and runs each of them, from its seed
# corpus in tests/fuzz/corpus/<target>, for a bounded time. Prints, per target, the runs done, the
# peak resident memory and the findings. Fails on any finding: a crash, a sanitizer report, a
# difference from a reference, an input that takes longer than 10 s, or memory past 512 MB.
# What a run learns stays in the build folder: <build>/fuzz-corpus (inputs worth keeping) and
# <build>/fuzz-findings (the input of each finding, to replay with <build>/tests/fuzz/<target> FILE).
# Usage: tools/fuzz.sh [build-folder]   (default: build-fuzz; SCARABO_FUZZ_DIR too)
#   FUZZ_SECONDS  time per target (default 60); a longer run: FUZZ_SECONDS=3600 tools/fuzz.sh
#   FUZZ_JOBS     processes run at once (default: the number of processors)
#   FUZZ_FORKS    processes per target (default 1); more run one target in libFuzzer's fork mode,
#                 on as many cores, and fewer targets at once
#   FUZZ_TARGETS  the targets to run, blank-separated (default: every one with seeds)
# Run it as root, or as a user who may use sudo, unless the packages are already installed.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

source tools/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev time

build=$(realpath -m "${1:-${SCARABO_FUZZ_DIR:-build-fuzz}}")
seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-$(nproc)}
forks=${FUZZ_FORKS:-1}
targets_at_once=$((jobs > forks ? jobs / forks : 1))

# The word processor and the benchmarks have nothing to fuzz; leaving them out keeps the build short.
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSCARABO_FUZZ=ON -DSCARABO_WORD_BACKEND=none -DSCARABO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target fuzz_targets -j "$jobs"

# Qt as Debian builds it keeps no frame pointers, so AddressSanitizer's fast unwinder records a
# made-up stack for each allocation made inside Qt and keeps every one of them: a long run grows
# by a couple of hundred bytes a run. No allocation stacks stop that (a report still shows where
# the fault happened; replaying the input by hand shows the rest). The quarantine, the freed memory
# held back for use-after-free checks, is counted in bytes asked for, but each block costs its
# header and red zones too, so a quarantine full of tiny strings takes two to four times its size:
# 16 MB keeps that well under the memory limit.
export ASAN_OPTIONS="malloc_context_size=0:quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
rss_limit_mb=512

# In fork mode a timeout or a memory stop in a worker is a finding too, as it is in one process.
fork_options=()
if ((forks > 1)); then
    fork_options=(-fork="$forks" -ignore_timeouts=0 -ignore_ooms=0)
fi

# The runs done: libFuzzer's final count, or in fork mode (which prints none) its last progress line.
runs_in() {
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$1")
    [[ -n $runs ]] || runs=$(grep -o '^#[0-9]*' "$1" | tail -n 1 | tr -d '#')
    echo "${runs:-?}"
}

# One target: its corpus in the build folder grows from the seeds, which stay as they are.
run_target() {
    local target=$1
    local corpus=$build/fuzz-corpus/$target findings=$build/fuzz-findings/$target
    local log=$build/fuzz-$target.log peak_kb=$build/fuzz-$target.peak status=0
    mkdir -p "$corpus" "$findings"
    # GNU time's peak is that of the largest process of the run, a fork mode worker included.
    /usr/bin/time -f %M -o "$peak_kb" "$build/tests/fuzz/$target" "${fork_options[@]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=$rss_limit_mb -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "$repo/tests/fuzz/corpus/$target" >"$log" 2>&1 ||
        status=$?
    local runs peak
    runs=$(runs_in "$log")
    peak=$(($(tail -n 1 "$peak_kb") / 1024))
    if ((status == 0)); then
        echo "fuzz: $target: $runs runs, peak memory $peak MB, no findings"
        return 0
    fi
    echo "fuzz: $target: FINDING after $runs runs, peak memory $peak MB" \
        "(log: $log, input in $findings)" >&2
    grep -E -m 5 'FINDING|ERROR|SUMMARY|runtime error' "$log" >&2 || true
    return 1
}

targets=${FUZZ_TARGETS:-$(ls "$repo/tests/fuzz/corpus")}
failed=0
running=()
for target in $targets; do
    run_target "$target" &
    running+=($!)
    if ((${#running[@]} >= targets_at_once)); then
        wait "${running[0]}" || failed=1
        running=("${running[@]:1}")
    fi
done
for pid in "${running[@]}"; do
    wait "$pid" || failed=1
done
exit $failed
