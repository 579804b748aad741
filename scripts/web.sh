#!/usr/bin/env bash
# Builds the browser edition: build/web/dravelin.html, one self-contained page
# (the WebAssembly core, its worker script, styles and page script inside)
# that works opened from disk or from any static web host.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/packages.sh"
ensure_packages "${DRAVELIN_WEB_PACKAGES[@]}"

# emcc's JavaScript optimiser finds Debian's acorn only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
build="$root/build/web"
emcmake cmake -S "$root" -B "$build/cmake" -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build "$build/cmake" -j"$(nproc)" --target dravelin_core

page="$root/src/web/page"
python3 "$root/scripts/web_page.py" "$page/dravelin.html" "$page/dravelin.css" \
    "$page/protocol.js" \
    "$page/pane_view.js" "$page/pane_input.js" "$page/find_bar.js" "$page/menu_bar.js" \
    "$page/folders.js" "$page/report_delivery.js" "$page/zip.js" "$page/keyboard_banks.js" \
    "$page/details.js" "$page/page.js" "$page/worker.js" "$build/cmake/src/web/dravelin_core.js" \
    "$build/dravelin.html"
size=$(stat -c %s "$build/dravelin.html")
echo "Built $build/dravelin.html ($size bytes)"
if [ "$size" -gt $((1536 * 1024)) ]; then
  echo "The page is larger than 1.5 MB" >&2
  exit 1
fi
