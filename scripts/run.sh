#!/usr/bin/env bash
# Builds Dravelin and runs it on the bundled example banks, in a scratch copy
# (build/demo) so that the reports it writes do not land in the checkout.
# With a display it opens the window; without one it runs dravelin-batch with
# every report and shows what was written.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/packages.sh"
ensure_packages "${DRAVELIN_BUILD_PACKAGES[@]}"

build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DDRAVELIN_BUILD_TESTS=OFF \
      -DDRAVELIN_BUILD_BENCH=OFF > /dev/null
cmake --build "$build" -j"$(nproc)" --target dravelin dravelin-batch

demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp -R "$root/examples/Compare" "$root/examples/Base" "$demo/"
cd "$demo"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/src/gui/dravelin"
fi

echo "No display: running dravelin-batch with every report in $demo"
status=0
"$build/src/batch/dravelin-batch" ControlScreenDisplay CreatePatchNameFiles CreateInsFiles \
    CreatePatchCatalogue PrintAllSimilarities PrintOnlyIdentities PrintSoundGroups \
    PrintBanksWorthKeeping PrintUniqueOnly PrintIdenticalOnly || status=$?
for report in compare.txt identity.txt groups.txt keep.txt uniqC2B.txt identC2B.txt; do
  printf '\n===== Compare/%s =====\n' "$report"
  tr -d '\r' < "Compare/$report"
done
printf '\nEvery report file written:\n'
ls -l Compare/*.txt Compare/*.ins Compare/*.csv
exit "$status"
