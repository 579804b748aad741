// One decoded program of a bank file: its name, program number and the four
// layered sounds it plays, and where its bank keeps the messages it came from.

#ifndef DRAVELIN_BANKS_PATCH_H_
#define DRAVELIN_BANKS_PATCH_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace dravelin {

inline constexpr std::size_t kSoundBlockSize = 85;
inline constexpr std::size_t kSoundsPerPatch = 4;
inline constexpr std::size_t kPatchNameLength = 10;
// Unpacked bytes before the first sound: a spare byte, the packed name and,
// in the top two bits of the last, the ROM identifier.
inline constexpr std::size_t kProgramCommonSize = 10;

// The unpacked data of one layered sound. The reports compare sounds only as
// raw bytes; the parameter decoder (src/params) reads their fields.
using SoundBlock = std::array<std::uint8_t, kSoundBlockSize>;

// A run of bytes in the message store of the patch's bank (Bank::messages).
struct StoredBytes {
  std::uint32_t offset = 0;
  std::uint32_t size = 0;  // 0: nothing stored
};

struct Patch {
  // Always exactly kPatchNameLength printable characters, trailing blanks kept.
  std::string name;
  // The byte that follows the dump header, taken unchanged (0 to 255).
  std::uint8_t program_number = 0;
  // Sounds 0 to 3 in the order the dump holds them.
  std::array<SoundBlock, kSoundsPerPatch> sounds{};
  // Unpacked positions 0 to kProgramCommonSize - 1, as unpacked (positions a
  // short dump does not reach are zero, as in the sounds).
  std::array<std::uint8_t, kProgramCommonSize> common{};
  // The program dump message as the file holds it, kept only where the
  // patch cannot give it back: nothing (size 0) for a complete dump
  // (kProgramDumpSize bytes, every payload byte below 80 hex), whose bytes
  // its unpacked data pack back into exactly (ProgramMessage); for any other
  // dump its bytes from F0 to the last byte the decoder read: a short dump
  // whole with its F7, an overlong one as its header and the 402 payload
  // bytes read, without F7.
  StoredBytes odd_program_message;
  // The user effects dump with the same program number, as the file holds it
  // (always a complete message); size 0 when the file has none for it.
  StoredBytes effects_message;
};

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_PATCH_H_
