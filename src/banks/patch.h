// One decoded program of a bank file: its name, program number and the four
// layered sounds it plays.

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

// The unpacked data of one layered sound. Never interpreted: sounds are
// compared only as raw bytes.
using SoundBlock = std::array<std::uint8_t, kSoundBlockSize>;

struct Patch {
  // Always exactly kPatchNameLength printable characters, trailing blanks kept.
  std::string name;
  // The byte that follows the dump header, taken unchanged (0 to 255).
  std::uint8_t program_number = 0;
  // Sounds 0 to 3 in the order the dump holds them.
  std::array<SoundBlock, kSoundsPerPatch> sounds{};
};

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_PATCH_H_
