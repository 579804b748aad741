// Many lists of patch ordinals kept in one array: list k holds, in ascending
// order, the ordinals that were added to it. Used to find, for a name, a
// sound block or a sound set, every patch of a set that has it.

#ifndef DRAVELIN_COMPARE_POSTING_LISTS_H_
#define DRAVELIN_COMPARE_POSTING_LISTS_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dravelin {

using Ordinal = std::uint32_t;

class PostingLists {
 public:
  PostingLists() = default;

  // `for_each_entry(add)` must call add(list, ordinal) once per membership,
  // in ascending order of ordinal, and the same way each time: it is called
  // twice, once to count and once to fill.
  template <typename ForEachEntry>
  PostingLists(std::size_t list_count, ForEachEntry for_each_entry) : starts_(list_count + 1, 0) {
    for_each_entry([this](std::uint32_t list, Ordinal) { ++starts_[list + 1]; });
    for (std::size_t k = 0; k < list_count; ++k) starts_[k + 1] += starts_[k];
    ordinals_.resize(starts_[list_count]);
    std::vector<std::size_t> next(starts_.begin(), starts_.end() - 1);
    for_each_entry(
        [this, &next](std::uint32_t list, Ordinal ordinal) { ordinals_[next[list]++] = ordinal; });
  }

  std::span<const Ordinal> List(std::uint32_t list) const {
    return std::span<const Ordinal>(ordinals_.data() + starts_[list],
                                    starts_[list + 1] - starts_[list]);
  }

 private:
  std::vector<std::size_t> starts_;  // list k is ordinals_[starts_[k], starts_[k + 1])
  std::vector<Ordinal> ordinals_;
};

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_POSTING_LISTS_H_
