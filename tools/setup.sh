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

build_packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev
                libgtest-dev libgmock-dev libbenchmark-dev libreoffice-dev)
run_packages=(libreoffice-writer fonts-dejavu-core)
test_packages=(xvfb xauth xdotool x11-utils imagemagick fonts-ancient-scripts python3 python3-pil
               python3-docx chromium)

packages=("${build_packages[@]}" "${run_packages[@]}")
[[ $mode == test ]] && packages+=("${test_packages[@]}")

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${packages[@]}" >/dev/null

build=${SCARABO_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"

if [[ $mode == run ]]; then
    exec "$build/bin/scarabo"
fi

ctest --test-dir "$build" --output-on-failure
