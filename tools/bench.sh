#!/usr/bin/env bash
# Builds the benchmarks of bench/ in a build folder of its own, runs them all (the start-up one under
# Xvfb) and prints a short table of the figures beside their yardsticks and targets. Google
# Benchmark's own output goes to <build>/bench-*.json and <build>/bench.log.
# Usage: tools/bench.sh [build-folder]   (default: build-bench; SCARABO_BENCH_DIR too)
# Run it as root, or as a user who may use sudo, unless the packages are already installed.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

source tools/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" libx11-dev xvfb xauth python3

build=$(realpath -m "${1:-${SCARABO_BENCH_DIR:-build-bench}}")
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCARABO_BUILD_TESTS=OFF \
    -DSCARABO_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target bench_conversion bench_datfile bench_rowpicture bench_document bench_startup >/dev/null

# Three runs of each, reported as their median, so one disturbed run does not decide.
run() {
    local name=$1
    shift
    "$@" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
        --benchmark_out="$build/bench-$name.json" --benchmark_out_format=json >>"$build/bench.log" 2>&1
}
: >"$build/bench.log"
run conversion "$build/bench/bench_conversion"
run datfile "$build/bench/bench_datfile"
run rowpicture "$build/bench/bench_rowpicture"
run document "$build/bench/bench_document"
run startup xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$build/bench/bench_startup"

/usr/bin/python3 "$repo/tools/bench_table.py" "$build"/bench-{conversion,datfile,rowpicture,document,startup}.json
echo "Machine: $(nproc) processors, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)"
