#include "banks/bank_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "banks/bank.h"
#include "banks/bank_file.h"
#include "banks/bank_name.h"
#include "banks/byte_stream.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using sysex::BankOfDistinctPatches;
using testing::TempDir;

std::vector<std::string> BankNames(const BankSet& set) {
  std::vector<std::string> names;
  for (const Bank& bank : set) names.push_back(bank.name);
  return names;
}

TEST(BankNameFromPathTest, CutsTheLastExtensionAndTheDirectories) {
  struct Case {
    const char* path;
    const char* name;
    const char* file;  // FileNameFromPath
  };
  const Case kCases[] = {
      {"/home/synth/Compare/Pianos.syx", "Pianos", "Pianos.syx"},
      {"/home/synth/Compare/My.Bank.syx", "My.Bank", "My.Bank.syx"},
      {"/home/synth/Compare/BANK.SYX", "BANK", "BANK.SYX"},
      {"/home/synth.v2/Compare/Strings.syx", "Strings", "Strings.syx"},
      // A backslash is part of a POSIX file name.
      {"/home/synth/Compare/a\\b.syx", "a\\b", "a\\b.syx"},
      {"/home/synth/Compare/.syx", "", ".syx"},
      {"Pads.syx", "Pads", "Pads.syx"},
      {"/dir.d/noextension", "dir", "noextension"},  // the last '.' of the whole path is cut
      {"", "", ""},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(BankNameFromPath(c.path), c.name) << c.path;
    EXPECT_EQ(FileNameFromPath(c.path), c.file) << c.path;
  }
}

TEST(IsBankFileNameTest, TakesSyxInAnyCaseButNotHiddenFiles) {
  struct Case {
    const char* name;
    bool taken;
  };
  const Case kCases[] = {
      {"bank.syx", true},  {"BANK.SYX", true},     {"Bank.SyX", true},   {"a.b.syx", true},
      {"x.syx", true},     {".hidden.syx", false}, {".syx", false},      {"bank.syx.bak", false},
      {"bank.sys", false}, {"banksyx", false},     {"bank.syxx", false}, {"syx", false},
      {"", false},
  };
  for (const Case& c : kCases) EXPECT_EQ(IsBankFileName(c.name), c.taken) << c.name;
}

TEST(ReadBankFileTest, ReadsADumpFileLargerThanTheReadBuffer) {
  TempDir dir;
  const std::string bytes = BankOfDistinctPatches(300, 1);  // about 120 KB
  const fs::path path = dir.WriteFile("Big.Bank.syx", bytes);
  Bank bank;
  std::size_t left = kMaxPatchesPerSet;
  ASSERT_EQ(ReadBankFile(path.string(), bank, &left), kAllIsOk);
  EXPECT_EQ(bank.name, "Big.Bank");
  EXPECT_EQ(left, kMaxPatchesPerSet - 300);

  Bank from_memory;
  ByteStream in(bytes);
  std::size_t unused = kMaxPatchesPerSet;
  ASSERT_EQ(ReadProgramDumps(in, from_memory, &unused), kAllIsOk);
  ASSERT_EQ(bank.patches.size(), 300u);
  ASSERT_EQ(from_memory.patches.size(), 300u);
  for (std::size_t i = 0; i < bank.patches.size(); ++i) {
    EXPECT_EQ(bank.patches[i].name, from_memory.patches[i].name);
    EXPECT_EQ(bank.patches[i].program_number, static_cast<std::uint8_t>(i));
    EXPECT_TRUE(bank.patches[i].sounds == from_memory.patches[i].sounds) << i;
  }
}

