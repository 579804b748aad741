// "Build Banks of New Sounds" as scripts see it through dravelin-batch, and
// the banks it writes as others read them: Python's mido reads every
// message and holds it against its source file, and the program's own
// reports find the banks' sounds in them: loaded beside the Base set no
// Compare patch is unique, loaded as the Compare set no two patches share
// their sounds. On a generated collection and on the real banks.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/support/batch_process.h"
#include "tests/support/real_banks.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using sysex::EffectsDump;
using sysex::MakeEffectsData;
using sysex::MakeSounds;
using sysex::ProgramDump;
using testing::BatchOutcome;
using testing::TempDir;

constexpr char kBothLoaded[] =
    "Finished reading in all the sysex files in both the \"Base\" and \"Compare\" "
    "directories.\n";
constexpr char kBefore[] = "Building banks of new sounds...\n";
constexpr char kUniqueHeader[] =
    "These 'Compare' directory patches have sounds UNLIKE all 'Base' directory patches:\r\n";
constexpr char kNoSharedGroup[] = "  Groups of two or more:  0, holding 0 patches";

std::string Name(const char* stem, int n) {
  char name[16];
  std::snprintf(name, sizeof name, "%s %d", stem, n);
  return name;
}

std::string Effects(int number, int seed) {
  return EffectsDump(static_cast<std::uint8_t>(number),
                     MakeEffectsData(static_cast<std::uint32_t>(seed)));
}

// F0 00 00 0E 0E, the opcode, the number, the data, F7.
std::string Message(int opcode, int number, const std::string& data) {
  return std::string{'\xF0',
                     '\x00',
                     '\x00',
                     '\x0E',
                     '\x0E',
                     static_cast<char>(opcode),
                     static_cast<char>(number)} +
         data + '\xF7';
}

BatchOutcome RunBatch(const fs::path& folder, const std::vector<std::string>& args,
                      std::uint64_t file_size_limit = 0) {
  return testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, folder, args, file_size_limit);
}

// What check_new_banks.py makes of banks 1 to `banks` below `folder`: its
// summary line, or its faults.
std::string MidoCheck(const fs::path& folder, int banks) {
  const BatchOutcome read =
      testing::RunBatchProcess("/usr/bin/python3", folder,
                               {DRAVELIN_SOURCE_DIR "/tests/batch/check_new_banks.py",
                                folder.string(), std::to_string(banks)});
  EXPECT_EQ(read.exit_code, 0) << read.err;
  std::printf("check_new_banks.py: %s%s", read.out.c_str(), read.err.c_str());
  return read.out;
}

// The built banks of `from` (New Sounds 1 to `banks`) added to the Base set
// of `from`: "Print Unique Patches Only" lists no Compare patch. Loaded as
// the Compare set of a folder of their own: "Print Sound Groups" finds no
// group of two or more.
void ExpectTheReportsFindTheBanksSounds(const fs::path& from, int banks) {
  TempDir both;
  fs::copy(from / "Compare", both.path() / "Compare");
  fs::copy(from / "Base", both.path() / "Base");
  TempDir alone;
  alone.MakeDir("Compare");
  for (int n = 1; n <= banks; ++n) {
    const std::string file = "New Sounds " + std::to_string(n) + ".syx";
    fs::copy_file(from / "New Banks" / file, both.path() / "Base" / file);
    fs::copy_file(from / "New Banks" / file, alone.path() / "Compare" / file);
  }
  const BatchOutcome unique = RunBatch(both.path(), {"ControlScreenDisplay", "PrintUniqueOnly"});
  EXPECT_EQ(unique.exit_code, 0) << unique.err;
  const std::string report = both.ReadFile("Compare/uniqC2B.txt");
  ASSERT_GE(report.size(), std::string(kUniqueHeader).size());
  EXPECT_EQ(report.substr(report.size() - std::string(kUniqueHeader).size()), kUniqueHeader)
      << "Compare patches listed as unique";

  const BatchOutcome groups = RunBatch(alone.path(), {"ControlScreenDisplay", "PrintSoundGroups"});
  EXPECT_EQ(groups.exit_code, 0) << groups.err;
  EXPECT_NE(alone.ReadFile("Compare/groups.txt").find(kNoSharedGroup), std::string::npos);
}

