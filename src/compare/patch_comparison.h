// Comparing two patches by name and by their four sounds.
//
// A comparison looks at nothing but the names and the raw bytes of the sound
// blocks; program numbers and banks play no part, and the slot a sound stands
// in does not matter to the flags. A name or a sound is either identical or
// different: there is no fuzzy matching.

#ifndef DRAVELIN_COMPARE_PATCH_COMPARISON_H_
#define DRAVELIN_COMPARE_PATCH_COMPARISON_H_

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

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_PATCH_COMPARISON_H_
