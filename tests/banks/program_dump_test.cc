#include "banks/program_dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using sysex::MakeProgramData;
using sysex::MakeSounds;
using sysex::PackProgramData;
using sysex::ProgramDump;
using sysex::SyxBuilder;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

const std::string kHeader = Bytes({0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x00});

std::string NameFor(int program) {
  char name[16];
  std::snprintf(name, sizeof name, "Prog %03d", program);
  return name;
}

ProgramData DataFor(int program) {
  const auto seed = static_cast<std::uint32_t>(program) * 8;
  return MakeProgramData(NameFor(program), MakeSounds(seed, seed + 1, seed + 2, seed + 3));
}

// A complete dump whose name and sounds tell its program number.
std::string Dump(int program) {
  return ProgramDump(static_cast<std::uint8_t>(program), DataFor(program));
}

struct Decoded {
  MessageCode code = kAllIsOk;
  Bank bank;
  std::size_t budget_left = 0;
};

Decoded Decode(std::string_view bytes, std::size_t budget = kMaxPatchesPerSet) {
  Decoded result;
  result.budget_left = budget;
  ByteStream in(bytes);
  result.code = ReadProgramDumps(in, result.bank, &result.budget_left);
  return result;
}

std::vector<int> ProgramNumbers(const Bank& bank) {
  std::vector<int> numbers;
  for (const Patch& patch : bank.patches) numbers.push_back(patch.program_number);
  return numbers;
}

void ExpectSamePatch(const Patch& actual, const Patch& expected) {
  EXPECT_EQ(actual.name, expected.name);
  EXPECT_EQ(actual.program_number, expected.program_number);
  EXPECT_TRUE(actual.sounds == expected.sounds) << "sounds differ in " << actual.name;
}

// --- Unpacking -------------------------------------------------------------

struct UnpackCase {
  const char* label;
  std::vector<int> payload;   // ended by F7 in the stream
  std::vector<int> expected;  // the first bytes of the data; the rest must be zero
};

TEST(UnpackProgramDataTest, UnpacksGroupsAndZeroesTheRest) {
  const UnpackCase kCases[] = {
      {"high bit of m1 and m7",
       {0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x7F},
       {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFE}},
      {"all bits set",
       {0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F},
       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"alternating bits",
       {0x55, 0x2A, 0x55, 0x2A, 0x55, 0x2A, 0x55, 0x2A},
       {0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}},
      {"lowest bit", {0x01, 0, 0, 0, 0, 0, 0, 0}, {0x01, 0, 0, 0, 0, 0, 0}},
      {"highest bit", {0, 0, 0, 0, 0, 0, 0, 0x40}, {0, 0, 0, 0, 0, 0, 0x80}},
      {"m1 only", {0x00, 0x7F, 0, 0, 0, 0, 0, 0}, {0x80, 0x3F, 0, 0, 0, 0, 0}},
      {"counting", {1, 2, 3, 4, 5, 6, 7, 8}, {0x01, 0xC1, 0x80, 0x50, 0x30, 0x1C, 0x10}},
      // Bytes of 80 or more (but F7) are payload too; sums are kept to 8 bits.
      {"bytes FF",
       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
       {0x7F, 0x3F, 0x1F, 0x0F, 0x07, 0x03, 0x01}},
      {"a header inside the payload",
       {0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x00, 0x05, 0x80},
       {0xF0, 0x00, 0xC0, 0xE1, 0x00, 0x14, 0x00}},
      {"two groups",
       {0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 1, 2, 3, 4, 5, 6, 7, 8},
       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0xC1, 0x80, 0x50, 0x30, 0x1C, 0x10}},
      // A group cut by F7 stores a byte for every byte after its first.
      {"m0 alone", {0x7F}, {}},
      {"m0 and m1", {0x7F, 0x01}, {0xFF}},
      {"seven bytes",
       {0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F},
       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"empty", {}, {}},
  };
  for (const UnpackCase& c : kCases) {
    SCOPED_TRACE(c.label);
    std::string bytes;
    for (int b : c.payload) bytes += static_cast<char>(b);
    bytes += "\xF7X";
    ByteStream in(bytes);
    ProgramData data;
    data.fill(0xAA);  // what an earlier dump might have left
    ASSERT_EQ(UnpackProgramData(in, data), kAllIsOk);
    ProgramData expected{};
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      expected[i] = static_cast<std::uint8_t>(c.expected[i]);
    }
    EXPECT_TRUE(data == expected);
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(data[i], expected[i]) << "position " << i;
    EXPECT_EQ(in.Get(), 'X') << "the F7 and nothing after it is consumed";
  }
}

