#!/usr/bin/env bash
# Builds Dravelin with every test, benchmark and the window, and runs every
# test (GUI tests run offscreen, no display needed).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/packages.sh"
ensure_packages "${DRAVELIN_BUILD_PACKAGES[@]}" "${DRAVELIN_TEST_PACKAGES[@]}"

build="${DRAVELIN_TEST_BUILD:-$root/build/test}"
# Warnings are errors where DRAVELIN_WERROR=ON says so (CI does).
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DDRAVELIN_WERROR="${DRAVELIN_WERROR:-OFF}" "$@" > /dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600
