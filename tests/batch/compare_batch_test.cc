// The four comparison commands as scripts see them through dravelin-batch:
// standard output (the pane), standard error (the status line), exit status
// and the report files, byte for byte.

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/support/batch_process.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using testing::BatchOutcome;
using sysex::MakeSounds;
using sysex::SyxBuilder;
using testing::TempDir;

constexpr char kBothLoaded[] =
    "Finished reading in all the sysex files in both the \"Base\" and \"Compare\" "
    "directories.\n";
constexpr char kAllBefore[] = "Comparing patches...\n";
constexpr char kAllFinished[] =
    "Finished. The file \"Compare\\compare.txt\" contains a list of all comparisons between "
    "patches in the \"Compare\" directory\n";
constexpr char kIdentitiesBefore[] = "Getting patch identities...\n";
constexpr char kIdentitiesFinished[] =
    "Finished. The file \"Compare\\identity.txt\" contains a list of all identities between "
    "patches in the \"Compare\" directory\n";
constexpr char kUniqueBefore[] = "Comparing to Base - Finding unique patches...\n";
constexpr char kUniqueFinished[] =
    "Finished. The file \"Compare\\uniqC2B.txt\" holds a list of patches in the \"Compare\" "
    "directory unique from \"Base\" directory patches.\n";
constexpr char kIdenticalBefore[] = "Comparing to Base - Finding identical patches...\n";
constexpr char kIdenticalFinished[] =
    "Finished. The file \"Compare\\identC2B.txt\" has a list of patches in the \"Compare\" "
    "directory identical to a \"Base\" directory patch.\n";

const std::string kDashes(88, '-');

