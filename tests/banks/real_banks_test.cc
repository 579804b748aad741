// Bank files saved from real keyboards, read from a folder beside the
// checkout. The tests skip when that folder is absent.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "banks/bank.h"
#include "banks/bank_directory.h"
#include "banks/bank_file.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kProgramsPerBank = 128;

bool HasSyxExtension(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".syx";
}

class RealBanksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path root = DRAVELIN_QS_BANKS;
    std::error_code error;
    if (!fs::is_directory(root, error)) GTEST_SKIP() << "no real bank files at " << root;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      if (entry.is_regular_file() && HasSyxExtension(entry.path())) files_.push_back(entry.path());
    }
    std::sort(files_.begin(), files_.end());
    ASSERT_FALSE(files_.empty()) << "the folder holds no bank files";
  }

  static Bank Load(const fs::path& path) {
    Bank bank;
    std::size_t left = kMaxPatchesPerSet;
    EXPECT_EQ(ReadBankFile(path.string(), bank, &left), kAllIsOk) << path;
    return bank;
  }

  std::vector<fs::path> files_;
};

TEST_F(RealBanksTest, EveryFileHolds128NamedProgramsInOrder) {
  for (const fs::path& path : files_) {
    SCOPED_TRACE(path.string());
    const Bank bank = Load(path);
    EXPECT_EQ(bank.name, path.stem().string());
    ASSERT_EQ(bank.patches.size(), kProgramsPerBank);
    for (std::size_t i = 0; i < bank.patches.size(); ++i) {
      const Patch& patch = bank.patches[i];
      EXPECT_EQ(patch.program_number, i);
      ASSERT_EQ(patch.name.size(), kPatchNameLength);
      for (char c : patch.name) {
        EXPECT_TRUE(c >= ' ' && c <= '~') << "program " << i << " name [" << patch.name << "]";
      }
    }
  }
}

// A bank laid out in General MIDI order shows the familiar instruments at
// their program numbers, whatever abbreviations its maker chose.
bool HasGeneralMidiLayout(const Bank& bank) {
  const std::map<std::size_t, std::string> kLandmarks = {
      {0, "Pno"},      {24, "Nylon"}, {33, "Bass"},     {40, "Violin"},
      {56, "Trumpet"}, {73, "Flute"}, {127, "Gunshot"},
  };
  if (bank.patches.size() != kProgramsPerBank) return false;
  for (const auto& [program, word] : kLandmarks) {
    if (bank.patches[program].name.find(word) == std::string::npos) return false;
  }
  return true;
}

TEST_F(RealBanksTest, PresetBanksShowGeneralMidiNames) {
  int general_midi_banks = 0;
  int piano_names = 0;
  for (const fs::path& path : files_) {
    const Bank bank = Load(path);
    if (HasGeneralMidiLayout(bank)) ++general_midi_banks;
    for (const Patch& patch : bank.patches) {
      if (patch.name.find("Piano") != std::string::npos) ++piano_names;
    }
  }
  EXPECT_GE(general_midi_banks, 2);
  EXPECT_GE(piano_names, 5);
}

TEST_F(RealBanksTest, IdenticalFilesGiveIdenticalBanks) {
  std::map<std::string, fs::path> by_contents;
  int pairs = 0;
  for (const fs::path& path : files_) {
    std::ifstream in(path, std::ios::binary);
    std::string contents{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    auto [it, inserted] = by_contents.emplace(std::move(contents), path);
    if (inserted) continue;
    ++pairs;
    const Bank first = Load(it->second);
    const Bank second = Load(path);
    ASSERT_EQ(first.patches.size(), second.patches.size());
    for (std::size_t i = 0; i < first.patches.size(); ++i) {
      EXPECT_EQ(first.patches[i].name, second.patches[i].name);
      EXPECT_TRUE(first.patches[i].sounds == second.patches[i].sounds) << path << " " << i;
    }
  }
  if (pairs == 0) GTEST_SKIP() << "no two files have the same contents";
}

TEST_F(RealBanksTest, EachFolderLoadsAsOneSet) {
  std::map<fs::path, std::size_t> files_per_folder;
  for (const fs::path& path : files_) ++files_per_folder[path.parent_path()];
  for (const auto& [folder, count] : files_per_folder) {
    SCOPED_TRACE(folder.string());
    BankSet set;
    ASSERT_EQ(ReadBankDirectory(folder.parent_path(), folder.filename().string(), set), kAllIsOk);
    EXPECT_EQ(set.size(), std::min(count, kMaxBanksPerSet));
    EXPECT_EQ(CountPatches(set), set.size() * kProgramsPerBank);
  }
}

}  // namespace
}  // namespace dravelin
