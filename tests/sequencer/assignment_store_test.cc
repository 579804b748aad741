// What the store offers before an export (the choice confirmed in this run,
// else the file, else the default) and how it saves a choice.

#include "sequencer/assignment_store.h"

#include <gtest/gtest.h>

#include <string>

#include "sequencer/assignment_file.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using K = KeyboardBank;
using testing::FakeReportFiles;
using testing::TempDir;

constexpr char kFile[] = "Compare/QS+ Banks.slots";

BankSet ThreeBanks() {
  return BankSet{Bank{"a", {}, "a.syx"}, Bank{"b", {}, "b.syx"}, Bank{"c", {}, "c.syx"}};
}

TEST(AssignmentStoreTest, OffersWhatTheFileSaysAndNamesWhatWasWrongWithIt) {
  struct Case {
    const char* name;
    const char* file;  // null: no file
    BankAssignment offered;
    std::string problem;
  };
  const Case cases[] = {
      {"no file: the default without a word", nullptr, {K::kUser, K::kPreset1, K::kPreset2}, ""},
      {"the file, and free banks for the rest", "b.syx\tUser\r\nc.syx\tnone\r\n",
       {K::kPreset1, K::kUser, K::kNotOnKeyboard}, ""},
      {"one bad line", "a.syx\tCard 9\r\nb.syx\tCard 9\r\n", {K::kCard9, K::kUser, K::kPreset1},
       "Compare\\QS+ Banks.slots: one line was ignored, line 2: Card 9 is given to another bank "
       "already."},
      {"several bad lines", "q\r\nz.syx\tUser\r\nc.syx\tUser\r\n",
       {K::kPreset1, K::kPreset2, K::kUser},
       "Compare\\QS+ Banks.slots: 2 lines were ignored; the first, line 1: not a bank file name, "
       "a tab and a keyboard bank."},
  };
  for (const Case& c : cases) {
    TempDir dir;
    if (c.file != nullptr) dir.WriteFile(kFile, c.file);
    const AssignmentOffer offer = AssignmentStore(dir.path()).Offer(ThreeBanks());
    EXPECT_EQ(offer.assignment, c.offered) << c.name;
    EXPECT_EQ(offer.problem, c.problem) << c.name;
  }
}

TEST(AssignmentStoreTest, AFileThatCannotBeReadOrIsTooLargeGivesTheDefaultAndSaysSo) {
  TempDir dir;
  dir.MakeDir(kFile);  // a folder where the file should be
  AssignmentOffer offer = AssignmentStore(dir.path()).Offer(ThreeBanks());
  EXPECT_EQ(offer.assignment, DefaultAssignment(3));
  EXPECT_EQ(offer.problem,
            "Compare\\QS+ Banks.slots could not be read; the banks take the keyboard banks in "
            "order.");

  TempDir large;
  large.WriteFile(kFile, "a.syx\tCard 1\r\n" + std::string(kMaxAssignmentFileSize, '#'));
  offer = AssignmentStore(large.path()).Offer(ThreeBanks());
  EXPECT_EQ(offer.assignment, DefaultAssignment(3));
  EXPECT_EQ(offer.problem,
            "Compare\\QS+ Banks.slots is larger than an assignment file can be and was ignored.");
}

TEST(AssignmentStoreTest, ARememberedChoiceComesBeforeTheFileUntilItIsForgotten) {
  TempDir dir;
  dir.WriteFile(kFile, "a.syx\tCard 5\r\n");
  AssignmentStore store(dir.path());
  const BankSet banks = ThreeBanks();
  store.Remember(banks, BankAssignment{K::kNotOnKeyboard, K::kCard2, K::kUser});
  EXPECT_EQ(store.Offer(banks).assignment,
            (BankAssignment{K::kNotOnKeyboard, K::kCard2, K::kUser}));
  // Remembered by file name: a bank that came since takes a free bank.
  BankSet more = banks;
  more.insert(more.begin(), Bank{"new", {}, "new.syx"});
  EXPECT_EQ(store.Offer(more).assignment,
            (BankAssignment{K::kPreset1, K::kNotOnKeyboard, K::kCard2, K::kUser}));
  store.Forget();
  EXPECT_EQ(store.Offer(banks).assignment, (BankAssignment{K::kCard5, K::kUser, K::kPreset1}));
}

TEST(AssignmentStoreTest, SavesTheRememberedChoiceOrTheCodeOfWhatFailed) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "Compare" / "QS+ Banks.slots";
  const BankSet banks = ThreeBanks();
  const BankAssignment chosen{K::kCard1, K::kNotOnKeyboard, K::kUser};
  {
    FakeReportFiles files;
    AssignmentStore store(dir.path());
    EXPECT_EQ(store.Save(files), kAllIsOk);
    EXPECT_TRUE(files.created().empty()) << "nothing remembered, nothing written";
    store.Remember(banks, chosen);
    EXPECT_EQ(store.Save(files), kAllIsOk);
    EXPECT_EQ(files.Contents(path), FormatAssignmentFile(banks, chosen));
    EXPECT_EQ(files.open_files(), 0);
  }
  struct Failure {
    const char* name;
    void (*damage)(FakeReportFiles&, const std::filesystem::path&);
    MessageCode code;
  };
  const Failure failures[] = {
      {"open", [](FakeReportFiles& f, const std::filesystem::path& p) { f.FailOpen(p); },
       kTxtFileOpenError},
      {"write", [](FakeReportFiles& f, const std::filesystem::path&) { f.FailWritesAfter(20); },
       kTxtFileWriteError},
      {"close", [](FakeReportFiles& f, const std::filesystem::path&) { f.FailClose(); },
       kTxtFileWriteError},
  };
  for (const Failure& failure : failures) {
    FakeReportFiles files;
    failure.damage(files, path);
    AssignmentStore store(dir.path());
    store.Remember(banks, chosen);
    EXPECT_EQ(store.Save(files), failure.code) << failure.name;
    EXPECT_EQ(files.open_files(), 0) << failure.name;
  }
  // On disk: the saved file is what the next run is offered.
  dir.MakeDir("Compare");
  DiskReportFileSystem disk;
  AssignmentStore store(dir.path());
  store.Remember(banks, chosen);
  ASSERT_EQ(store.Save(disk), kAllIsOk);
  EXPECT_EQ(AssignmentStore(dir.path()).Offer(banks).assignment, chosen);
}

}  // namespace
}  // namespace dravelin
