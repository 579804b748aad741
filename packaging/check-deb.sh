#!/bin/sh
# Builds the Debian package from a build folder and checks it with lintian:
# the check fails on any error or warning.
#   packaging/check-deb.sh BUILD_DIR LINTIAN
set -eu
build=$1
lintian=$2
out="$build/packaging/deb-check"
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" > "$out.log" 2>&1 || {
  cat "$out.log" >&2
  exit 1
}
deb=$(ls "$out"/*.deb)
"$lintian" --fail-on error,warning --tag-display-limit 0 "$deb"
