// Effects dumps read beside the program dumps: which messages count, how
// they pair with patches in every layout, and the source messages each
// patch keeps. Reading them never changes which program dumps are found.

#include "banks/effects_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/bank.h"
#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "banks/program_dump.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using sysex::EffectsDump;
using sysex::MakeEffectsData;
using sysex::MakeProgramData;
using sysex::MakeSounds;
using sysex::ProgramDump;
using sysex::SyxBuilder;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

ProgramData DataFor(int program) {
  const auto seed = static_cast<std::uint32_t>(program) * 4;
  char name[16];
  std::snprintf(name, sizeof name, "Prog %03d", program);
  return MakeProgramData(name, MakeSounds(seed, seed + 1, seed + 2, seed + 3));
}

std::string Program(int number) {
  return ProgramDump(static_cast<std::uint8_t>(number), DataFor(number));
}

// Effects whose data tell which dump they are: `tag` apart from the number.
std::string Effects(int number, int tag = 0) {
  return EffectsDump(static_cast<std::uint8_t>(number),
                     MakeEffectsData(static_cast<std::uint32_t>(1000 * tag + number)));
}

std::string Text(std::span<const std::uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

Bank Read(const std::string& bytes) {
  Bank bank;
  ByteStream in(bytes);
  std::size_t left = kMaxPatchesPerSet;
  EXPECT_EQ(ReadProgramDumps(in, bank, &left), kAllIsOk);
  return bank;
}

std::vector<int> FoundNumbers(const EffectsDumpFinder& finder) {
  std::vector<int> numbers;
  for (const auto& dump : finder.found()) numbers.push_back(dump.number);
  return numbers;
}

// --- Which messages are effects dumps ----------------------------------------

TEST(EffectsDumpFinderTest, TakesOnlyWholeMessages) {
  const std::string whole = Effects(5);
  const std::string payload = whole.substr(7, kEffectsPayloadSize);
  const std::string head = whole.substr(0, 7);
  struct Case {
    const char* label;
    std::string bytes;
    std::vector<int> numbers;
  };
  const Case kCases[] = {
      {"a whole dump", whole, {5}},
      {"two, with text between", Effects(1) + "text" + Effects(127), {1, 127}},
      {"cut short by F7", head + payload.substr(1) + "\xF7", {}},
      {"one payload byte too many", head + payload + "\x01\xF7", {}},
      {"a payload byte of 80 hex",
       head + payload.substr(0, 40) + "\x80" + payload.substr(41) + "\xF7",
       {}},
      {"a number of 80 hex", Bytes({0xF0, 0, 0, 0x0E, 0x0E, 0x06, 0x80}) + payload + "\xF7", {}},
      {"cut by the next message", head + payload.substr(0, 30) + Effects(7), {7}},
      {"cut by the end of the file", whole.substr(0, 82), {}},
      {"an edit effects dump", Bytes({0xF0, 0, 0, 0x0E, 0x0E, 0x08}) + whole.substr(6), {}},
      {"another maker's", Bytes({0xF0, 0, 0, 0x0F, 0x0E, 0x06}) + whole.substr(6), {}},
      {"a program dump", Program(5), {}},
      {"F0 F0 before the header", "\xF0" + whole, {5}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    EffectsDumpFinder finder(kMaxPatchesPerSet);
    finder.Observe({reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()});
    EXPECT_EQ(FoundNumbers(finder), c.numbers);
    for (const auto& dump : finder.found()) EXPECT_TRUE(IsEffectsDump(finder.Message(dump)));
  }
}

TEST(EffectsDumpFinderTest, ChunksOfAnySizeFindTheSame) {
  const std::string bytes = SyxBuilder()
                                .Raw(Program(1))
                                .Raw(Effects(1))
                                .Raw("\xF0\x00\x00\x0E\x0E\x06\x03\x01\xF7")
                                .OtherMessage(160)
                                .Raw(Effects(2))
                                .Raw(Effects(3))
                                .bytes();
  EffectsDumpFinder whole(kMaxPatchesPerSet);
  whole.Observe({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  ASSERT_EQ(FoundNumbers(whole), (std::vector<int>{1, 2, 3}));
  for (std::size_t chunk : {1u, 2u, 7u, 82u, 83u, 84u, 409u}) {
    SCOPED_TRACE(chunk);
    EffectsDumpFinder finder(kMaxPatchesPerSet);
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
      const std::size_t size = std::min(chunk, bytes.size() - at);
      finder.Observe({reinterpret_cast<const std::uint8_t*>(bytes.data()) + at, size});
    }
    EXPECT_EQ(FoundNumbers(finder), FoundNumbers(whole));
    EXPECT_EQ(finder.bytes(), whole.bytes());
  }
}

TEST(EffectsDumpFinderTest, KeepsAtMostItsLimit) {
  const std::string bytes = Effects(1) + Effects(2) + Effects(3);
  EffectsDumpFinder finder(2);
  finder.Observe({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  EXPECT_EQ(FoundNumbers(finder), (std::vector<int>{1, 2}));
}

TEST(UnpackEffectsDataTest, UnpacksWhatWasPacked) {
  for (std::uint32_t seed : {0u, 1u, 77u}) {
    const EffectsData data = MakeEffectsData(seed);
    const std::string dump = EffectsDump(9, data);
    ASSERT_EQ(dump.size(), kEffectsDumpSize);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(dump.data());
    EXPECT_TRUE(UnpackEffectsData(std::span<const std::uint8_t, kEffectsDumpSize>(
                    bytes, kEffectsDumpSize)) == data);
  }
}

// --- Pairing with patches ----------------------------------------------------

struct PairingCase {
  const char* label;
  std::string bytes;
  std::vector<int> programs;         // the program numbers of the patches found
  std::vector<std::string> effects;  // each patch's effects message, empty for none
};

TEST(ReadProgramDumpsTest, GivesEachPatchTheEffectsOfItsNumber) {
  const PairingCase kCases[] = {
      {"no effects", Program(0) + Program(1), {0, 1}, {"", ""}},
      {"each program followed by its effects",
       Program(0) + Effects(0) + Program(1) + Effects(1) + Program(2) + Effects(2),
       {0, 1, 2},
       {Effects(0), Effects(1), Effects(2)}},
      {"all programs first",
       Program(0) + Program(1) + Program(2) + Effects(0) + Effects(1) + Effects(2),
       {0, 1, 2},
       {Effects(0), Effects(1), Effects(2)}},
      {"effects first, in another order",
       Effects(2) + Effects(0) + Program(0) + Program(2),
       {0, 2},
       {Effects(0), Effects(2)}},
      {"one program without its effects",
       Program(0) + Program(1) + Effects(1),
       {0, 1},
       {"", Effects(1)}},
      {"a number twice, effects twice: in turn",
       Program(5) + Program(5) + Effects(5, 1) + Effects(5, 2),
       {5, 5},
       {Effects(5, 1), Effects(5, 2)}},
      {"a number twice, effects once: the first",
       Program(5) + Program(5) + Effects(5),
       {5, 5},
       {Effects(5), ""}},
      {"two banks end to end",
       Program(0) + Program(1) + Effects(0, 1) + Effects(1, 1) + Program(0) + Program(1) +
           Effects(0, 2) + Effects(1, 2),
       {0, 0 + 1, 0, 1},
       {Effects(0, 1), Effects(1, 1), Effects(0, 2), Effects(1, 2)}},
      {"effects among other messages",
       SyxBuilder()
           .Raw(Program(3))
           .OtherMessage(158)
           .Raw("loose text")
           .Raw(Bytes({0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x0A, 0x00, 0x01, 0xF7}))
           .Raw(Effects(3))
           .Raw(Bytes({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}))
           .bytes(),
       {3},
       {Effects(3)}},
      {"a cut effects message",
       Program(0) + Effects(0).substr(0, 50) + Program(1) + Effects(1).substr(0, 82),
       {0, 1},
       {"", ""}},
      {"a program number past 127 has none",
       ProgramDump(200, DataFor(1)) + Effects(72),
       {200},
       {""}},
  };
  for (const PairingCase& c : kCases) {
    SCOPED_TRACE(c.label);
    const Bank bank = Read(c.bytes);
    ASSERT_EQ(bank.patches.size(), c.programs.size());
    for (std::size_t i = 0; i < bank.patches.size(); ++i) {
      EXPECT_EQ(bank.patches[i].program_number, c.programs[i]);
      EXPECT_EQ(Text(EffectsMessage(bank, bank.patches[i])), c.effects[i]) << "patch " << i;
    }
  }
}

// The patches read beside the effects are those that the program dump
// decoder alone finds, in streams where effects messages, whole or cut, lie
// next to program dumps.
TEST(ReadProgramDumpsTest, EffectsNeverChangeWhichProgramsAreFound) {
  const std::string effects_head = Effects(4).substr(0, 7);
  const std::string streams[] = {
      Program(1) + Effects(1) + Program(2) + Effects(2),
      effects_head + Program(3),
      effects_head + "\x01\x02" + Program(4) + Effects(4),
      Effects(5).substr(0, 82) + Program(5),
      Bytes({0xF0, 0x00, 0x00, 0x0E}) + Program(6) + Effects(6),
      "\xF0" + Program(7),
      Program(8).substr(0, 300) + Effects(8) + Program(9),
      Program(10) + Effects(10).substr(0, 20),
  };
  for (const std::string& bytes : streams) {
    SCOPED_TRACE(::testing::PrintToString(bytes.substr(0, 12)));
    // The decoder alone, as its three operations are meant to be driven.
    std::vector<Patch> alone;
    {
      ByteStream in(bytes);
      ProgramData data;
      std::uint8_t number = 0;
      while (FindProgramDump(in, &number) == kAllIsOk && UnpackProgramData(in, data) == kAllIsOk) {
        alone.push_back(NewPatch(data, number));
      }
    }
    const Bank bank = Read(bytes);
    ASSERT_EQ(bank.patches.size(), alone.size());
    for (std::size_t i = 0; i < alone.size(); ++i) {
      EXPECT_EQ(bank.patches[i].program_number, alone[i].program_number);
      EXPECT_EQ(bank.patches[i].name, alone[i].name);
      EXPECT_TRUE(bank.patches[i].sounds == alone[i].sounds);
    }
  }
}

// --- The messages a patch keeps ------------------------------------------------

TEST(ReadProgramDumpsTest, KeepsEachProgramMessageAsTheFileHoldsIt) {
  const ProgramData data = DataFor(40);
  const std::string header = Bytes({0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x00, 40});
  const std::string payload = sysex::PackProgramData(data);
  struct Case {
    const char* label;
    std::string message;  // as it stands in the file
    std::string kept;     // what the patch keeps
    bool complete;
  };
  const Case kCases[] = {
      {"complete", header + payload + "\xF7", header + payload + "\xF7", true},
      {"short", header + payload.substr(0, 100) + "\xF7", header + payload.substr(0, 100) + "\xF7",
       false},
      {"empty", header + "\xF7", header + "\xF7", false},
      {"overlong: the 402 bytes read", header + payload + "\x11\x22\x33\xF7",
       header + payload + "\x11\x22", false},
      {"a payload byte of 80 hex", header + "\x85" + payload.substr(1) + "\xF7",
       header + "\x85" + payload.substr(1) + "\xF7", false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    const Bank bank = Read("junk" + c.message + Program(41));
    ASSERT_EQ(bank.patches.size(), 2u);
    const std::vector<std::uint8_t> kept = ProgramMessage(bank, bank.patches[0]);
    EXPECT_EQ(Text(kept), c.kept);
    EXPECT_EQ(IsCompleteProgramMessage(kept), c.complete);
    // A complete dump is packed again from the patch's data, not stored.
    EXPECT_EQ(bank.patches[0].odd_program_message.size, c.complete ? 0u : c.kept.size());
    EXPECT_EQ(Text(ProgramMessage(bank, bank.patches[1])), Program(41));
    EXPECT_TRUE(EffectsMessage(bank, bank.patches[0]).empty());
  }
}

TEST(ReadProgramDumpsTest, KeepsTheCommonBytes) {
  ProgramData data = DataFor(12);
  data[0] = 0x5A;                                       // the spare byte
  data[9] = static_cast<std::uint8_t>(data[9] | 0x40);  // ROM identifier 1
  const Bank bank = Read(ProgramDump(12, data));
  ASSERT_EQ(bank.patches.size(), 1u);
  EXPECT_EQ(bank.patches[0].common[0], 0x5A);
  EXPECT_TRUE(UnpackedProgram(bank.patches[0]) == data);
  EXPECT_EQ(bank.patches[0].name, "Prog 012  ");
}

// Read from a file, the messages cross the reader's buffer; each one is
// kept whole wherever the buffer's edges fall.
TEST(ReadBankFileTest, KeepsMessagesAcrossTheReadersBuffer) {
  testing::TempDir dir;
  constexpr int kPrograms = 300;  // about 150 KB
  for (std::size_t lead : {0u, 1u, 200u, 407u}) {
    SCOPED_TRACE(lead);
    std::string bytes(lead, 'x');
    for (int p = 0; p < kPrograms; ++p) bytes += Program(p % 128) + Effects(p % 128, p / 128);
    const auto path = dir.WriteFile("bank" + std::to_string(lead) + ".syx", bytes);
    Bank bank;
    std::size_t left = kMaxPatchesPerSet;
    ASSERT_EQ(ReadBankFile(path, bank, &left), kAllIsOk);
    ASSERT_EQ(bank.patches.size(), static_cast<std::size_t>(kPrograms));
    for (int p = 0; p < kPrograms; ++p) {
      const Patch& patch = bank.patches[static_cast<std::size_t>(p)];
      ASSERT_EQ(Text(ProgramMessage(bank, patch)), Program(p % 128)) << p;
      ASSERT_EQ(Text(EffectsMessage(bank, patch)), Effects(p % 128, p / 128)) << p;
    }
  }
}

}  // namespace
}  // namespace dravelin