// Alpha: programs 0 to 99, each followed by its effects, then a mix and a
// global dump. Beta: programs 0 to 59 first and then the effects of the even
// ones, its 0 to 19 Alpha 20 to 39 under other names in another order,
// then a damaged dump (60) with its effects. Base: Alpha 0 to 9 renamed,
// and ten sounds of its own. New: Alpha 10 to 99, Beta 20 to 59 and the
// damaged dump, 131 sounds in two banks.
class NewBanksBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string alpha;
    for (int i = 0; i < 100; ++i) {
      alpha += ProgramDump(static_cast<std::uint8_t>(i), Name("Alpha", i), AlphaSounds(i));
      alpha += Effects(i, 100 + i);
    }
    // A mix and a global dump, which no bank takes.
    alpha += Message(0x0E, 5, std::string(158, '\x01'));
    alpha += Message(0x0A, 0, std::string(23, '\x02'));
    dir_.WriteFile("Compare/Alpha.syx", alpha);

    std::string beta;
    for (int i = 0; i < 60; ++i) {
      const auto seed = static_cast<std::uint32_t>(5000 + 4 * i);
      const sysex::Sounds sounds =
          i < 20 ? MakeSounds(1000 + 4 * (i + 20) + 3, 1000 + 4 * (i + 20) + 1,
                              1000 + 4 * (i + 20) + 2, 1000 + 4 * (i + 20))
                 : MakeSounds(seed, seed + 1, seed + 2, seed + 3);
      beta += ProgramDump(static_cast<std::uint8_t>(i), Name("Beta", i), sounds);
    }
    for (int i = 0; i < 60; i += 2) beta += Effects(i, 200 + i);
    beta += ProgramDump(60, "Cut", MakeSounds(7000, 7001, 7002, 7003)).substr(0, 7 + 32) + "\xF7";
    beta += Effects(60, 260);
    dir_.WriteFile("Compare/Beta.SYX", beta);

    std::string base;
    for (int i = 0; i < 20; ++i) {
      const auto seed = static_cast<std::uint32_t>(9000 + 4 * i);
      base += ProgramDump(static_cast<std::uint8_t>(i), Name("Factory", i),
                          i < 10 ? AlphaSounds(i) : MakeSounds(seed, seed + 1, seed + 2, seed + 3));
    }
    dir_.WriteFile("Base/Factory.syx", base);
  }

  static sysex::Sounds AlphaSounds(int i) {
    const auto seed = static_cast<std::uint32_t>(1000 + 4 * i);
    return MakeSounds(seed, seed + 1, seed + 2, seed + 3);
  }

  TempDir dir_;
};

