#!/bin/sh
# Builds the fuzzers with clang and runs each of them for SECONDS seconds,
# one after the other (the decoder fuzzer, then the pipeline fuzzer), so a
# whole run takes about twice SECONDS plus the build.
#   fuzz/run_fuzz.sh SECONDS
# The build directory is build-fuzz beside this folder unless
# DRAVELIN_FUZZ_BUILD_DIR names another. Each fuzzer keeps its corpus in
# fuzz-corpus/<fuzzer>/ there and writes findings to fuzz-artifacts/; the
# script fails when a fuzzer finds a fault.
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
cmake --build "$build" -j2 --target bank_decoder_fuzzer pipeline_fuzzer bank_decoder_seeds

corpus=$build/fuzz-corpus
artifacts=$build/fuzz-artifacts
mkdir -p "$corpus/bank_decoder" "$corpus/pipeline" "$artifacts"
"$build/fuzz/bank_decoder_seeds" "$corpus/bank_decoder" "$corpus/pipeline"

echo "== bank_decoder_fuzzer, $seconds s"
"$build/fuzz/bank_decoder_fuzzer" -max_total_time="$seconds" -max_len=4096 \
  -dict="$root/fuzz/program_dump.dict" -artifact_prefix="$artifacts/bank_decoder-" \
  -print_final_stats=1 "$corpus/bank_decoder"

# Inputs are capped so that each run stays cheap; a run that takes seconds
# is a hang.
echo "== pipeline_fuzzer, $seconds s"
"$build/fuzz/pipeline_fuzzer" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
  -dict="$root/fuzz/pipeline.dict" -artifact_prefix="$artifacts/pipeline-" \
  -print_final_stats=1 "$corpus/pipeline"
