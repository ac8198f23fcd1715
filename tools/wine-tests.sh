#!/usr/bin/env bash
# Cross-compiles the Word automation backend (COM) and its tests for 64-bit Windows with mingw-w64,
# and runs them under Wine in a prefix of their own. Fails when anything fails.
# Usage: tools/wine-tests.sh [build-folder]   (default: build-wine; SCARABO_WINE_BUILD_DIR too)
# Run it as root, or as a user who may use sudo, unless the packages are already installed.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

source tools/packages.sh
# googletest: Debian's GoogleTest sources, built here with the cross compiler; qt6-base-dev: Qt's
# headers, to compile the Qt side of the backend (Debian has no Qt for Windows to link it).
ensure_packages g++-mingw-w64-x86-64 wine64 googletest qt6-base-dev cmake ninja-build

build=$(realpath -m "${1:-${SCARABO_WINE_BUILD_DIR:-build-wine}}")
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
cmake -S "$repo/tests/wordprocessor/com" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSCARABO_WARNINGS_AS_ERRORS=ON -DWINE="$wine"
cmake --build "$build" -j 2

# A fresh 64-bit prefix under the build folder, headless and quiet; no Mono or Gecko offers.
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
unset DISPLAY WAYLAND_DISPLAY
# Ends this prefix's server and whatever still runs in it, never another prefix's.
trap '"$wineserver" -k 2>/dev/null || true' EXIT
rm -rf "$WINEPREFIX"
"$wine" wineboot -i 2>/dev/null
"$wineserver" -w

ctest --test-dir "$build" --output-on-failure -L wine
