// The decoder on the bank files saved from real keyboards (read from the
// folder beside the checkout; skipped when it is absent): every file gives
// 128 patches, each with its effects, the messages as the file holds them,
// and every value of every patch decodes. Values past the documented
// ranges are counted and printed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "banks/bank_file.h"
#include "banks/effects_dump.h"
#include "banks/program_dump.h"
#include "params/patch_decoder.h"

namespace dravelin::params {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kProgramsPerBank = 128;

std::vector<fs::path> RealBankFiles() {
  std::vector<fs::path> files;
  const fs::path root = DRAVELIN_QS_BANKS;
  std::error_code error;
  if (!fs::is_directory(root, error)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (entry.is_regular_file() && extension == ".syx") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Every F0 ... F7 message of the file, found without the bank reader.
std::set<std::string> Messages(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::set<std::string> messages;
  for (std::size_t start = bytes.find('\xF0'); start != std::string::npos;
       start = bytes.find('\xF0', start + 1)) {
    const std::size_t end = bytes.find('\xF7', start);
    if (end == std::string::npos) break;
    messages.insert(bytes.substr(start, end - start + 1));
  }
  return messages;
}

// Whether the file's second message is an effects dump: the layout in
// which each program is followed by its effects.
bool SecondMessageIsEffects(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::size_t second = bytes.find('\xF0', 1);
  return second != std::string::npos &&
         bytes.compare(second, 6, std::string_view("\xF0\x00\x00\x0E\x0E\x06", 6)) == 0;
}

std::string AsText(std::span<const std::uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(RealBanksParamsTest, EveryPatchHasItsMessagesAndEveryValueDecodes) {
  const std::vector<fs::path> files = RealBankFiles();
  if (files.empty()) GTEST_SKIP() << "no real bank files at " << DRAVELIN_QS_BANKS;
  std::size_t values = 0;
  std::size_t past_range = 0;
  std::size_t past_range_in_use = 0;  // in the common part, enabled sounds and effects
  std::size_t values_in_use = 0;
  std::size_t interleaved_files = 0;
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.string());
    Bank bank;
    std::size_t left = kMaxPatchesPerSet;
    ASSERT_EQ(ReadBankFile(path, bank, &left), kAllIsOk);
    ASSERT_EQ(bank.patches.size(), kProgramsPerBank);
    const std::set<std::string> messages = Messages(path);
    // Each program followed by its effects, or all programs first.
    if (SecondMessageIsEffects(path)) ++interleaved_files;
    for (const Patch& patch : bank.patches) {
      const auto program = ProgramMessage(bank, patch);
      const auto effects = EffectsMessage(bank, patch);
      ASSERT_TRUE(IsCompleteProgramMessage(program)) << int{patch.program_number};
      EXPECT_EQ(patch.odd_program_message.size, 0u) << "a complete dump is not stored";
      ASSERT_TRUE(IsEffectsDump(effects)) << int{patch.program_number};
      EXPECT_EQ(effects[6], patch.program_number);
      EXPECT_TRUE(messages.count(AsText(program)));
      EXPECT_TRUE(messages.count(AsText(effects)));
      // The patch's data are its message's payload, unpacked another way.
      ProgramData unpacked{};
      UnpackSevenBitData(std::span(program).subspan(7, 400), unpacked);
      EXPECT_TRUE(UnpackedProgram(patch) == unpacked);

      for (const DecodedPart& part : DecodePatch(bank, patch)) {
        for (const FieldGroup& group : part.groups) {
          for (const FieldValue& value : group.fields) {
            EXPECT_FALSE(value.shown().empty());
            if (value.field->kind != FieldKind::kParameter) continue;
            ++values;
            const bool past = !value.in_range();
            past_range += past;
            if (part.enabled) {
              ++values_in_use;
              past_range_in_use += past;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(interleaved_files, 0u);
  EXPECT_LT(interleaved_files, files.size());
  // A field misplaced by the tables would put far more values out of range.
  EXPECT_LT(past_range * 200, values) << past_range << " of " << values;
  std::printf(
      "%zu files: %zu parameter values, %zu past the documented range (%.3f %%); "
      "of the %zu in use (not in disabled sounds), %zu (%.3f %%)\n",
      files.size(), values, past_range,
      100.0 * static_cast<double>(past_range) / static_cast<double>(values), values_in_use,
      past_range_in_use,
      100.0 * static_cast<double>(past_range_in_use) / static_cast<double>(values_in_use));
  RecordProperty("parameter_values", std::to_string(values));
  RecordProperty("past_range", std::to_string(past_range));
}

}  // namespace
}  // namespace dravelin::params