TEST(UnpackProgramDataTest, PackedDataRoundTrips) {
  const ProgramData original = DataFor(77);
  const std::string bytes = PackProgramData(original) + "\xF7";
  ASSERT_EQ(bytes.size(), 401u);
  ByteStream in(bytes);
  ProgramData data{};
  ASSERT_EQ(UnpackProgramData(in, data), kAllIsOk);
  EXPECT_TRUE(data == original);
  EXPECT_EQ(in.Get(), ByteStream::kEnd);
}

TEST(UnpackProgramDataTest, EndOfStreamInsideThePayload) {
  const std::string payload = PackProgramData(DataFor(3));
  for (std::size_t length : {0u, 1u, 2u, 7u, 8u, 9u, 200u, 399u, 400u, 401u}) {
    SCOPED_TRACE(length);
    std::string bytes = payload.substr(0, std::min<std::size_t>(length, payload.size()));
    while (bytes.size() < length) bytes += '\x01';
    ByteStream in(bytes);
    ProgramData data{};
    EXPECT_EQ(UnpackProgramData(in, data), kEndOfFile);
  }
}

TEST(UnpackProgramDataTest, OverlongPayloadStopsAfter402Bytes) {
  const ProgramData original = DataFor(5);
  const std::string payload = PackProgramData(original);
  struct Case {
    std::string tail;
    MessageCode code;
    int next;  // the byte the following header search reads first
  };
  const Case kCases[] = {
      {"\x11\x22\x33\x44", kAllIsOk, 0x33}, {"\x11\x22", kAllIsOk, ByteStream::kEnd},
      {"\x11\xF7\x33", kAllIsOk, 0x33},  // an F7 as the 402nd byte still ends it
      {"\xF7\x22", kAllIsOk, 0x22},         {"\x11", kEndOfFile, ByteStream::kEnd},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.tail));
    const std::string bytes = payload + c.tail;
    ByteStream in(bytes);
    ProgramData data{};
    ASSERT_EQ(UnpackProgramData(in, data), c.code);
    if (c.code == kAllIsOk) {
      EXPECT_TRUE(data == original);
    }
    EXPECT_EQ(in.Get(), c.next);
  }
}

// --- Names, sounds, patches --------------------------------------------------

// Program data whose name field holds the given ten 7-bit codes.
ProgramData WithNameCodes(const std::array<int, 10>& codes) {
  ProgramData data{};
  for (std::size_t j = 0; j < codes.size(); ++j) {
    for (std::size_t b = 0; b < 7; ++b) {
      if ((codes[j] >> b) & 1) {
        const std::size_t bit = 7 * j + b;
        data[1 + bit / 8] = static_cast<std::uint8_t>(data[1 + bit / 8] | (1u << (bit % 8)));
      }
    }
  }
  return data;
}

