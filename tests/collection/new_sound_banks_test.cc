// The banks of new sounds: which patches they take, held against the
// pairwise comparison on generated sets; what the banks and their lists
// hold; and how writing them fails.

#include "collection/new_sound_banks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "banks/program_dump.h"
#include "compare/patch_comparison.h"
#include "tests/compare/oracle/generated_sets.h"
#include "tests/compare/report_fixture.h"

namespace dravelin {
namespace {

using sysex::MakeEffectsData;
using sysex::MakeProgramData;
using sysex::MakeSounds;
using sysex::SyxBuilder;
using testing::CrlfLines;
using testing::kDashes;
using testing::ReportFixture;

Bank ReadBank(std::string name, const std::string& bytes) {
  Bank bank;
  bank.name = name;
  bank.file_name = name + ".syx";
  ByteStream in(bytes);
  std::size_t left = kMaxPatchesPerSet;
  EXPECT_EQ(ReadProgramDumps(in, bank, &left), kAllIsOk);
  return bank;
}

// Every Compare patch whose sounds no Compare patch before it and no Base
// patch has, judged pair by pair.
std::vector<const Patch*> PairwiseNewSounds(const BankSet& compare_set, const BankSet& base_set) {
  std::vector<const Patch*> compare;
  for (const Bank& bank : compare_set) {
    for (const Patch& patch : bank.patches) compare.push_back(&patch);
  }
  std::vector<const Patch*> fresh;
  for (std::size_t i = 0; i < compare.size(); ++i) {
    bool known = false;
    for (std::size_t j = 0; j < i && !known; ++j) {
      known = ComparePatches(*compare[i], *compare[j]).sounds_identical;
    }
    for (const Bank& bank : base_set) {
      for (const Patch& patch : bank.patches) {
        known = known || ComparePatches(*compare[i], patch).sounds_identical;
      }
    }
    if (!known) fresh.push_back(compare[i]);
  }
  return fresh;
}

// The banks a run stored, read back; and that no bank after them was.
BankSet BuiltBanks(const ReportFixture& fixture, std::size_t banks) {
  BankSet built;
  for (std::size_t n = 1; n <= banks; ++n) {
    built.push_back(
        ReadBank("New Sounds " + std::to_string(n), fixture.File(NewBankFileName(n, "syx"))));
  }
  EXPECT_FALSE(
      fixture.files.Created(fixture.channel.ReportFilePath(NewBankFileName(banks + 1, "syx"))));
  return built;
}

void ExpectBanksOfTheNewSounds(const BankSet& compare_set, const BankSet& base_set) {
  ReportFixture fixture;
  NewSoundBanks built;
  ASSERT_EQ(WriteNewSoundBanks(fixture.channel, compare_set, base_set, &built), kAllIsOk);
  const std::vector<const Patch*> expected = PairwiseNewSounds(compare_set, base_set);
  ASSERT_EQ(built.programs, expected.size());
  ASSERT_EQ(built.banks, (expected.size() + 127) / 128);
  const BankSet banks = BuiltBanks(fixture, built.banks);
  std::size_t next = 0;
  for (const Bank& bank : banks) {
    // Full banks, the last one holding the rest.
    EXPECT_EQ(bank.patches.size(), std::min<std::size_t>(128, expected.size() - next));
    for (std::size_t slot = 0; slot < bank.patches.size(); ++slot, ++next) {
      const Patch& patch = bank.patches[slot];
      EXPECT_EQ(patch.program_number, slot);
      // The generated patches carry names of their own beside their data;
      // a bank holds the name their data holds.
      const ProgramData source = UnpackedProgram(*expected[next]);
      Patch named;
      DecodePatchName(source, named);
      EXPECT_EQ(patch.name, named.name);
      EXPECT_EQ(UnpackedProgram(patch), source);
    }
  }
  EXPECT_EQ(next, expected.size());

  // With the new banks in Base no Compare sound is new any more, and the
  // new banks alone hold no sound twice.
  BankSet base_and_built = base_set;
  base_and_built.insert(base_and_built.end(), banks.begin(), banks.end());
  EXPECT_TRUE(NewSounds(SoundGroups(compare_set, base_and_built)).empty());
  const SoundGroups alone(banks, BankSet());
  EXPECT_EQ(alone.group_count(), alone.patch_count());
}

TEST(NewSoundBanksTest, BanksHoldTheNewSoundsThePairwiseMethodFinds) {
  const BankSet no_base;
  for (std::uint32_t seed = 0; seed < 200; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const testing::SetPair sets = testing::MakeCollidingSets(seed);
    for (const BankSet* base : {&sets.base_set, &no_base}) {
      ExpectBanksOfTheNewSounds(sets.compare_set, *base);
    }
  }
  // Enough new sounds for several banks.
  testing::CorpusShape shape;
  shape.banks = 3;
  for (std::uint32_t seed = 0; seed < 3; ++seed) {
    SCOPED_TRACE("corpus " + std::to_string(seed));
    const testing::SetPair sets = testing::MakeRealisticCorpus(seed, shape);
    for (const BankSet* base : {&sets.base_set, &no_base}) {
      ExpectBanksOfTheNewSounds(sets.compare_set, *base);
    }
  }
}

// Mine 003 and 004 have the same sounds (004 is no new sound); Bell is in
// Factory; Short is a damaged dump cut after its name; only Soft Pad and
// Other Pad have effects dumps.
const ProgramData kSoftPad = MakeProgramData("Soft Pad", MakeSounds(1, 2, 3, 4));
const ProgramData kShort = MakeProgramData("Short", MakeSounds(20, 21, 22, 23));

std::string MineBytes() {
  std::string short_dump = sysex::ProgramDump(6, kShort).substr(0, 7 + 16) + "\xF7";
  return SyxBuilder()
      .Dump(3, kSoftPad)
      .Effects(3, MakeEffectsData(30))
      .Dump(4, "Other Pad", MakeSounds(4, 3, 2, 1))
      .Effects(4, MakeEffectsData(40))
      .Dump(5, "Bell", MakeSounds(9, 8, 7, 1))
      .Raw(short_dump)
      .bytes();
}

TEST(NewSoundBanksTest, TheBankHoldsTheSourceMessagesAndItsListNamesThem) {
  ProgramData short_read = {};  // what the cut dump unpacks to
  std::copy_n(kShort.begin(), 14, short_read.begin());
  const std::string soft_pad_slot = [] {
    std::string program = sysex::ProgramDump(0, kSoftPad);
    std::string effects = sysex::EffectsDump(0, MakeEffectsData(30));
    return program + effects;
  }();
  const std::string head_with_base =
      "Each is the first patch of its sound in the 'Compare' directory; no 'Base' patch has it.";
  const std::string head_alone = "Each is the first patch of its sound in the 'Compare' directory.";
  const std::string rows_head =
      "Program, patch, then the sysex file and program it was taken from:";
  const std::string soft_pad_row = "\"Mine [003:Soft Pad  ]\"  Compare\\Mine.syx, program 003";
  const std::string short_row =
      "\"Mine [006:Short     ]\"  Compare\\Mine.syx, program 006; no effects dump; damaged dump "
      "rebuilt";

  struct Case {
    const char* what;
    std::vector<Bank> base;
    std::string list;
    std::string bank;
  };
  const Case cases[] = {
      {"Factory in Base",
       {ReadBank("Factory", SyxBuilder().Dump(0, "Factory", MakeSounds(9, 8, 7, 1)).bytes())},
       CrlfLines({"New Banks\\New Sounds 1.syx: new sounds 1 to 2 of 2, as programs 000 to 001.",
                  head_with_base, rows_head, "", "000  " + soft_pad_row, "001  " + short_row}),
       soft_pad_slot + sysex::ProgramDump(1, short_read)},
      {"no Base",
       {},
       CrlfLines({"New Banks\\New Sounds 1.syx: new sounds 1 to 3 of 3, as programs 000 to 002.",
                  head_alone, rows_head, "", "000  " + soft_pad_row,
                  "001  \"Mine [005:Bell      ]\"  Compare\\Mine.syx, program 005; no effects dump",
                  "002  " + short_row}),
       soft_pad_slot + sysex::ProgramDump(1, "Bell", MakeSounds(9, 8, 7, 1)) +
           sysex::ProgramDump(2, short_read)},
      {"one new sound",
       {ReadBank("Factory", SyxBuilder()
                                .Dump(0, "Factory", MakeSounds(9, 8, 7, 1))
                                .Dump(1, "Pad", MakeSounds(4, 1, 2, 3))
                                .bytes())},
       CrlfLines({"New Banks\\New Sounds 1.syx: new sound 1 of 1, as program 000.", head_with_base,
                  rows_head, "", "000  " + short_row}),
       sysex::ProgramDump(0, short_read)},
  };
  const BankSet compare = {ReadBank("Mine", MineBytes())};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReportFixture fixture;
    fixture.pane.lines = {"earlier"};
    NewSoundBanks built;
    ASSERT_EQ(WriteNewSoundBanks(fixture.channel, compare, c.base, &built), kAllIsOk);
    EXPECT_EQ(built.banks, 1u);
    EXPECT_EQ(fixture.File(NewBankFileName(1, "txt")), c.list);
    EXPECT_EQ(fixture.PaneAsFile(), c.list);
    EXPECT_EQ(fixture.File(NewBankFileName(1, "syx")), c.bank);
    EXPECT_EQ(fixture.files.folders(),
              std::vector<std::filesystem::path>{std::filesystem::path("/w") / "New Banks"});
    EXPECT_EQ(fixture.files.created().size(), 2u);
  }
}

TEST(NewSoundBanksTest, AFileNameWithControlCharactersStaysOnItsRow) {
  BankSet compare = {ReadBank("Mine", SyxBuilder().Dump(3, kSoftPad).bytes())};
  compare[0].file_name = "Line\r\nBreak\n\t.syx";
  ReportFixture fixture;
  NewSoundBanks built;
  ASSERT_EQ(WriteNewSoundBanks(fixture.channel, compare, BankSet(), &built), kAllIsOk);
  const std::string row =
      "\r\n000  \"Mine [003:Soft Pad  ]\"  Compare\\Line__Break__.syx, program 003; no effects "
      "dump\r\n";
  const std::string list = fixture.File(NewBankFileName(1, "txt"));
  ASSERT_GE(list.size(), row.size());
  EXPECT_EQ(list.substr(list.size() - row.size()), row);
}

TEST(NewSoundBanksTest, ThePaneShowsEveryListPartedBySeparators) {
  const BankSet compare = {ReadBank("Many", sysex::BankOfDistinctPatches(300, 7))};
  ReportFixture fixture;
  NewSoundBanks built;
  ASSERT_EQ(WriteNewSoundBanks(fixture.channel, compare, BankSet(), &built), kAllIsOk);
  EXPECT_EQ(built.banks, 3u);
  EXPECT_EQ(built.programs, 300u);
  std::string pane_expected;
  const char* heads[] = {
      "New Banks\\New Sounds 1.syx: new sounds 1 to 128 of 300, as programs "
      "000 to 127.",
      "New Banks\\New Sounds 2.syx: new sounds 129 to 256 of 300, as programs "
      "000 to 127.",
      "New Banks\\New Sounds 3.syx: new sounds 257 to 300 of 300, as programs "
      "000 to 043."};
  for (std::size_t n = 1; n <= 3; ++n) {
    const std::string list = fixture.File(NewBankFileName(n, "txt"));
    EXPECT_EQ(list.substr(0, list.find("\r\n")), heads[n - 1]);
    // The rows of bank 3 start at the 257th patch, program 256 mod 256.
    const std::string first_row = n == 3 ? "\r\n000  \"Many [000:Patch 0256]\"  Compare\\Many.syx, "
                                           "program 000; no effects dump\r\n"
                                         : "\r\n000  ";
    EXPECT_NE(list.find(first_row), std::string::npos);
    if (n > 1) pane_expected += kDashes + "\r\n";
    pane_expected += list;
  }
  EXPECT_EQ(fixture.PaneAsFile(), pane_expected);
}

TEST(NewSoundBanksTest, WithoutNewSoundsNothingIsWrittenAndThePaneSaysSo) {
  const BankSet compare = {ReadBank("Mine", MineBytes())};
  struct Case {
    const char* what;
    BankSet compare;
    std::vector<std::string> pane;
  };
  const Case cases[] = {
      {"every sound in Base",
       compare,
       {"No new sounds: every sound in the 'Compare' directory is in the 'Base' directory too.",
        "No bank was written."}},
      {"no Compare patch",
       {ReadBank("Empty", "no dumps")},
       {"No new sounds: the 'Compare' directory holds no patch.", "No bank was written."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReportFixture fixture;
    fixture.pane.lines = {"earlier"};
    NewSoundBanks built{9, 9};
    ASSERT_EQ(WriteNewSoundBanks(fixture.channel, c.compare, compare, &built), kAllIsOk);
    EXPECT_EQ(built.banks, 0u);
    EXPECT_EQ(built.programs, 0u);
    EXPECT_EQ(fixture.pane.lines, c.pane);
    EXPECT_TRUE(fixture.files.created().empty());
    EXPECT_TRUE(fixture.files.folders().empty());
  }
}

TEST(NewSoundBanksTest, AFileThatFailsEndsTheRunAndTheFilesBeforeItStayWhole) {
  const BankSet compare = {ReadBank("Many", sysex::BankOfDistinctPatches(200, 3))};
  const std::filesystem::path folder = std::filesystem::path("/w") / "New Banks";
  struct Case {
    const char* what;
    std::function<void(testing::FakeReportFiles&)> damage;
    MessageCode code;
    std::size_t whole_files;  // stored before the failure, in order
    bool pane_cleared;
  };
  const Case cases[] = {
      {"the folder cannot be made", [&](auto& files) { files.FailFolder(folder); },
       kTxtFileWriteError, 0, false},
      {"the first bank cannot be created",
       [&](auto& files) { files.FailOpen(folder / "New Sounds 1.syx"); }, kTxtFileOpenError, 0,
       true},
      {"the second list cannot be created",
       [&](auto& files) { files.FailOpen(folder / "New Sounds 2.txt"); }, kTxtFileOpenError, 3,
       true},
      {"a write fails in the first bank", [](auto& files) { files.FailWritesAfter(1000); },
       kTxtFileWriteError, 0, true},
      {"closing fails", [](auto& files) { files.FailClose(); }, kTxtFileWriteError, 0, true},
  };
  ReportFixture whole;
  NewSoundBanks built;
  ASSERT_EQ(WriteNewSoundBanks(whole.channel, compare, BankSet(), &built), kAllIsOk);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReportFixture fixture;
    fixture.pane.lines = {"earlier"};
    c.damage(fixture.files);
    ASSERT_EQ(WriteNewSoundBanks(fixture.channel, compare, BankSet(), &built), c.code);
    EXPECT_EQ(fixture.files.open_files(), 0);
    EXPECT_EQ(fixture.pane.clears, c.pane_cleared ? 1 : 0);
    // The files stored before the failure are whole; nothing after it is
    // created.
    const std::vector<std::filesystem::path>& created = fixture.files.created();
    ASSERT_LE(c.whole_files, created.size());
    EXPECT_LE(created.size(), c.whole_files + 1);
    for (std::size_t i = 0; i < c.whole_files; ++i) {
      EXPECT_EQ(fixture.files.Contents(created[i]), whole.files.Contents(created[i])) << created[i];
    }
  }
}

TEST(NewSoundBanksTest, WithFileOutputOffThePaneShowsTheListsAndNothingIsWritten) {
  const BankSet compare = {ReadBank("Mine", MineBytes())};
  ReportFixture on;
  NewSoundBanks built;
  ASSERT_EQ(WriteNewSoundBanks(on.channel, compare, BankSet(), &built), kAllIsOk);
  ReportFixture off;
  off.channel.set_file_output(false);
  NewSoundBanks built_off;
  ASSERT_EQ(WriteNewSoundBanks(off.channel, compare, BankSet(), &built_off), kAllIsOk);
  EXPECT_EQ(built_off.banks, built.banks);
  EXPECT_EQ(built_off.programs, built.programs);
  EXPECT_EQ(off.pane.lines, on.pane.lines);
  EXPECT_TRUE(off.files.created().empty());
  EXPECT_TRUE(off.files.folders().empty());
}

}  // namespace
}  // namespace dravelin
