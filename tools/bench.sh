#!/usr/bin/env bash
# Builds the benchmarks of bench/ in a build folder of its own, runs them all (the start-up one under
# Xvfb) and prints a short table of the figures beside their yardsticks and targets. Google
# Benchmark's own output goes to <build>/bench-*.json and <build>/bench.log.
# Usage: tools/bench.sh [build-folder]   (default: build-bench; SCARABO_BENCH_DIR too)
# The Xvfb server takes a free display number, or the one in SCARABO_BENCH_DISPLAY (a number) where
# several people share a machine and each has one of their own.
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
# Start-up takes its own medians over pairs of starts (see bench/bench_startup.cpp), so it runs once.
display_number=(-a)
[[ -n ${SCARABO_BENCH_DISPLAY:-} ]] && display_number=(-n "$SCARABO_BENCH_DISPLAY")
xvfb-run "${display_number[@]}" -s "-screen 0 1280x1024x24 -nolisten tcp" "$build/bench/bench_startup" \
    --benchmark_out="$build/bench-startup.json" --benchmark_out_format=json >>"$build/bench.log" 2>&1

/usr/bin/python3 "$repo/tools/bench_table.py" "$build"/bench-{conversion,datfile,rowpicture,document,startup}.json
echo "Machine: $(nproc) processors, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1);" \
    "load average $(cut -d ' ' -f 1-3 /proc/loadavg) (1, 5, 15 minutes)"
