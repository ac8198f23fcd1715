#!/usr/bin/env bash
# Installs what Scarabo needs on Debian 12, builds it, then starts the program (run) or runs every
# test (test). Run it as root, or as a user who may use sudo.
set -euo pipefail

mode=${1:-}
if [[ $mode != run && $mode != test ]]; then
    echo "usage: $0 run|test" >&2
    exit 2
fi
cd "$(dirname "$0")/.."

source tools/packages.sh
packages=("${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}")
[[ $mode == test ]] && packages+=("${TEST_PACKAGES[@]}")
ensure_packages "${packages[@]}"

build=${SCARABO_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [[ $mode == run ]]; then
    cmake --build "$build" --target scarabo
    exec "$build/bin/scarabo"
fi
cmake --build "$build"

# Besides CTest: the installed package end to end, the Windows backend under Wine, the suite under
# the sanitizers, and the fuzzers for a bounded time. Every suite runs whatever the others did; a
# line per suite sums them up, and CTest's own summary closes the run.
summary=()
failed=0
suite() {
    local name=$1
    shift
    if "$@"; then
        summary+=("$name: passed")
    else
        summary+=("$name: FAILED")
        failed=1
    fi
}
ctest_log=$(mktemp)
trap 'rm -f "$ctest_log"' EXIT
run_ctest() { ctest --test-dir "$build" --output-on-failure | tee "$ctest_log"; }

suite e2e bash tools/e2e-installed.sh "$build"
suite wine bash tools/wine-tests.sh "$build-wine"
suite sanitize bash tools/sanitize.sh "$build-sanitize"
suite fuzz bash tools/fuzz.sh "$build-fuzz"
suite ctest run_ctest

echo
echo "Test suites:"
printf '  %s\n' "${summary[@]}"
echo
# From CTest's "N% tests passed" line on: its totals, the time per label and the failed tests.
if grep -q '% tests passed, ' "$ctest_log"; then
    sed -n '/% tests passed, /,$p' "$ctest_log"
else
    tail -n 20 "$ctest_log"
fi
exit $failed
