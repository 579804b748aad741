// "Show Patch Details" through dravelin-batch: the patches named with
// --patch BANK:PROGRAM, their details on standard output, the status texts
// on standard error, and the usage errors of the option.

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/support/batch_process.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using sysex::MakeSounds;
using sysex::SyxBuilder;
using testing::BatchOutcome;
using testing::TempDir;

constexpr char kBothLoaded[] =
    "Finished reading in all the sysex files in both the \"Base\" and \"Compare\" "
    "directories.\n";
constexpr char kBefore[] = "Reading the patches named on the line at the cursor...\n";

class DetailsBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("Compare/Mine.syx", SyxBuilder()
                                           .Dump(3, "Soft Pad", MakeSounds(1, 2, 3, 4))
                                           .Dump(4, "Other Pad", MakeSounds(1, 2, 3, 5))
                                           .bytes());
    dir_.WriteFile("Base/Mine.syx", SyxBuilder().Dump(3, "Soft Pad", MakeSounds(1, 2, 3, 4)).bytes());
  }
  BatchOutcome Run(const std::vector<std::string>& args) {
    return testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir_.path(), args);
  }
  TempDir dir_;
};

TEST_F(DetailsBatchTest, PrintsThePatchesNamedByBankAndProgram) {
  struct Case {
    std::vector<std::string> args;
    std::string first_line;
    std::string finished;
  };
  const Case cases[] = {
      {{"--patch", "Mine:3"},
       "\"Mine [003:Soft Pad  ]\"",
       "Finished. The details of \"Mine [003:Soft Pad  ]\" are shown beside the report.\n"},
      {{"--patch=Mine.syx:3", "--patch", "Mine:4", "ShowPatchDetails"},
       "\"Mine [003:Soft Pad  ]\" / \"Mine [004:Other Pad ]\"",
       "Finished. \"Mine [003:Soft Pad  ]\" and \"Mine [004:Other Pad ]\" are shown side by side "
       "beside the report.\n"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.first_line);
    const BatchOutcome run = Run(test.args);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, std::string(kBothLoaded) + kBefore + test.finished);
    ASSERT_FALSE(run.out.empty());
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), test.first_line);
  }
  // Side by side, the one sound that differs is marked, and nothing else.
  const BatchOutcome two = Run({"--patch", "Mine:3", "--patch", "Mine:4"});
  std::size_t marked = 0;
  for (std::size_t at = two.out.find("\n  * "); at != std::string::npos;
       at = two.out.find("\n  * ", at + 1)) {
    ++marked;
  }
  // The name, and what differs between sounds 4 and 5 of the builder.
  EXPECT_GE(marked, 2u);
  EXPECT_LT(marked, 40u);
}

TEST_F(DetailsBatchTest, RefusesWhatNamesNoPatch) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{"--patch"}, "dravelin-batch: --patch needs BANK:PROGRAM (see --help)\n"},
      {{"--patch", "Mine:3", "--patch", "Mine:3", "--patch", "Mine:4"},
       "dravelin-batch: --patch names one or two patches (see --help)\n"},
      {{"ShowPatchDetails", "--patch", "Mine:3"},
       "dravelin-batch: --patch comes before the commands (see --help)\n"},
      {{"--patch", "Mine:9"}, "dravelin-batch: --patch: no bank 'Mine' holds program 9\n"},
      {{"--patch", "Mine"}, "dravelin-batch: --patch: 'Mine' is not BANK:PROGRAM\n"},
      {{"--patch", "Mine:300"},
       "dravelin-batch: --patch: '300' is no program number (0 to 255)\n"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.error);
    const BatchOutcome run = Run(test.args);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.out, "");
    ASSERT_GE(run.err.size(), test.error.size());
    EXPECT_EQ(run.err.substr(run.err.size() - test.error.size()), test.error);
  }
  // Without --patch the command has no line to read: it says so.
  const BatchOutcome none = Run({"ShowPatchDetails"});
  EXPECT_EQ(none.exit_code, 0);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, std::string(kBothLoaded) + kBefore +
                          "The line at the cursor names no patch of the sysex files read: put the "
                          "cursor on a line that names one.\n");
}

}  // namespace
}  // namespace dravelin
