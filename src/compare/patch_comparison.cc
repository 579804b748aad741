#include "compare/patch_comparison.h"

#include <cstdint>
#include <cstring>

namespace dravelin {

namespace {

// All bytes of the two blocks equal. Different sounds nearly always differ
// within their first eight bytes, which one word comparison settles; the
// rest is compared only when those agree.
inline bool SameBytes(const SoundBlock& first, const SoundBlock& second) {
  std::uint64_t head_first;
  std::uint64_t head_second;
  std::memcpy(&head_first, first.data(), sizeof head_first);
  std::memcpy(&head_second, second.data(), sizeof head_second);
  return head_first == head_second &&
         std::memcmp(first.data() + sizeof head_first, second.data() + sizeof head_second,
                     kSoundBlockSize - sizeof head_first) == 0;
}

}  // namespace

MessageCode CompareNames(std::string_view first, std::string_view second) {
  return first == second ? kNamesIdentical : kNamesDifferent;
}

MessageCode CompareSounds(const SoundBlock& first, const SoundBlock& second) {
  return SameBytes(first, second) ? kSoundsIdentical : kSoundsDifferent;
}

PatchComparison ComparePatches(const Patch& first, const Patch& second) {
  return JudgePatches(
      CompareNames(first.name, second.name) == kNamesIdentical,
      [&](std::size_t i, std::size_t j) { return SameBytes(first.sounds[i], second.sounds[j]); });
}

}  // namespace dravelin