TEST_F(NewBanksBatchTest, BanksOfTheNewSoundsReadBackAsTheirSources) {
  // An earlier run's second bank is replaced; its third bank and a file of
  // the user's stay as they are.
  dir_.WriteFile("New Banks/New Sounds 2.syx", "earlier");
  dir_.WriteFile("New Banks/New Sounds 3.syx", "earlier");
  dir_.WriteFile("New Banks/mine.txt", "the user's");
  const BatchOutcome run = RunBatch(dir_.path(), {"BuildNewSoundBanks"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err,
            std::string(kBothLoaded) + kBefore +
                "Finished. 2 banks of 131 programs were written: \"New Banks\\New Sounds "
                "1.syx\" to \"New Banks\\New Sounds 2.syx\", each with its list (.txt).\n");
  EXPECT_EQ(dir_.ReadFile("New Banks/New Sounds 3.syx"), "earlier");
  EXPECT_EQ(dir_.ReadFile("New Banks/mine.txt"), "the user's");
  // The pane: the two lists, parted by a separator.
  std::string lists = dir_.ReadFile("New Banks/New Sounds 1.txt") + std::string(88, '-') + "\r\n" +
                      dir_.ReadFile("New Banks/New Sounds 2.txt");
  std::string out;
  for (char c : lists) {
    if (c != '\r') out += c;
  }
  EXPECT_EQ(run.out, out);
  EXPECT_NE(run.out.find("002  \"Beta [060:Cut       ]\"  Compare\\Beta.SYX, program 060; "
                         "damaged dump rebuilt\n"),
            std::string::npos);

  // Effects: Alpha's 90, Beta's even ones of 20 to 59 and the damaged dump's.
  EXPECT_EQ(MidoCheck(dir_.path(), 2), "banks 2 programs 131 effects 111 rebuilt 1\n");
  ExpectTheReportsFindTheBanksSounds(dir_.path(), 2);

  // Without Base every sound of Compare is new: Beta's first 20 are Alpha's.
  fs::remove_all(dir_.path() / "Base");
  ASSERT_EQ(RunBatch(dir_.path(), {"ControlScreenDisplay", "BuildNewSoundBanks"}).exit_code, 0);
  EXPECT_EQ(MidoCheck(dir_.path(), 2), "banks 2 programs 141 effects 121 rebuilt 1\n");
}

TEST_F(NewBanksBatchTest, FileOutputOffWritesNothingAndAFailedWriteShowsCodeSixteen) {
  const BatchOutcome listed = RunBatch(dir_.path(), {"ControlFileOutput", "BuildNewSoundBanks"});
  EXPECT_EQ(listed.exit_code, 0);
  EXPECT_EQ(listed.err, std::string(kBothLoaded) + "File Output is now turned OFF.\n" + kBefore +
                            "Finished. 2 banks of 131 programs listed; file output is off, so no "
                            "file was written.\n");
  EXPECT_FALSE(fs::exists(dir_.path() / "New Banks"));

  constexpr char kWriteError[] = "Message: ' *.txt File Write Error!'\n";
  // A file in the folder's place.
  dir_.WriteFile("New Banks", "a file");
  const BatchOutcome taken = RunBatch(dir_.path(), {"BuildNewSoundBanks"});
  EXPECT_EQ(taken.exit_code, 1);
  EXPECT_EQ(taken.err, std::string(kBothLoaded) + kBefore + kWriteError);
  EXPECT_EQ(taken.out, "");
  EXPECT_EQ(dir_.ReadFile("New Banks"), "a file");

  // A bank larger than a file may grow: the earlier bank stays.
  fs::remove(dir_.path() / "New Banks");
  dir_.WriteFile("New Banks/New Sounds 1.syx", "earlier");
  const BatchOutcome failed = RunBatch(dir_.path(), {"BuildNewSoundBanks"}, 20000);
  EXPECT_EQ(failed.exit_code, 1);
  EXPECT_EQ(failed.err, std::string(kBothLoaded) + kBefore + kWriteError);
  EXPECT_EQ(dir_.ReadFile("New Banks/New Sounds 1.syx"), "earlier");
  EXPECT_FALSE(fs::exists(dir_.path() / "New Banks" / "New Sounds 1.txt"));
}

// The real banks, the five factory banks as Base and the others as Compare.
TEST(NewBanksRealBanksTest, BanksOfTheRealBanksNewSoundsReadBackAsTheirSources) {
  const fs::path banks = DRAVELIN_QS_BANKS;
  if (!fs::is_directory(banks / "alesis-factory")) {
    GTEST_SKIP() << "no real banks in " << banks;
  }
  TempDir dir;
  int compare_files = 0;
  for (const auto& entry : fs::directory_iterator(banks)) {
    if (!entry.is_directory()) continue;
    if (entry.path().filename() == "alesis-factory") {
      testing::GatherRealBankFiles(entry.path(), dir.path() / "Base", testing::Gather::kLink);
    } else {
      compare_files += testing::GatherRealBankFiles(entry.path(), dir.path() / "Compare",
                                                    testing::Gather::kLink);
    }
  }
  const BatchOutcome run = RunBatch(dir.path(), {"ControlScreenDisplay", "BuildNewSoundBanks"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::printf("%d Compare files, the factory banks as Base: %s", compare_files,
              run.err.substr(run.err.rfind("Finished.")).c_str());
  int built = 0;
  while (
      fs::exists(dir.path() / "New Banks" / ("New Sounds " + std::to_string(built + 1) + ".syx"))) {
    ++built;
  }
  ASSERT_GT(built, 0);
  EXPECT_NE(run.err.find("Finished. " + std::to_string(built) + " banks of "), std::string::npos)
      << "the status names another count of banks than were written";
  const std::string summary = MidoCheck(dir.path(), built);
  EXPECT_EQ(summary.substr(0, summary.find(" programs")), "banks " + std::to_string(built));
  ExpectTheReportsFindTheBanksSounds(dir.path(), built);
}

}  // namespace
}  // namespace dravelin
