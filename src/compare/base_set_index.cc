#include "compare/base_set_index.h"

#include "compare/patch_comparison.h"

namespace dravelin {

BaseSetIndex::BaseSetIndex(const BankSet& base_set)
    : blocks_(CountPatches(base_set) * kSoundsPerPatch) {
  first_with_key_.reserve(CountPatches(base_set));
  for (const Bank& bank : base_set) {
    for (const Patch& patch : bank.patches) {
      // try_emplace keeps the first patch of each key.
      first_with_key_.try_emplace(MakeSoundSetKey(InternSounds(blocks_, patch)), &patch);
    }
  }
}

const Patch* BaseSetIndex::FindMatch(const Patch& patch) const {
  SlotBlockIds ids;
  for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
    ids[k] = blocks_.Find(patch.sounds[k]);
    // A sound that no Base patch has rules out every match.
    if (ids[k] == kNoBlock) return nullptr;
  }
  const auto it = first_with_key_.find(MakeSoundSetKey(ids));
  if (it == first_with_key_.end()) return nullptr;
  // The key says the sounds agree; the judgement itself is the comparison's.
  const PatchComparison comparison = ComparePatches(patch, *it->second);
  return comparison.identical || comparison.sounds_identical ? it->second : nullptr;
}

}  // namespace dravelin
