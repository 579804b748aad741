#include "compare/patch_comparison.h"

#include <cstring>

namespace dravelin {

MessageCode CompareNames(std::string_view first, std::string_view second) {
  return first == second ? kNamesIdentical : kNamesDifferent;
}

MessageCode CompareSounds(const SoundBlock& first, const SoundBlock& second) {
  return std::memcmp(first.data(), second.data(), kSoundBlockSize) == 0 ? kSoundsIdentical
                                                                         : kSoundsDifferent;
}

PatchComparison ComparePatches(const Patch& first, const Patch& second) {
  PatchComparison result;
  result.name_verdict = CompareNames(first.name, second.name);
  result.similar = result.name_verdict == kNamesIdentical;
  bool first_matched[kSoundsPerPatch] = {};
  bool second_matched[kSoundsPerPatch] = {};
  for (std::size_t i = 0; i < kSoundsPerPatch; ++i) {
    for (std::size_t j = 0; j < kSoundsPerPatch; ++j) {
      const MessageCode verdict = CompareSounds(first.sounds[i], second.sounds[j]);
      result.sound_verdicts[i][j] = verdict;
      if (verdict == kSoundsIdentical) {
        first_matched[i] = true;
        second_matched[j] = true;
        result.similar = true;
      }
    }
  }
  result.sounds_identical = true;
  for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
    if (!first_matched[k] || !second_matched[k]) result.sounds_identical = false;
  }
  result.identical = result.name_verdict == kNamesIdentical && result.sounds_identical;
  return result;
}

}  // namespace dravelin
