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
# the sanitizers, and the fuzzers for a bounded time. CTest goes last so its summary closes the run.
bash tools/e2e-installed.sh "$build"
bash tools/wine-tests.sh "$build-wine"
bash tools/sanitize.sh "$build-sanitize"
bash tools/fuzz.sh "$build-fuzz"
ctest --test-dir "$build" --output-on-failure