TEST(ReadBankFileTest, WhatCannotBeOpenedAsAFileGivesCode3AndNoName) {
  TempDir dir;
  const fs::path fifo = dir.path() / "pipe.syx";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path folder = dir.MakeDir("folder.syx");
  for (const fs::path& path : {dir.path() / "missing.syx", fifo, folder}) {
    SCOPED_TRACE(path.string());
    Bank bank;
    std::size_t left = kMaxPatchesPerSet;
    EXPECT_EQ(ReadBankFile(path.string(), bank, &left), kSyxFileOpenError);
    EXPECT_EQ(bank.name, "");
    EXPECT_TRUE(bank.patches.empty());
  }
}

TEST(BankFileNameLessTest, FoldsLettersThenBreaksTiesByRawBytes) {
  // In the order every front end must read them, whatever the listing gave.
  const std::vector<std::string> kOrdered = {
      "10.syx",       "9.syx",  "A.syx",    "b.syx",  "bank (2).syx", "Bank 1.syx",
      "BANK.SYX",     "bank.syx", "_x.syx", "~y.syx", "\xC3\xA9t\xC3\xA9.syx",
  };
  for (std::size_t i = 0; i < kOrdered.size(); ++i) {
    for (std::size_t j = 0; j < kOrdered.size(); ++j) {
      EXPECT_EQ(BankFileNameLess(kOrdered[i], kOrdered[j]), i < j)
          << kOrdered[i] << " against " << kOrdered[j];
    }
  }
}

TEST(ReadBankDirectoryTest, ReadsInNameOrderWithEmptyBanks) {
  TempDir dir;
  // Made in an order that neither the names nor their hashes follow.
  dir.WriteFile("Compare/bank (2).syx", BankOfDistinctPatches(5, 100));
  dir.WriteFile("Compare/_x.syx", "no dumps in here\xF0\x41\xF7");
  dir.WriteFile("Compare/BANK.SYX", BankOfDistinctPatches(1, 1));
  dir.WriteFile("Compare/~y.syx", BankOfDistinctPatches(2, 7));
  dir.WriteFile("Compare/9.syx", BankOfDistinctPatches(1, 2));
  dir.WriteFile("Compare/Bank 1.syx", BankOfDistinctPatches(7, 200));
  dir.WriteFile("Compare/bank.syx", BankOfDistinctPatches(1, 3));
  dir.WriteFile("Compare/10.syx", BankOfDistinctPatches(1, 4));
  BankSet set;
  ASSERT_EQ(ReadBankDirectory(dir.path(), "Compare", set), kAllIsOk);
  EXPECT_EQ(BankNames(set), (std::vector<std::string>{"10", "9", "bank (2)", "Bank 1", "BANK",
                                                       "bank", "_x", "~y"}));
  EXPECT_EQ(CountPatches(set), 18u);
  EXPECT_TRUE(set[6].patches.empty());
  // Each bank keeps the name of its own file, extension and case as listed.
  EXPECT_EQ(set[4].file_name, "BANK.SYX");
  EXPECT_EQ(set[5].file_name, "bank.syx");
  EXPECT_EQ(set[6].file_name, "_x.syx");
  FreeBankSet(set);
  EXPECT_TRUE(set.empty());
  EXPECT_EQ(CountPatches(set), 0u);
}

TEST(ReadBankDirectoryTest, TakesOnlyRegularSyxFilesWithoutHanging) {
  TempDir dir;
  const std::string one = BankOfDistinctPatches(1, 1);
  dir.WriteFile("Compare/lower.syx", one);
  dir.WriteFile("Compare/UPPER.SYX", one);
  dir.WriteFile("Compare/Mixed.SyX", one);
  dir.WriteFile("Compare/.hidden.syx", one);
  dir.WriteFile("Compare/notes.txt", one);
  dir.WriteFile("Compare/backup.syx.bak", one);
  dir.MakeDir("Compare/folder.syx");
  dir.WriteFile("Compare/folder.syx/inner.syx", one);
  const fs::path target = dir.WriteFile("elsewhere/target.bin", BankOfDistinctPatches(3, 9));
  fs::create_symlink(target, dir.path() / "Compare/linked.syx");
  fs::create_symlink(dir.path() / "nowhere.syx", dir.path() / "Compare/dangling.syx");
  fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "Compare/dirlink.syx");
  ASSERT_EQ(::mkfifo((dir.path() / "Compare/pipe.syx").c_str(), 0600), 0);

  // Opening a FIFO would block forever; the alarm turns a hang into a failure.
  ::alarm(30);
  BankSet set;
  const MessageCode code = ReadBankDirectory(dir.path(), "Compare", set);
  ::alarm(0);
  ASSERT_EQ(code, kAllIsOk);
  std::vector<std::string> names = BankNames(set);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Mixed", "UPPER", "linked", "lower"}));
  EXPECT_EQ(CountPatches(set), 6u);
}

