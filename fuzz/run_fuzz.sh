#!/bin/sh
# Builds the decoder fuzzer with clang and runs it for SECONDS seconds.
#   fuzz/run_fuzz.sh SECONDS
# The build directory is build-fuzz beside this folder unless
# DRAVELIN_FUZZ_BUILD_DIR names another. Findings are written to its
# fuzz-artifacts/ folder; the script fails when the fuzzer finds a fault.
set -eu

if [ $# -ne 1 ] || ! [ "$1" -gt 0 ] 2>/dev/null; then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi
seconds=$1
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DRAVELIN_FUZZ_BUILD_DIR:-$root/build-fuzz}
cxx=${DRAVELIN_FUZZ_CXX:-clang++-14}

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDRAVELIN_BUILD_FUZZ=ON -DDRAVELIN_BUILD_GUI=OFF -DDRAVELIN_BUILD_TESTS=OFF \
  -DDRAVELIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target bank_decoder_fuzzer bank_decoder_seeds

corpus=$build/fuzz-corpus
artifacts=$build/fuzz-artifacts
mkdir -p "$corpus" "$artifacts"
"$build/fuzz/bank_decoder_seeds" "$corpus"
"$build/fuzz/bank_decoder_fuzzer" -max_total_time="$seconds" -max_len=4096 \
  -dict="$root/fuzz/program_dump.dict" -artifact_prefix="$artifacts/" \
  -print_final_stats=1 "$corpus"
