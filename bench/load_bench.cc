// How long loading full bank sets takes: two directories of 100 bank files,
// each file holding 128 program dumps, every dump followed by its effects
// dump as keyboards save them. Each patch keeps both messages in its bank's
// store; the counter "store_bytes" is what the stores of both sets hold.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "banks/bank.h"
#include "banks/bank_directory.h"
#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

constexpr int kFilesPerDirectory = 100;
constexpr int kProgramsPerFile = 128;

std::string BankFile(int file) {
  sysex::SyxBuilder builder;
  for (int program = 0; program < kProgramsPerFile; ++program) {
    char name[16];
    std::snprintf(name, sizeof name, "F%03d P%03d", file % 1000, program);
    const auto seed = static_cast<std::uint32_t>((file * kProgramsPerFile + program) * 4);
    builder.Dump(static_cast<std::uint8_t>(program), name,
                 sysex::MakeSounds(seed, seed + 1, seed + 2, seed + 3));
    builder.Effects(static_cast<std::uint8_t>(program), sysex::MakeEffectsData(seed));
  }
  return builder.bytes();
}

void BM_LoadTwoFullDirectories(benchmark::State& state) {
  testing::TempDir dir;
  std::size_t total_bytes = 0;
  int file = 0;
  for (const char* directory : {"Compare", "Base"}) {
    for (int i = 0; i < kFilesPerDirectory; ++i, ++file) {
      const std::string bytes = BankFile(file);
      total_bytes += bytes.size();
      dir.WriteFile(std::string(directory) + "/bank" + std::to_string(i) + ".syx", bytes);
    }
  }
  constexpr std::size_t kExpectedPatches = 2 * kFilesPerDirectory * kProgramsPerFile;
  std::size_t store_bytes = 0;
  for (auto _ : state) {
    BankSet compare_set;
    BankSet base_set;
    const MessageCode compare_code = ReadBankDirectory(dir.path(), "Compare", compare_set);
    const MessageCode base_code = ReadBankDirectory(dir.path(), "Base", base_set);
    if (compare_code != kAllIsOk || base_code != kAllIsOk ||
        CountPatches(compare_set) + CountPatches(base_set) != kExpectedPatches) {
      state.SkipWithError("the bank sets did not load completely");
      break;
    }
    benchmark::DoNotOptimize(compare_set.data());
    benchmark::DoNotOptimize(base_set.data());
    store_bytes = 0;
    for (const BankSet* set : {&compare_set, &base_set}) {
      for (const Bank& bank : *set) store_bytes += bank.messages.capacity();
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * total_bytes));
  state.counters["files"] = 2 * kFilesPerDirectory;
  state.counters["patches"] = kExpectedPatches;
  state.counters["store_bytes"] = static_cast<double>(store_bytes);
}
BENCHMARK(BM_LoadTwoFullDirectories)->Unit(benchmark::kMillisecond);

// The decoding alone, without the file system: one bank file from memory.
void BM_DecodeOneBankFromMemory(benchmark::State& state) {
  const std::string bytes = BankFile(0);
  for (auto _ : state) {
    ByteStream in(bytes);
    Bank bank;
    std::size_t left = kMaxPatchesPerSet;
    if (ReadProgramDumps(in, bank, &left) != kAllIsOk ||
        bank.patches.size() != static_cast<std::size_t>(kProgramsPerFile)) {
      state.SkipWithError("the bank did not decode completely");
      break;
    }
    benchmark::DoNotOptimize(bank.patches.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeOneBankFromMemory)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dravelin

BENCHMARK_MAIN();
