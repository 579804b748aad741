// Builds sysex bytes in code: program dumps with chosen names and sounds,
// other messages and junk, and ways to damage them.

#ifndef DRAVELIN_TOOLS_SYSEX_DUMP_BUILDER_H_
#define DRAVELIN_TOOLS_SYSEX_DUMP_BUILDER_H_

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "banks/effects_dump.h"
#include "banks/patch.h"
#include "banks/program_dump.h"

namespace dravelin::sysex {

using Sounds = std::array<SoundBlock, kSoundsPerPatch>;

// An 85-byte sound whose bytes are derived from `seed`; different seeds give
// different blocks.
SoundBlock MakeSound(std::uint32_t seed);

// Four sounds made from four seeds.
Sounds MakeSounds(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d);

// Program data holding `name` (up to 10 characters from ' ' to '~', padded
// with blanks) and the four sounds.
ProgramData MakeProgramData(std::string_view name, const Sounds& sounds);

// The 400-byte 7-bit payload that unpacks to `data`.
std::string PackProgramData(const ProgramData& data);

// F0 00 00 0E 0E 00, the program number, the packed payload, F7.
std::string ProgramDump(std::uint8_t program_number, const ProgramData& data);
std::string ProgramDump(std::uint8_t program_number, std::string_view name, const Sounds& sounds);

// `data` as a 7-bit payload of `payload_size` bytes: its bits laid end to
// end, least significant first, 7 to a byte; bits past the data are zero.
std::string PackSevenBitData(std::span<const std::uint8_t> data, std::size_t payload_size);

// Effects data whose 65 bytes are derived from `seed`; different seeds give
// different data.
EffectsData MakeEffectsData(std::uint32_t seed);

// F0 00 00 0E 0E 06, the effects number, the 75-byte packed payload, F7.
std::string EffectsDump(std::uint8_t number, const EffectsData& data);

// A whole sysex file being put together.
class SyxBuilder {
 public:
  SyxBuilder& Dump(std::uint8_t program_number, std::string_view name, const Sounds& sounds);
  SyxBuilder& Dump(std::uint8_t program_number, const ProgramData& data);
  SyxBuilder& Effects(std::uint8_t number, const EffectsData& data);
  // Any bytes, for instance another kind of message or stray text.
  SyxBuilder& Raw(std::string_view bytes);
  SyxBuilder& Raw(std::initializer_list<int> bytes);
  // An effects-style message that must be skipped: F0 00 00 0E 0E 06, data, F7.
  SyxBuilder& OtherMessage(std::size_t data_bytes);
  // Cuts the bytes built so far to `size`.
  SyxBuilder& TruncateTo(std::size_t size);

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// A bank of `count` distinct patches named "Patch nnnn" with program numbers
// 0, 1, 2, ... (mod 256); sound seeds start at `seed`.
std::string BankOfDistinctPatches(int count, std::uint32_t seed);

}  // namespace dravelin::sysex

#endif  // DRAVELIN_TOOLS_SYSEX_DUMP_BUILDER_H_