std::string Joined(const std::vector<std::string>& lines, const char* end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

// Mine 003 and 004 are identical, 010 has their sounds under another name,
// 127 shares their name and one sound, 000 shares nothing. The Base patch
// holds the sounds of 003.
std::string MineBank() {
  return SyxBuilder()
      .Dump(3, "Soft Pad", MakeSounds(1, 2, 3, 4))
      .Dump(4, "Soft Pad", MakeSounds(4, 3, 2, 1))
      .OtherMessage(83)
      .Dump(10, "Warm Pad", MakeSounds(2, 1, 3, 4))
      .Dump(127, "Soft Pad", MakeSounds(1, 50, 51, 52))
      .Dump(0, "Lonely", MakeSounds(60, 61, 62, 63))
      .bytes();
}
std::string FactoryBank() {
  return SyxBuilder()
      .Dump(0, "Factory", MakeSounds(4, 4, 3, 2))
      .Dump(1, "Also", MakeSounds(1, 2, 3, 4))
      .bytes();
}

const std::vector<std::string> kWithinHeader = {
    "The following sysex files were found in the 'Compare' directory:", "  Mine", kDashes,
    "Patch Comparisons:"};

std::vector<std::string> AllSimilaritiesLines() {
  std::vector<std::string> lines = kWithinHeader;
  lines.insert(lines.end(),
               {
                   "\"Mine [003:Soft Pad  ]\" is IDENTICAL to \"Mine [004:Soft Pad  ]\"",
                   "",
                   "\"Mine [003:Soft Pad  ]\" has sounds IDENTICAL to \"Mine [010:Warm Pad  ]\"",
                   "",
                   "\"Mine [003:Soft Pad  ]\" is similar to \"Mine [127:Soft Pad  ]\"",
                   "  Name is IDENTICAL",
                   "  Sound 0 is IDENTICAL to sound 0",
                   "",
                   kDashes,
                   "\"Mine [004:Soft Pad  ]\" is IDENTICAL to \"Mine [003:Soft Pad  ]\"",
                   "",
                   "\"Mine [004:Soft Pad  ]\" has sounds IDENTICAL to \"Mine [010:Warm Pad  ]\"",
                   "",
                   "\"Mine [004:Soft Pad  ]\" is similar to \"Mine [127:Soft Pad  ]\"",
                   "  Name is IDENTICAL",
                   "  Sound 3 is IDENTICAL to sound 0",
                   "",
                   kDashes,
                   "\"Mine [010:Warm Pad  ]\" has sounds IDENTICAL to \"Mine [003:Soft Pad  ]\"",
                   "",
                   "\"Mine [010:Warm Pad  ]\" has sounds IDENTICAL to \"Mine [004:Soft Pad  ]\"",
                   "",
                   "\"Mine [010:Warm Pad  ]\" is similar to \"Mine [127:Soft Pad  ]\"",
                   "  Sound 1 is IDENTICAL to sound 0",
                   "",
                   kDashes,
                   "\"Mine [127:Soft Pad  ]\" is similar to \"Mine [003:Soft Pad  ]\"",
                   "  Name is IDENTICAL",
                   "  Sound 0 is IDENTICAL to sound 0",
                   "",
                   "\"Mine [127:Soft Pad  ]\" is similar to \"Mine [004:Soft Pad  ]\"",
                   "  Name is IDENTICAL",
                   "  Sound 0 is IDENTICAL to sound 3",
                   "",
                   "\"Mine [127:Soft Pad  ]\" is similar to \"Mine [010:Warm Pad  ]\"",
                   "  Sound 0 is IDENTICAL to sound 1",
                   "",
                   kDashes,
               });
  return lines;
}

std::vector<std::string> OnlyIdentitiesLines() {
  std::vector<std::string> lines = kWithinHeader;
  lines.insert(lines.end(),
               {
                   "\"Mine [003:Soft Pad  ]\" is IDENTICAL to \"Mine [004:Soft Pad  ]\"",
                   "",
                   "\"Mine [003:Soft Pad  ]\" has sounds IDENTICAL to \"Mine [010:Warm Pad  ]\"",
                   "",
                   kDashes,
                   "\"Mine [004:Soft Pad  ]\" is IDENTICAL to \"Mine [003:Soft Pad  ]\"",
                   "",
                   "\"Mine [004:Soft Pad  ]\" has sounds IDENTICAL to \"Mine [010:Warm Pad  ]\"",
                   "",
                   kDashes,
                   "\"Mine [010:Warm Pad  ]\" has sounds IDENTICAL to \"Mine [003:Soft Pad  ]\"",
                   "",
                   "\"Mine [010:Warm Pad  ]\" has sounds IDENTICAL to \"Mine [004:Soft Pad  ]\"",
                   "",
                   kDashes,
               });
  return lines;
}

std::vector<std::string> AgainstBaseLines(bool unique) {
  std::vector<std::string> lines = {
      "The following sysex files were found in the 'Compare' directory:",
      "  Mine",
      "The following sysex files were found in the 'Base' directory:",
      "  Factory",
      kDashes,
      "Patch Comparisons:"};
  if (unique) {
    lines.insert(lines.end(),
                 {"These 'Compare' directory patches have sounds UNLIKE all 'Base' directory "
                  "patches:",
                  "\"Mine [127:Soft Pad  ]\"", "\"Mine [000:Lonely    ]\""});
  } else {
    lines.insert(
        lines.end(),
        {"These 'Compare' directory patches have sounds IDENTICAL to a 'Base' directory "
         "patch:",
         "\"Mine [003:Soft Pad  ]\"", "\"Mine [004:Soft Pad  ]\"", "\"Mine [010:Warm Pad  ]\""});
  }
  return lines;
}

class CompareBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("Compare/Mine.syx", MineBank());
    dir_.WriteFile("Base/Factory.syx", FactoryBank());
  }
  BatchOutcome Run(const std::vector<std::string>& args) {
    return testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir_.path(), args);
  }
  TempDir dir_;
};

