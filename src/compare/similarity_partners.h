// For each patch of a set, the other patches that can be similar to it: the
// ones with the same name and the ones that share at least one sound block.
// Exactly these pairs are similar, so a report of similarities visits
// nothing but pairs it reports.

#ifndef DRAVELIN_COMPARE_SIMILARITY_PARTNERS_H_
#define DRAVELIN_COMPARE_SIMILARITY_PARTNERS_H_

#include <vector>

#include "compare/patch_numbers.h"
#include "compare/posting_lists.h"
#include "compare/sound_set_key.h"

namespace dravelin {

class SimilarityPartners {
 public:
  explicit SimilarityPartners(const PatchNumbers& numbers);

  // Replaces `out` with the ordinals of every patch other than `self` that
  // has its name or one of its sound blocks, ascending, each once.
  void Gather(Ordinal self, std::vector<Ordinal>& out) const;

 private:
  const PatchNumbers& numbers_;
  std::vector<SoundSetKey> blocks_of_;  // distinct block numbers by ordinal
  PostingLists by_name_;
  PostingLists by_block_;
};

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_SIMILARITY_PARTNERS_H_