TEST(DecodePatchNameTest, DecodesTenCharacters) {
  struct Case {
    const char* label;
    std::array<int, 9> positions;  // ProgramData positions 1 to 9
    std::string expected;
  };
  const Case kCases[] = {
      {"Piano", {0xB0, 0x64, 0xD0, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00}, "Piano     "},
      {"all codes 0", {0, 0, 0, 0, 0, 0, 0, 0, 0}, "          "},
      {"all codes 127", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "??????????"},
      {"top bits of position 9 unused", {0, 0, 0, 0, 0, 0, 0, 0, 0xC0}, "          "},
      {"last character only", {0, 0, 0, 0, 0, 0, 0, 0x80, 0x10}, "         A"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    ProgramData data;
    data.fill(0xFF);  // position 0 and the sounds must not leak into the name
    for (std::size_t i = 0; i < 9; ++i) data[1 + i] = static_cast<std::uint8_t>(c.positions[i]);
    Patch patch;
    patch.name = "old name that is long";
    DecodePatchName(data, patch);
    EXPECT_EQ(patch.name, c.expected);
  }
}

TEST(DecodePatchNameTest, CodesMapToPrintableCharactersOrQuestionMark) {
  struct Case {
    std::array<int, 10> codes;
    std::string expected;
  };
  const Case kCases[] = {
      {{94, 95, 0, 1, 33, 127, 63, 64, 65, 126}, "~? !A?_`a?"},
      {{41, 78, 73, 84, 14, 2, 16, 31, 0, 127}, "Init.\"0? ?"},
      {{16, 17, 18, 19, 20, 21, 22, 23, 24, 25}, "0123456789"},
  };
  for (const Case& c : kCases) {
    Patch patch;
    DecodePatchName(WithNameCodes(c.codes), patch);
    EXPECT_EQ(patch.name, c.expected);
    EXPECT_EQ(patch.name.size(), kPatchNameLength);
  }
}

TEST(NewPatchTest, SoundsComeFromTheirPositionsInOrder) {
  ProgramData data;
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 3);
  const Patch patch = NewPatch(data, 200);
  EXPECT_EQ(patch.program_number, 200);
  for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
    for (std::size_t j = 0; j < kSoundBlockSize; ++j) {
      ASSERT_EQ(patch.sounds[k][j], data[10 + 85 * k + j]) << "sound " << k << " byte " << j;
    }
  }
}

TEST(NewPatchTest, BuilderDumpsDecodeToTheirNamesAndSounds) {
  const auto sounds = MakeSounds(11, 12, 13, 14);
  SyxBuilder file;
  file.Dump(0, "Grand Pno", sounds)
      .Dump(1, "~Lead|{}", MakeSounds(1, 2, 3, 4))
      .Dump(127, "", sounds);
  const Decoded decoded = Decode(file.bytes());
  ASSERT_EQ(decoded.bank.patches.size(), 3u);
  EXPECT_EQ(decoded.bank.patches[0].name, "Grand Pno ");
  EXPECT_EQ(decoded.bank.patches[1].name, "~Lead|{}  ");
  EXPECT_EQ(decoded.bank.patches[2].name, "          ");
  EXPECT_TRUE(decoded.bank.patches[0].sounds == sounds);
  EXPECT_TRUE(decoded.bank.patches[2].sounds == sounds);
  EXPECT_TRUE(decoded.bank.patches[1].sounds == MakeSounds(1, 2, 3, 4));
  EXPECT_EQ(ProgramNumbers(decoded.bank), (std::vector<int>{0, 1, 127}));
}

// --- Finding dumps -----------------------------------------------------------

