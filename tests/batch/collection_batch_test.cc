// The commands over the whole collection as scripts see them through
// dravelin-batch: standard output (the pane), standard error (the status
// line), exit status and the report files; and the catalogue as Python's
// csv module reads it.

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
constexpr char kWriteError[] = "Message: ' *.txt File Write Error!'\n";

struct Command {
  const char* component;
  const char* file;   // in Compare
  const char* texts;  // before and finished, each with its line end
};

const Command kCommands[] = {
    {"PrintSoundGroups", "groups.txt",
     "Finding sound groups...\n"
     "Finished. The file \"Compare\\groups.txt\" lists the groups of patches whose sounds are "
     "identical\n"},
    {"PrintBanksWorthKeeping", "keep.txt",
     "Counting the sounds each bank adds...\n"
     "Finished. The file \"Compare\\keep.txt\" tells how many sounds each sysex file in the "
     "\"Compare\" directory adds\n"},
    {"CreatePatchCatalogue", "catalogue.csv",
     "Making the patch catalogue...\n"
     "Finished. The file \"Compare\\catalogue.csv\" lists every patch, one row each, for a "
     "spreadsheet\n"},
    {"PrintNearTwins", "twins.txt",
     "Finding near twins...\n"
     "Finished. The file \"Compare\\twins.txt\" lists the patches whose sounds differ in at "
     "most three parameters\n"},
};

// The pane's lines as standard output has them: the file's lines, each
// ended by LF alone.
std::string AsOutput(const std::string& file) {
  std::string out;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') continue;
    out += file[i];
  }
  return out;
}

// Bank and file names with commas, quotes and a semicolon, in the Windows
// code page and in UTF-8, and patch names a spreadsheet may take for a
// formula. Café 000, Strings 000 and Factory 000 have the same sounds;
// Klänge 000 and Strings 001 the same name; Café 001 and Factory 001 three
// sounds in common.
class CollectionBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("Compare/Caf\xE9.syx", SyxBuilder()
                                              .Dump(0, "-Lead", MakeSounds(1, 2, 3, 4))
                                              .Dump(1, "@Home", MakeSounds(9, 10, 11, 12))
                                              .bytes());
    dir_.WriteFile("Compare/Kl\xC3\xA4nge.syx",
                   SyxBuilder().Dump(0, "=1+2", MakeSounds(13, 14, 15, 16)).bytes());
    dir_.WriteFile("Compare/Strings, \"Big\";Pads.syx",
                   SyxBuilder()
                       .Dump(0, "Str,\"Pad\";", MakeSounds(4, 3, 2, 1))
                       .Dump(1, "=1+2", MakeSounds(5, 6, 7, 8))
                       .bytes());
    dir_.WriteFile("Base/Factory.syx", SyxBuilder()
                                           .Dump(0, "Plain", MakeSounds(2, 1, 4, 3))
                                           .Dump(1, "Other", MakeSounds(9, 10, 11, 99))
                                           .bytes());
  }
  BatchOutcome Run(const std::vector<std::string>& args, std::uint64_t file_size_limit = 0) {
    return testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir_.path(), args, file_size_limit);
  }
  TempDir dir_;
};

TEST_F(CollectionBatchTest, EachCommandReplacesItsFileAndShowsWhatItHolds) {
  std::vector<std::string> args;
  std::string statuses = kBothLoaded;
  for (const Command& command : kCommands) {
    dir_.WriteFile(std::string("Compare/") + command.file, "an earlier report\r\n");
    args.push_back(command.component);
    statuses += command.texts;
  }
  const BatchOutcome run = Run(args);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, statuses);
  std::string files;
  for (const Command& command : kCommands) {
    const std::string file = dir_.ReadFile(std::string("Compare/") + command.file);
    EXPECT_EQ(file.find("earlier"), std::string::npos) << command.file;
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n") << command.file;
    files += file;
  }
  EXPECT_EQ(run.out, AsOutput(files));
  EXPECT_NE(
      run.out.find("  Patches:                7 in 4 banks ('Compare' 5 in 3, 'Base' 2 in 1)"),
      std::string::npos);
}

