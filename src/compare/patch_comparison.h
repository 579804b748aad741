// Comparing two patches by name and by their four sounds.
//
// A comparison looks at nothing but the names and the raw bytes of the sound
// blocks; program numbers and banks play no part, and the slot a sound stands
// in does not matter to the flags. A name or a sound is either identical or
// different: there is no fuzzy matching.

#ifndef DRAVELIN_COMPARE_PATCH_COMPARISON_H_
#define DRAVELIN_COMPARE_PATCH_COMPARISON_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "banks/patch.h"
#include "base/message_code.h"

namespace dravelin {

struct PatchComparison {
  // Same name and sounds_identical.
  bool identical = false;
  // Same name, or at least one sound of the first patch equals at least one
  // sound of the second.
  bool similar = false;
  // Every sound of either patch equals some sound of the other.
  bool sounds_identical = false;
  // kNamesIdentical or kNamesDifferent.
  MessageCode name_verdict = kNamesDifferent;
  // Row i, column j: sound i of the first patch against sound j of the
  // second, kSoundsIdentical or kSoundsDifferent.
  MessageCode sound_verdicts[kSoundsPerPatch][kSoundsPerPatch] = {};
};

// kNamesIdentical when the two names hold the same bytes (case counts),
// otherwise kNamesDifferent.
MessageCode CompareNames(std::string_view first, std::string_view second);

// kSoundsIdentical when all bytes of the two blocks are equal, otherwise
// kSoundsDifferent.
MessageCode CompareSounds(const SoundBlock& first, const SoundBlock& second);

// Judges `first` against `second`: one name comparison and all sixteen sound
// comparisons, every field of the result written. Swapping the patches
// transposes sound_verdicts and leaves the rest unchanged.
PatchComparison ComparePatches(const Patch& first, const Patch& second);

// A patch as numbers given by an index of its set: two patches' names have
// the same number exactly when they are identical, and two sound blocks the
// same number exactly when they are byte-identical. Comparing numbers is
// then comparing names and sounds, without touching their bytes.
struct NumberedPatch {
  std::uint32_t name = 0;
  std::array<std::uint32_t, kSoundsPerPatch> sounds{};
};

// The judgement shared by both forms of ComparePatches, given whether the
// names are identical and a test of whether sound i of the first patch is
// identical to sound j of the second.
template <typename SameSound>
PatchComparison JudgePatches(bool same_name, SameSound same_sound) {
  PatchComparison result;
  result.name_verdict = same_name ? kNamesIdentical : kNamesDifferent;
  // Bit k: sound k of that patch is identical to some sound of the other.
  // Bits rather than branches: which sounds agree is data, not a pattern.
  unsigned first_matched = 0;
  unsigned second_matched = 0;
  for (std::size_t i = 0; i < kSoundsPerPatch; ++i) {
    for (std::size_t j = 0; j < kSoundsPerPatch; ++j) {
      const unsigned same = same_sound(i, j) ? 1u : 0u;
      result.sound_verdicts[i][j] = same != 0 ? kSoundsIdentical : kSoundsDifferent;
      first_matched |= same << i;
      second_matched |= same << j;
    }
  }
  constexpr unsigned kAllSounds = (1u << kSoundsPerPatch) - 1;
  result.similar = same_name || first_matched != 0;
  result.sounds_identical = first_matched == kAllSounds && second_matched == kAllSounds;
  result.identical = same_name && result.sounds_identical;
  return result;
}

// The same judgement as above for two patches numbered by one index. Inline:
// the report of all similarities judges a million pairs this way.
inline PatchComparison ComparePatches(const NumberedPatch& first, const NumberedPatch& second) {
  return JudgePatches(first.name == second.name, [&](std::size_t i, std::size_t j) {
    return first.sounds[i] == second.sounds[j];
  });
}

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_PATCH_COMPARISON_H_