TEST(FindProgramDumpTest, FindsHeadersAmongOtherBytes) {
  const std::string header_only_payload = PackProgramData(DataFor(0xF7)) + "\xF7";
  struct Case {
    const char* label;
    std::string bytes;
    std::vector<int> programs;
  };
  const Case kCases[] = {
      {"one dump", Dump(5), {5}},
      {"F0 right before a dump", "\xF0" + Dump(9), {9}},
      {"two F0 right before a dump", "\xF0\xF0" + Dump(9), {9}},
      {"after a four-byte message", Bytes({0xF0, 0x01, 0x02, 0xF7}) + Dump(3), {3}},
      {"after a three-byte message", Bytes({0xF0, 0x01, 0xF7}) + Dump(3), {3}},
      {"F0 as the fifth byte after F0", Bytes({0xF0, 0x41, 0x10, 0x42, 0x12}) + Dump(7), {7}},
      {"F0 as the second byte after F0", Bytes({0xF0, 0x41}) + Dump(7), {7}},
      {"header broken after 00", Bytes({0xF0, 0x00}) + Dump(4), {4}},
      {"header broken after 00 00 0E", Bytes({0xF0, 0x00, 0x00, 0x0E}) + Dump(4), {4}},
      {"header broken after 00 00 0E 0E", Bytes({0xF0, 0x00, 0x00, 0x0E, 0x0E}) + Dump(4), {4}},
      {"fifth header byte differs",
       Bytes({0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x01, 0x05}) + PackProgramData(DataFor(5)) + "\xF7",
       {}},
      {"fifth header byte differs, then a dump",
       Bytes({0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x01, 0x05}) + PackProgramData(DataFor(5)) + "\xF7" +
           Dump(2),
       {2}},
      {"another maker's message", Bytes({0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0xF7}), {}},
      {"effects messages between dumps",
       SyxBuilder()
           .OtherMessage(83)
           .Dump(1, DataFor(1))
           .OtherMessage(83)
           .Dump(2, DataFor(2))
           .bytes(),
       {1, 2}},
      {"text and stray bytes between dumps",
       "hello\r\n" + Dump(1) + Bytes({0x00, 0x7F, 0xF7, 0xF7, 0x80}) + Dump(2) + "bye",
       {1, 2}},
      {"a header inside a payload is payload",
       kHeader + "\x06" + Bytes({0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x00, 0x09}) +
           PackProgramData(DataFor(6)).substr(7) + "\xF7",
       {6}},
      {"program number F7 taken unchanged", kHeader + "\xF7" + header_only_payload, {0xF7}},
      {"program number F0 taken unchanged", Dump(0xF0), {0xF0}},
      {"program number FF taken unchanged", Dump(0xFF), {0xFF}},
      {"empty stream", "", {}},
      {"lone F0", "\xF0", {}},
      {"header only", kHeader, {}},
      {"header and program number only", kHeader + "\x05", {}},
      {"header, program number and F7", kHeader + "\x05\xF7", {5}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    const Decoded decoded = Decode(c.bytes);
    EXPECT_EQ(decoded.code, kAllIsOk);
    EXPECT_EQ(ProgramNumbers(decoded.bank), c.programs);
  }
}

TEST(FindProgramDumpTest, StopsRightAfterTheProgramNumber) {
  const std::string bytes = Bytes({0x01, 0xF0, 0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x00, 0x42, 0x17});
  ByteStream in(bytes);
  std::uint8_t program = 0;
  ASSERT_EQ(FindProgramDump(in, &program), kAllIsOk);
  EXPECT_EQ(program, 0x42);
  EXPECT_EQ(in.Get(), 0x17);
  EXPECT_EQ(FindProgramDump(in, &program), kEndOfFile);
}

// --- Damaged and unusual dumps ----------------------------------------------

TEST(ReadProgramDumpsTest, TruncationAtEveryPositionKeepsTheCompleteDumps) {
  std::string file = "junk";
  std::vector<std::size_t> ends;  // one past the F7 of each dump
  for (int program : {10, 11, 12}) {
    file += Dump(program);
    ends.push_back(file.size());
    file += program == 11 ? Bytes({0xF0, 0x01, 0xF7}) : SyxBuilder().OtherMessage(83).bytes();
  }
  const Decoded whole = Decode(file);
  ASSERT_EQ(ProgramNumbers(whole.bank), (std::vector<int>{10, 11, 12}));
  for (std::size_t length = 0; length <= file.size(); ++length) {
    const Decoded cut = Decode(std::string_view(file).substr(0, length));
    std::size_t complete = 0;
    while (complete < ends.size() && ends[complete] <= length) ++complete;
    ASSERT_EQ(cut.code, kAllIsOk) << "cut at " << length;
    ASSERT_EQ(cut.bank.patches.size(), complete) << "cut at " << length;
    for (std::size_t i = 0; i < complete; ++i) {
      ExpectSamePatch(cut.bank.patches[i], whole.bank.patches[i]);
    }
  }
}

TEST(ReadProgramDumpsTest, ShortPayloadLeavesZerosNotThePreviousDump) {
  ProgramData previous;
  previous.fill(0x5A);
  const ProgramData target = DataFor(33);
  const std::string packed = PackProgramData(target);
  for (std::size_t length : {0u, 1u, 2u, 7u, 8u, 9u, 16u, 80u, 393u, 399u}) {
    SCOPED_TRACE(length);
    const std::string file =
        ProgramDump(1, previous) + kHeader + "\x21" + packed.substr(0, length) + "\xF7";
    const Decoded decoded = Decode(file);
    ASSERT_EQ(decoded.bank.patches.size(), 2u);
    // Each full group gives seven bytes, a cut group one less than it has.
    const std::size_t stored = length / 8 * 7 + (length % 8 == 0 ? 0 : length % 8 - 1);
    ProgramData expected{};
    std::copy_n(target.begin(), stored, expected.begin());
    ExpectSamePatch(decoded.bank.patches[1], NewPatch(expected, 0x21));
  }
}

TEST(ReadProgramDumpsTest, EmptyPayloadGivesBlankPatchWithItsNumber) {
  ProgramData previous;
  previous.fill(0x5A);
  const Decoded decoded = Decode(ProgramDump(1, previous) + kHeader + "\x63\xF7");
  ASSERT_EQ(decoded.bank.patches.size(), 2u);
  const Patch& patch = decoded.bank.patches[1];
  EXPECT_EQ(patch.program_number, 0x63);
  EXPECT_EQ(patch.name, "          ");
  for (const SoundBlock& sound : patch.sounds) EXPECT_TRUE(sound == SoundBlock{});
  EXPECT_FALSE(patch.sounds == decoded.bank.patches[0].sounds);
}

TEST(ReadProgramDumpsTest, OverlongPayloadResumesTheSearchAtItsByte403) {
  const std::string first = kHeader + "\x01" + PackProgramData(DataFor(1));  // no F7 yet
  const Patch expected_first = NewPatch(DataFor(1), 1);
  struct Case {
    const char* label;
    std::string between;  // after the 400 payload bytes, before the next dump
    std::vector<int> programs;
  };
  const Case kCases[] = {
      {"next F0 is byte 401", "", {1}},
      {"next F0 is byte 402", "\x11", {1}},
      {"next F0 is byte 403", "\x11\x22", {1, 2}},
      {"next F0 is byte 404", "\x11\x22\x33", {1, 2}},
      {"F7 as byte 401", "\xF7", {1, 2}},
      {"F7 as byte 402", "\x11\xF7", {1, 2}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    const Decoded decoded = Decode(first + c.between + Dump(2));
    ASSERT_EQ(ProgramNumbers(decoded.bank), c.programs);
    ExpectSamePatch(decoded.bank.patches[0], expected_first);
  }
}

TEST(ReadProgramDumpsTest, PatchBudgetEndsTheReadWithOutOfMemory) {
  const std::string file = Dump(1) + Dump(2) + Dump(3);
  struct Case {
    std::size_t budget;
    MessageCode code;
    std::size_t patches;
    std::size_t left;
  };
  const Case kCases[] = {
      {0, kOutOfMemory, 0, 0}, {2, kOutOfMemory, 2, 0}, {3, kAllIsOk, 3, 0}, {10, kAllIsOk, 3, 7}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.budget);
    const Decoded decoded = Decode(file, c.budget);
    EXPECT_EQ(decoded.code, c.code);
    EXPECT_EQ(decoded.bank.patches.size(), c.patches);
    EXPECT_EQ(decoded.budget_left, c.left);
  }
  EXPECT_EQ(Decode("no dumps here", 0).code, kAllIsOk);
}

}  // namespace
}  // namespace dravelin