TEST_F(CollectionBatchTest, SwitchesAndAFailedWriteAsForEveryReport) {
  for (const Command& command : kCommands) {
    SCOPED_TRACE(command.component);
    const std::string path = std::string("Compare/") + command.file;
    const BatchOutcome both = Run({command.component});
    const std::string file = dir_.ReadFile(path);
    ASSERT_EQ(both.exit_code, 0);

    dir_.WriteFile(path, "kept\r\n");
    const BatchOutcome pane_only = Run({"ControlFileOutput", command.component});
    EXPECT_EQ(pane_only.err,
              std::string(kBothLoaded) + "File Output is now turned OFF.\n" + command.texts);
    EXPECT_EQ(pane_only.out, both.out);
    EXPECT_EQ(dir_.ReadFile(path), "kept\r\n");

    const BatchOutcome file_only = Run({"ControlScreenDisplay", command.component});
    EXPECT_EQ(file_only.err,
              std::string(kBothLoaded) + "Screen display is now turned OFF.\n" + command.texts);
    EXPECT_EQ(file_only.out, "");
    EXPECT_EQ(dir_.ReadFile(path), file);

    // Every report here is longer than 200 bytes: the write fails, the
    // command ends with code 16 and the earlier file stays.
    dir_.WriteFile(path, "kept\r\n");
    ASSERT_GT(file.size(), 200u);
    const BatchOutcome failed = Run({command.component}, 200);
    EXPECT_EQ(failed.exit_code, 1);
    const std::string before(command.texts, std::string(command.texts).find('\n') + 1);
    EXPECT_EQ(failed.err, std::string(kBothLoaded) + before + kWriteError);
    EXPECT_EQ(dir_.ReadFile(path), "kept\r\n");
  }
}

std::vector<std::vector<std::string>> Split(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\x1e', at);
    if (end == std::string::npos) break;
    std::vector<std::string> fields;
    std::size_t from = at;
    while (true) {
      const std::size_t stop = text.find('\x1f', from);
      if (stop == std::string::npos || stop > end) {
        fields.push_back(text.substr(from, end - from));
        break;
      }
      fields.push_back(text.substr(from, stop - from));
      from = stop + 1;
    }
    rows.push_back(fields);
    at = end + 1;
  }
  return rows;
}

TEST_F(CollectionBatchTest, PythonsCsvModuleReadsEveryPatchBackIntact) {
  ASSERT_EQ(Run({"ControlScreenDisplay", "CreatePatchCatalogue"}).exit_code, 0);
  const std::string bytes = dir_.ReadFile("Compare/catalogue.csv");
  ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << "a UTF-8 byte order mark first";
  const BatchOutcome read = testing::RunBatchProcess(
      "/usr/bin/python3", dir_.path(),
      {DRAVELIN_SOURCE_DIR "/tests/batch/read_csv.py", "Compare/catalogue.csv"});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  const std::string cafe = "Caf\xC3\xA9";  // Latin-1 in the file name, UTF-8 here
  const std::string klaenge = "Kl\xC3\xA4nge";
  const std::string strings = "Strings, \"Big\";Pads";
  const std::vector<std::vector<std::string>> expected = {
      {"Set", "File", "Bank", "Program", "Name", "Sound group", "Patches in group",
       "Banks holding group", "Similar patches"},
      {"Compare", cafe + ".syx", cafe, "0", "-Lead     ", "1", "3", "3", "2"},
      {"Compare", cafe + ".syx", cafe, "1", "@Home     ", "2", "1", "1", "1"},
      {"Compare", klaenge + ".syx", klaenge, "0", "=1+2      ", "3", "1", "1", "1"},
      {"Compare", strings + ".syx", strings, "0", "Str,\"Pad\";", "1", "3", "3", "2"},
      {"Compare", strings + ".syx", strings, "1", "=1+2      ", "4", "1", "1", "1"},
      {"Base", "Factory.syx", "Factory", "0", "Plain     ", "1", "3", "3", "2"},
      {"Base", "Factory.syx", "Factory", "1", "Other     ", "5", "1", "1", "1"},
  };
  EXPECT_EQ(Split(read.out), expected);
}

}  // namespace
}  // namespace dravelin
