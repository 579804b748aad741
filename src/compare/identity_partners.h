// For each patch of a set, the other patches with identical sounds: the same
// distinct sound blocks, in any slots and any number of times. Exactly these
// pairs are reported by a report of identities.

#ifndef DRAVELIN_COMPARE_IDENTITY_PARTNERS_H_
#define DRAVELIN_COMPARE_IDENTITY_PARTNERS_H_

#include <cstdint>
#include <vector>

#include "compare/patch_numbers.h"
#include "compare/posting_lists.h"

namespace dravelin {

class IdentityPartners {
 public:
  explicit IdentityPartners(const PatchNumbers& numbers);

  // Replaces `out` with the ordinals of every patch other than `self` whose
  // sounds are identical to those of `self`, ascending.
  void Gather(Ordinal self, std::vector<Ordinal>& out) const;

 private:
  std::vector<std::uint32_t> group_of_;  // sound set number by ordinal
  PostingLists groups_;
};

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_IDENTITY_PARTNERS_H_
