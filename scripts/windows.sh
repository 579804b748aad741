#!/usr/bin/env bash
# Cross-compiles the core and dravelin-batch for 64-bit Windows with Debian's
# MinGW-w64: build/windows/dravelin-batch.exe, one program with nothing to
# install beside it, and build/windows/platform_check.exe, the checks of the
# Windows platform layer that tests/windows/wine_agreement.py runs. Extra
# arguments go to cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/packages.sh"
ensure_packages "${DRAVELIN_WINDOWS_PACKAGES[@]}"

build="$root/build/windows"
cmake -S "$root" -B "$build/cmake" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DDRAVELIN_BUILD_GUI=OFF -DDRAVELIN_BUILD_TESTS=OFF \
      -DDRAVELIN_BUILD_BENCH=OFF -DDRAVELIN_WERROR="${DRAVELIN_WERROR:-OFF}" "$@" > /dev/null
cmake --build "$build/cmake" -j"$(nproc)" --target dravelin-batch platform_check
cp "$build/cmake/src/batch/dravelin-batch.exe" "$build/dravelin-batch.exe"
cp "$build/cmake/tests/windows/platform_check.exe" "$build/platform_check.exe"
echo "Built $build/dravelin-batch.exe and $build/platform_check.exe"