TEST(ReadBankDirectoryTest, MissingOrEmptyDirectoryGivesCode5) {
  struct Case {
    const char* label;
    std::vector<const char*> files;  // made below Compare/
    std::vector<const char*> dirs;
  };
  const Case kCases[] = {
      {"no directory", {}, {}},
      {"empty directory", {}, {"Compare"}},
      {"only other files", {"Compare/a.txt", "Compare/.b.syx", "Compare/c.syx~"}, {}},
      {"only a subdirectory", {}, {"Compare/d.syx"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    for (const char* file : c.files) dir.WriteFile(file, BankOfDistinctPatches(2, 1));
    for (const char* folder : c.dirs) dir.MakeDir(folder);
    BankSet set;
    EXPECT_EQ(ReadBankDirectory(dir.path(), "Compare", set), kNoBankFiles);
    EXPECT_TRUE(set.empty());
  }
  TempDir dir;
  dir.WriteFile("Compare", "a file where the directory should be");
  BankSet set;
  EXPECT_EQ(ReadBankDirectory(dir.path(), "Compare", set), kNoBankFiles);
}

TEST(ReadBankDirectoryTest, FileWithoutDumpsIsABankWithoutPatches) {
  TempDir dir;
  dir.WriteFile("Base/Nothing.syx", "");
  BankSet set;
  ASSERT_EQ(ReadBankDirectory(dir.path(), "Base", set), kAllIsOk);
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(set[0].name, "Nothing");
  EXPECT_TRUE(set[0].patches.empty());
  EXPECT_EQ(CountPatches(set), 0u);
}

TEST(ReadBankDirectoryTest, ReadsTheFirst100InNameOrder) {
  TempDir dir;
  const std::string bank = BankOfDistinctPatches(2, 5);
  std::vector<std::string> expected;
  for (int i = 200; i >= 100; --i) {  // made from the last name to the first
    const std::string stem = "bank" + std::to_string(i);
    dir.WriteFile("Compare/" + stem + ".syx", bank);
    expected.insert(expected.begin(), stem);
  }
  expected.pop_back();  // bank200 sorts last
  BankSet set;
  ASSERT_EQ(ReadBankDirectory(dir.path(), "Compare", set), kAllIsOk);
  EXPECT_EQ(BankNames(set), expected);
  EXPECT_EQ(CountPatches(set), 200u);
}

TEST(FitBankNameTest, CutsAt40BytesNeverInsideACharacterAndHidesControls) {
  const std::string a39(39, 'a');
  const std::string a40(40, 'a');
  struct Case {
    std::string base;
    std::string name;
  };
  const Case kCases[] = {
      {"My.Bank", "My.Bank"},
      {"abcdefghij0123456789ABCDEFGHIJklmnopqrstUVWXY", "abcdefghij0123456789ABCDEFGHIJklmnopqrst"},
      {a40, a40},
      // The 40th byte is the first of a two-byte character: it goes whole.
      {a39 + "\xC3\xA9", a39},
      {a39 + "\xC3\xA9z", a39},
      {a40 + "\xC3\xA9", a40},
      // The 40th byte ends a three-byte character: nothing is lost.
      {std::string(37, 'a') + "\xE2\x82\xAC" + "b", std::string(37, 'a') + "\xE2\x82\xAC"},
      {std::string(38, 'a') + "\xF0\x9F\x8E\xB9", std::string(38, 'a')},
      // Not UTF-8 (a Latin-1 name): cut at 40 bytes as it stands.
      {a39 + "\xE9\xE9", a39 + "\xE9"},
      {a39 + "\xC3\xA9\xFF", a39 + "\xC3"},
      // Control characters never reach a report line or a file name.
      {"line\nBasedOn=x", "line_BasedOn=x"},
      {"cr\rtab\tdel\x7F", "cr_tab_del_"},
      {std::string("nul\0x", 5), "nul_x"},
  };
  for (const Case& c : kCases) EXPECT_EQ(FitBankName(c.base), c.name) << c.base;
}

TEST(ReadBankDirectoryTest, BankNamesAreFitForReports) {
  TempDir dir;
  dir.WriteFile("Compare/line\nBasedOn=x.syx", BankOfDistinctPatches(1, 1));
  dir.WriteFile("Compare/My.Bank.syx", BankOfDistinctPatches(1, 1));
  BankSet set;
  ASSERT_EQ(ReadBankDirectory(dir.path(), "Compare", set), kAllIsOk);
  EXPECT_EQ(BankNames(set), (std::vector<std::string>{"line_BasedOn=x", "My.Bank"}));
}

TEST(ReadBankDirectoryTest, UnreadableFileStopsTheDirectoryWithCode3) {
  TempDir dir;
  for (const char* name : {"one.syx", "two.syx", "three.syx", "four.syx", "five.syx"}) {
    dir.WriteFile(fs::path("Base") / name, BankOfDistinctPatches(3, 1));
  }
  // Read as five, four, one, three, two.
  if (!dir.MakeUnreadableFile("Base/one.syx")) GTEST_SKIP() << "no unreadable file can be made";

  BankSet set;
  EXPECT_EQ(ReadBankDirectory(dir.path(), "Base", set), kSyxFileOpenError);
  EXPECT_EQ(BankNames(set), (std::vector<std::string>{"five", "four"}));
  EXPECT_EQ(CountPatches(set), 6u);
}

TEST(ReadBankDirectoryTest, PatchBudgetGivesCode2AndDropsTheBankBeingRead) {
  TempDir dir;
  // The smallest dump: header, program number and an empty payload.
  std::string tiny;
  for (std::size_t i = 0; i <= kMaxPatchesPerSet; ++i) {
    tiny += std::string("\xF0\x00\x00\x0E\x0E\x00", 6) + static_cast<char>(i & 0x7F) + "\xF7";
  }
  dir.WriteFile("Compare/a.syx", tiny.substr(0, 8 * 10));  // 10 dumps
  dir.WriteFile("Compare/b.syx", tiny);                    // one more than the budget
  BankSet set;
  EXPECT_EQ(ReadBankDirectory(dir.path(), "Compare", set), kOutOfMemory);
  EXPECT_EQ(BankNames(set), (std::vector<std::string>{"a"}));
  EXPECT_EQ(CountPatches(set), 10u);
}

TEST(ReadBankDirectoryTest, RelativeWorkingDirectoryAndDottedFolders) {
  TempDir dir;
  dir.WriteFile("synth.v2/Compare/Leads.syx", BankOfDistinctPatches(4, 3));
  const fs::path previous = fs::current_path();
  fs::current_path(dir.path());
  BankSet set;
  const MessageCode code = ReadBankDirectory("synth.v2", "Compare", set);
  fs::current_path(previous);
  ASSERT_EQ(code, kAllIsOk);
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(set[0].name, "Leads");
  EXPECT_EQ(set[0].patches.size(), 4u);
}

}  // namespace
}  // namespace dravelin
