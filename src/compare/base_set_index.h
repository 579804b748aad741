// The Base set indexed by the distinct sound blocks of its patches, so that
// finding a Base patch with the same sounds as a given patch costs one
// lookup instead of a walk over the whole set.

#ifndef DRAVELIN_COMPARE_BASE_SET_INDEX_H_
#define DRAVELIN_COMPARE_BASE_SET_INDEX_H_

#include <unordered_map>

#include "banks/bank.h"
#include "compare/sound_block_table.h"
#include "compare/sound_set_key.h"

namespace dravelin {

class BaseSetIndex {
 public:
  // `base_set` must outlive the index and stay unchanged.
  explicit BaseSetIndex(const BankSet& base_set);

  // The first Base patch, in set order, whose sounds are identical to those
  // of `patch` (each sound of either among the sounds of the other, names
  // ignored), or null when there is none.
  const Patch* FindMatch(const Patch& patch) const;

 private:
  SoundBlockTable blocks_;
  std::unordered_map<SoundSetKey, const Patch*, SoundSetKeyHash> first_with_key_;
};

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_BASE_SET_INDEX_H_