// An earlier report is replaced; a link at a report's name (as an unpacked
// archive may bring) is replaced too, and the file it points to is kept.
TEST_F(CompareBatchTest, AllFourReportsInOneRun) {
  dir_.WriteFile("Compare/identity.txt", "a report of an earlier run\r\n");
  const std::filesystem::path outside = dir_.WriteFile("Home/notes.txt", "keep me\n");
  std::filesystem::create_symlink(outside, dir_.path() / "Compare" / "compare.txt");
  const BatchOutcome run = Run({"PrintAllSimilarities", "Print Only Identities", "printuniqueonly",
                                "Print Identical Patches Only"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, std::string(kBothLoaded) + kAllBefore + kAllFinished + kIdentitiesBefore +
                         kIdentitiesFinished + kUniqueBefore + kUniqueFinished + kIdenticalBefore +
                         kIdenticalFinished);
  EXPECT_EQ(run.out, Joined(AllSimilaritiesLines(), "\n") + Joined(OnlyIdentitiesLines(), "\n") +
                         Joined(AgainstBaseLines(true), "\n") +
                         Joined(AgainstBaseLines(false), "\n"));
  EXPECT_EQ(dir_.ReadFile("Compare/compare.txt"), Joined(AllSimilaritiesLines(), "\r\n"));
  EXPECT_EQ(dir_.ReadFile("Compare/identity.txt"), Joined(OnlyIdentitiesLines(), "\r\n"));
  EXPECT_FALSE(std::filesystem::is_symlink(dir_.path() / "Compare" / "compare.txt"));
  EXPECT_EQ(dir_.ReadFile("Home/notes.txt"), "keep me\n");
  EXPECT_EQ(dir_.ReadFile("Compare/uniqC2B.txt"), Joined(AgainstBaseLines(true), "\r\n"));
  EXPECT_EQ(dir_.ReadFile("Compare/identC2B.txt"), Joined(AgainstBaseLines(false), "\r\n"));
}

TEST_F(CompareBatchTest, SwitchesOffSendTheReportToOnePlaceOnly) {
  const BatchOutcome pane_only = Run({"ControlFileOutput", "PrintOnlyIdentities"});
  EXPECT_EQ(pane_only.exit_code, 0);
  EXPECT_EQ(pane_only.out, Joined(OnlyIdentitiesLines(), "\n"));
  EXPECT_EQ(pane_only.err, std::string(kBothLoaded) + "File Output is now turned OFF.\n" +
                               kIdentitiesBefore + kIdentitiesFinished);
  EXPECT_FALSE(dir_.Exists("Compare/identity.txt"));

  const BatchOutcome file_only = Run({"ControlScreenDisplay", "PrintUniqueOnly"});
  EXPECT_EQ(file_only.exit_code, 0);
  EXPECT_EQ(file_only.out, "");
  EXPECT_EQ(file_only.err, std::string(kBothLoaded) + "Screen display is now turned OFF.\n" +
                               kUniqueBefore + kUniqueFinished);
  EXPECT_EQ(dir_.ReadFile("Compare/uniqC2B.txt"), Joined(AgainstBaseLines(true), "\r\n"));
}

TEST_F(CompareBatchTest, OnlyOnePatchLeavesAnEarlierReportAsItWas) {
  TempDir dir;
  dir.WriteFile("Compare/Solo.syx",
                SyxBuilder().Dump(9, "Solo", MakeSounds(70, 71, 72, 73)).bytes());
  dir.WriteFile("Base/Factory.syx", FactoryBank());
  dir.WriteFile("Compare/compare.txt", "earlier\r\n");
  const BatchOutcome run =
      testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir.path(),
                               {"PrintAllSimilarities", "PrintOnlyIdentities", "PrintUniqueOnly"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, std::string(kBothLoaded) + kAllBefore +
                         "Message: ' Only one patch has been created!'\n" + kIdentitiesBefore +
                         "Message: ' Only one patch has been created!'\n" + kUniqueBefore +
                         kUniqueFinished);
  EXPECT_EQ(dir.ReadFile("Compare/compare.txt"), "earlier\r\n");
  EXPECT_FALSE(dir.Exists("Compare/identity.txt"));
  // A single patch is no error against the Base set.
  EXPECT_EQ(run.out,
            Joined({"The following sysex files were found in the 'Compare' directory:", "  Solo",
                    "The following sysex files were found in the 'Base' directory:", "  Factory",
                    kDashes, "Patch Comparisons:",
                    "These 'Compare' directory patches have sounds UNLIKE all 'Base' directory "
                    "patches:",
                    "\"Solo [009:Solo      ]\""},
                   "\n"));
}

// Without a standard output the pane's lines go nowhere, never into a report
// file that took the free descriptor.
TEST_F(CompareBatchTest, ClosedStandardOutputLeavesTheReportWhole) {
  const BatchOutcome run =
      testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir_.path(), {"PrintAllSimilarities"}, 0,
                               testing::StandardOutput::kClosed);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, std::string(kBothLoaded) + kAllBefore + kAllFinished);
  EXPECT_EQ(dir_.ReadFile("Compare/compare.txt"), Joined(AllSimilaritiesLines(), "\r\n"));
}

TEST_F(CompareBatchTest, ReportFileThatCannotBeOpenedGivesCodeFour) {
  dir_.MakeDir("Compare/identC2B.txt");  // a folder where the file should go
  const BatchOutcome run = Run({"PrintIdenticalOnly", "PrintOnlyIdentities"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, std::string(kBothLoaded) + kIdenticalBefore +
                         "Message: ' *.txt File Open Error!'\n" + kIdentitiesBefore +
                         kIdentitiesFinished);
  EXPECT_EQ(run.out, Joined(OnlyIdentitiesLines(), "\n"));
}

}  // namespace
}  // namespace dravelin
