#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer (gcc) in a build
# folder of its own, run with leak detection. Fails on any failing test; a sanitizer report fails
# the test it happens in. Leaks of system libraries under Qt are excused by
# tests/sanitizers/lsan.supp.
# Usage: tools/sanitize.sh [build-folder]   (default: build-sanitize; SCARABO_SANITIZE_DIR too)
# Run it as root, or as a user who may use sudo, unless the packages are already installed.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

source tools/packages.sh
# gcc brings the sanitizer runtimes.
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

build=$(realpath -m "${1:-${SCARABO_SANITIZE_DIR:-build-sanitize}}")
# Unoptimised: the quickest to build, and every check stays in place.
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSCARABO_SANITIZE=ON \
    -DSCARABO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$repo/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1
# Tests labelled e2e check the built program and its files from outside, with other programs (a
# browser, validators, the program's own start-up under X); the sanitizers see nothing of them, and
# they run in the normal suite.
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -LE e2e
