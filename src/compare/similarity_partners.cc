#include "compare/similarity_partners.h"

#include <span>

namespace dravelin {

SimilarityPartners::SimilarityPartners(const PatchNumbers& numbers) : numbers_(numbers) {
  const std::size_t count = numbers.patches.size();
  blocks_of_.reserve(count);
  for (const NumberedPatch& patch : numbers.patches) {
    blocks_of_.push_back(MakeSoundSetKey(patch.sounds));
  }
  by_name_ = PostingLists(numbers.name_count, [&](auto add) {
    for (Ordinal ordinal = 0; ordinal < count; ++ordinal) {
      add(numbers.patches[ordinal].name, ordinal);
    }
  });
  by_block_ = PostingLists(numbers.block_count, [&](auto add) {
    for (Ordinal ordinal = 0; ordinal < count; ++ordinal) {
      for (BlockId id : blocks_of_[ordinal]) {
        if (id != kNoBlock) add(id, ordinal);
      }
    }
  });
}

void SimilarityPartners::Gather(Ordinal self, std::vector<Ordinal>& out) const {
  out.clear();
  // The lists to merge; a list that holds only `self` adds nothing.
  const Ordinal* head[1 + kSoundsPerPatch];
  const Ordinal* end[1 + kSoundsPerPatch];
  int count = 0;
  auto add = [&](std::span<const Ordinal> list) {
    if (list.size() < 2) return;
    head[count] = list.data();
    end[count] = list.data() + list.size();
    ++count;
  };
  add(by_name_.List(numbers_.patches[self].name));
  for (BlockId id : blocks_of_[self]) {
    if (id != kNoBlock) add(by_block_.List(id));
  }
  if (count == 1) {
    for (const Ordinal* p = head[0]; p != end[0]; ++p) {
      if (*p != self) out.push_back(*p);
    }
    return;
  }
  // Merge the ascending lists, taking each ordinal once; a list leaves the
  // merge when it runs out.
  while (count > 0) {
    Ordinal next = *head[0];
    for (int k = 1; k < count; ++k) next = *head[k] < next ? *head[k] : next;
    if (next != self) out.push_back(next);
    for (int k = 0; k < count;) {
      if (*head[k] == next && ++head[k] == end[k]) {
        --count;
        head[k] = head[count];
        end[k] = end[count];
      } else {
        ++k;
      }
    }
  }
}

}  // namespace dravelin
