// A patch put into a program slot of a new bank: its file's own messages
// renumbered, and a whole dump in place of a damaged one.

#include "banks/program_slot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/bank.h"
#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "banks/program_dump.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using sysex::EffectsDump;
using sysex::MakeEffectsData;
using sysex::MakeProgramData;
using sysex::MakeSounds;
using sysex::PackProgramData;
using sysex::ProgramDump;

const ProgramData kData = MakeProgramData("Glass Bell", MakeSounds(11, 12, 13, 14));
const std::string kHeader = {'\xF0', '\x00', '\x00', '\x0E', '\x0E', '\x00'};

std::string Effects(int number, std::uint32_t seed) {
  return EffectsDump(static_cast<std::uint8_t>(number), MakeEffectsData(seed));
}

// `message` with `number` as its program number.
std::string Renumbered(std::string message, std::uint8_t number) {
  if (!message.empty()) message[kMessageNumberAt] = static_cast<char>(number);
  return message;
}

// A dump of `data` whose payload is cut to `payload_bytes` (or padded with
// 11 hex beyond the whole 400 bytes).
std::string ResizedDump(std::uint8_t number, const ProgramData& data, std::size_t payload_bytes) {
  std::string payload = PackProgramData(data);
  payload.resize(payload_bytes, '\x11');
  return kHeader + static_cast<char>(number) + payload + '\xF7';
}

Bank Read(const std::string& bytes) {
  Bank bank;
  ByteStream in(bytes);
  std::size_t left = kMaxPatchesPerSet;
  EXPECT_EQ(ReadProgramDumps(in, bank, &left), kAllIsOk);
  return bank;
}

TEST(ProgramSlotTest, TheFilesOwnMessagesRenumberedOrAWholeDumpForADamagedOne) {
  // The first 14 unpacked bytes of kData (name included), the rest zero: what
  // a dump cut to two payload groups unpacks to.
  ProgramData cut = {};
  std::copy_n(kData.begin(), 14, cut.begin());
  std::string high_byte = ProgramDump(3, kData);
  high_byte[7 + 100] = '\x85';

  struct Case {
    const char* what;
    std::string file;
    std::string program;  // the slot's program message before renumbering
    std::string effects;  // the effects message that follows it, if any
    SlotMessage made;
  };
  const Case cases[] = {
      {"a dump followed by its effects", ProgramDump(5, kData) + Effects(5, 1),
       ProgramDump(5, kData), Effects(5, 1), SlotMessage::kRenumbered},
      {"its effects ahead of it, another program's first",
       Effects(9, 2) + Effects(5, 3) + ProgramDump(5, kData), ProgramDump(5, kData), Effects(5, 3),
       SlotMessage::kRenumbered},
      {"no effects dump of its number", ProgramDump(7, kData) + Effects(8, 4),
       ProgramDump(7, kData), "", SlotMessage::kRenumbered},
      {"a program number above 7F", ProgramDump(200, kData), ProgramDump(200, kData), "",
       SlotMessage::kRenumbered},
      {"a short dump, with its effects", ResizedDump(6, kData, 16) + Effects(6, 5),
       ProgramDump(6, cut), Effects(6, 5), SlotMessage::kRebuilt},
      {"an overlong dump", ResizedDump(4, kData, 410), ProgramDump(4, kData), "",
       SlotMessage::kRebuilt},
      {"a payload byte of 80 hex or more", high_byte, "", "", SlotMessage::kRebuilt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bank bank = Read(c.file);
    ASSERT_EQ(bank.patches.size(), 1u);
    for (const std::uint8_t slot : {std::uint8_t{0}, std::uint8_t{42}, std::uint8_t{127}}) {
      std::vector<std::uint8_t> out = {0x55};  // appended to, never replaced
      EXPECT_EQ(AppendProgramSlot(bank, bank.patches[0], slot, out), c.made);
      ASSERT_EQ(out.front(), 0x55);
      const std::string written(out.begin() + 1, out.end());
      if (!c.program.empty()) {
        EXPECT_EQ(written, Renumbered(c.program, slot) + Renumbered(c.effects, slot));
        continue;
      }
      // No independent form to hold it against: a whole dump with the slot's
      // number that reads back as the patch did.
      ASSERT_EQ(written.size(), kProgramDumpSize);
      EXPECT_TRUE(IsCompleteProgramMessage(std::span(out).subspan(1)));
      const Bank again = Read(written);
      ASSERT_EQ(again.patches.size(), 1u);
      EXPECT_EQ(again.patches[0].program_number, slot);
      EXPECT_EQ(UnpackedProgram(again.patches[0]), UnpackedProgram(bank.patches[0]));
    }
  }
}

}  // namespace
}  // namespace dravelin
