#!/usr/bin/env bash
# Builds Dravelin with every test, benchmark and the window, and runs every
# test (GUI tests run offscreen, no display needed), then builds the browser
# page and tests it in three browser engines.
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

# The browser page, built with emscripten, in Chromium, Firefox ESR and
# WebKitGTK, each from disk and over http, against the batch program just
# built (skipped by the sanitizer run, which builds no page).
if [ "${DRAVELIN_BROWSER_TEST:-1}" = 1 ]; then
  ensure_packages "${DRAVELIN_WEB_PACKAGES[@]}" "${DRAVELIN_BROWSER_TEST_PACKAGES[@]}"
  bash "$root/scripts/web.sh"
  # axe-core checks the page's accessibility in the browser test.
  axe="$root/build/axe/node_modules/axe-core/axe.min.js"
  if [ ! -f "$axe" ]; then
    # Debian's npm, unless a Node.js that brings its own is installed (the
    # two cannot be installed together).
    command -v npm > /dev/null || ensure_packages npm
    npm install --prefix "$root/build/axe" --no-audit --no-fund axe-core@4.14.1
  fi
  for engine in chromium firefox webkit; do
    for source in "" --http; do
      # Debian's selenium and websocket belong to the system's python3.
      /usr/bin/python3 "$root/tests/web/browser_test.py" --page "$root/build/web/dravelin.html" \
          --batch "$build/src/batch/dravelin-batch" --examples "$root/examples" \
          --engine "$engine" $source --axe "$axe" --screenshot "$root/build/web/screenshot-$engine.png"
    done
  done
fi
